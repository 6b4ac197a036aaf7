#pragma once

// The type byte at offset 18: upper case for the client's requests, lower
// case for the server's answers.
namespace FrameType {

// Client frames.
inline constexpr char Page = 'A';
inline constexpr char CannedRequest = 'C';
inline constexpr char ReportQuery = 'H';
inline constexpr char OffLine = 'O';
inline constexpr char ListRequest = 'P';
inline constexpr char Registration = 'R';
inline constexpr char FollowUp = 'S';

// Server frames.
inline constexpr char ListVersionNotice = 'a';
inline constexpr char Canned = 'c';
inline constexpr char Report = 'h';
inline constexpr char CloseGrant = 'o';
inline constexpr char Lists = 'p';
inline constexpr char RegistrationResult = 'r';
inline constexpr char TransmissionResult = 's';

} // namespace FrameType
