#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The state that the main window's handlers, the frame builders and the
// server link share. One instance lives with the main window; everything
// else receives it by reference, so there are no free-standing globals.
struct ClientState {
    static constexpr int SendBufferSize = 8192;
    static constexpr int ClientIdSize = 12;

    // Frame buffer of both directions and its two counts.
    std::array<char, SendBufferSize> SendBuffer{};
    std::int32_t SendLength = 0;
    std::int32_t ReceivedLength = 0;

    // Client identity: where every connection goes and what every frame carries.
    QString CurrentServerIP;
    QString CurrentServerPort;
    QString CurrentClientID;
    std::array<char, ClientIdSize> ClientIDBytes{};

    bool CloseAllowed = true;
    std::int32_t CloseWaitTicks = 0;
    // 1: the operator asked for the lists, 2: the server forced a fetch.
    std::int32_t ListUpdateMode = 0;
    // Colour of the status message: 0 nothing, 1 notice, 2 failure (red).
    std::uint8_t StatusKind = 0;

    QString CurrentLanguage;
    QString FromWord = QStringLiteral("From");
    QString WorkingDirectory;

    void clearSendBuffer() { SendBuffer.fill(0); }
    // Sets ClientIDBytes from a client ID: trimmed, Latin-1, at most 12 bytes, zero padded.
    void setClientIdBytes(const QString &clientId);
};
