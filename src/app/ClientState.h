#pragma once

#include "lang/LanguageState.h"
#include "link/FrameBuffer.h"
#include "link/ServerEndpoint.h"

#include <QString>

#include <array>
#include <cstdint>

// Colour state of the status message panel.
enum class StatusKind : std::uint8_t {
    Nothing = 0,
    Notice = 1,  // black, cleared after a few seconds
    Failure = 2, // red, stays until replaced
};

// Who asked for the last list fetch.
enum class ListUpdateMode : std::int32_t {
    Nobody = 0,   // the sign-on's own fetch: no message when the lists arrive
    Operator = 1, // Version Update in the registration window
    Server = 2,   // the server found the client's lists out of date
};

// The state the session's flows, the frame builders and the server link
// share, kept together in one place. The frame buffer and the server's
// address are the parts the link sees; the language state (CurrentLanguage,
// FromWord, ProductTitle) the part language selection sets.
struct ClientState : FrameBuffer, ServerEndpoint, LanguageState {
    static constexpr int ClientIdSize = 12;

    // Client identity: what every frame carries.
    QString CurrentClientID;
    std::array<char, ClientIdSize> ClientIDBytes{};

    // The window may close without asking the server first.
    bool CloseAllowed = true;
    std::int32_t CloseWaitTicks = 0;
    ::ListUpdateMode ListUpdateMode = ::ListUpdateMode::Nobody;
    ::StatusKind StatusKind = ::StatusKind::Nothing;

    QString WorkingDirectory;

    // Sets ClientIDBytes from a client ID: trimmed, Latin-1, at most 12 bytes, zero padded.
    void setClientIdBytes(const QString &clientId);
};
