#pragma once

#include <array>
#include <cstdint>

// The one frame buffer of both directions: a request is built here before it
// is sent, and each received frame is copied here before it is handled.
struct FrameBuffer {
    static constexpr int SendBufferSize = 8192;

    std::array<char, SendBufferSize> SendBuffer{};
    // Bytes to write once the connection is up.
    std::int32_t SendLength = 0;
    // Bytes of the frame last received.
    std::int32_t ReceivedLength = 0;

    void clearSendBuffer() { SendBuffer.fill(0); }
};
