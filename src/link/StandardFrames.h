#pragma once

#include "link/FrameBuffer.h"

#include <QString>

#include <array>

// Builders of the client frames that carry no page content: the standard
// requests R, P, C and O, and the follow-up frame S. Each writes SendBuffer
// from offset 0 and sets SendLength; sending is the caller's business.
namespace StandardFrames {

inline constexpr int StandardRequestSize = 25;
inline constexpr int RegistrationSize = 26;
inline constexpr int FollowUpSize = 23;
inline constexpr int RegistrationFlagOffset = 22;
inline constexpr int ListVersionSize = 3;

// Writes offsets 0 to 21 of a standard frame of `type` (header "TZQVS", the
// client-ID field, the type, the list version's first three characters, zero
// padded) and returns 22, the offset of the next free byte.
int BuildStandardFrame(FrameBuffer &buffer, const QString &clientId, const QString &listVersion,
                       char type);

// A 25-byte standard request: P, C or O.
void BuildRequest(FrameBuffer &buffer, const QString &clientId, const QString &listVersion,
                  char type);

// Frame R with its flag byte ('0' sign-on, '1' new registration), in a cleared buffer.
void BuildRegistration(FrameBuffer &buffer, const QString &clientId, const QString &listVersion,
                       char flag);

// Frame S from the 12 client-ID bytes.
void BuildFollowUpFrame(FrameBuffer &buffer, const std::array<char, 12> &clientIdBytes);

} // namespace StandardFrames
