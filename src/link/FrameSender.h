#pragma once

// Whatever puts the first SendLength bytes of SendBuffer on a new connection
// to the configured server. The server link implements it; tests record.
class FrameSender {
public:
    virtual ~FrameSender() = default;
    virtual void SendFrame() = 0;
};
