#pragma once

#include <QString>

struct ClientState;
class ClientStore;
class FrameSender;

// Builders of the client frames that carry no page content: the standard
// requests R, P, C and O, and the follow-up frame S. Each writes SendBuffer
// from offset 0.
namespace StandardFrames {

inline constexpr int StandardRequestSize = 25;
inline constexpr int RegistrationSize = 26;
inline constexpr int FollowUpSize = 23;
inline constexpr int RegistrationFlagOffset = 22;

// Writes offsets 0 to 21 of a standard frame of `type` (header "TZQVS", the
// client ID from CurrentClientID, the type, the list version read afresh from
// the store) and returns 22, the offset of the next free byte.
int BuildStandardFrame(ClientState &state, ClientStore &store, char type);

// Builds and sends a 25-byte standard request (P and C).
void SendRequest(ClientState &state, ClientStore &store, FrameSender &sender, char type);

// Builds and sends frame R with its flag byte ('0' sign-on, '1' new registration).
void SendRegistration(ClientState &state, ClientStore &store, FrameSender &sender, char flag);

// Builds frame O (off line) without sending it.
void BuildOffLineFrame(ClientState &state, ClientStore &store);

// Builds frame S from ClientIDBytes and sends it. The queue entry's text is not used.
void SendFollowUpFrame(ClientState &state, FrameSender &sender, const QString &itemText);

} // namespace StandardFrames
