#pragma once

#include <QByteArray>

// The client frames of client DESK01 with list version 017, byte for byte,
// as the paging server expects them. Shared by the builders' tests and the
// simulator's reader tests, so both sides are held to the same bytes.
namespace GoldenFrames {

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// clang-format off
inline const QByteArray P = hex("03 54 5A 51 56 53 44 45 53 4B 30 31 00 00 00 00 00 00  50 30 31 37 04 1B 02");
inline const QByteArray C = hex("03 54 5A 51 56 53 44 45 53 4B 30 31 00 00 00 00 00 00  43 30 31 37 04 0E 02");
inline const QByteArray O = hex("03 54 5A 51 56 53 44 45 53 4B 30 31 00 00 00 00 00 00  4F 30 31 37 04 1A 02");
inline const QByteArray R = hex("03 54 5A 51 56 53 44 45 53 4B 30 31 00 00 00 00 00 00  52 30 31 37 30 04 4D 02"); // sign-on, flag "0"
inline const QByteArray S = hex("03 54 5A 51 56 43 44 45 53 4B 30 31 00 00 00 00 00 00  53 30 03 A6 02");
// A page to serial 0012, "From Ann:" CR LF "Hi".
inline const QByteArray A = hex("03 54 5A 51 56 43 44 45 53 4B 30 31 00 00 00 00 00 00  41 30 30 31 37"
                                "30 30 31 32 FE 46 72 6F 6D 20 41 6E 6E 3A 0D 0A 48 69 FF 0A BF 02");
// The report from 2014-01-01 01:00 to 2014-03-31 23:59.
inline const QByteArray H = hex("03 54 5A 51 56 43 44 45 53 4B 30 31 00 00 00 00 00 00  48 30"
                                "32 30 31 34 30 31 30 31 30 31 30 30 32 30 31 34 30 33 33 31"
                                "32 33 35 39 08 46 02");
// clang-format on

} // namespace GoldenFrames
