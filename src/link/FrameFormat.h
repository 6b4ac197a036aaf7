#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

// Byte layout shared by every frame in both directions: the envelope of
// client frames, the offsets of server-frame fields, markers and the checksum.
namespace FrameFormat {

inline constexpr char StartByte = 0x03;
inline constexpr char EndByte = 0x02;
inline constexpr int HeaderOffset = 1;
inline constexpr int HeaderSize = 5;
inline constexpr int ClientIdOffset = 6;
inline constexpr int ClientIdSize = 12;
inline constexpr int TypeOffset = 18;
inline constexpr int BodyOffset = 19;
// A frame needs at least the type byte to be anything at all.
inline constexpr int MinimumFrameSize = TypeOffset + 1;
// Checksum (two bytes) plus the end byte.
inline constexpr int TrailerSize = 3;

// Standard requests and every server frame carry one header; the frames
// with page content (A, H, S) the other.
inline constexpr QByteArrayView StandardHeader("TZQVS", HeaderSize);
inline constexpr QByteArrayView ContentHeader("TZQVC", HeaderSize);

inline constexpr std::uint8_t FieldSeparator = 0xFD;
inline constexpr std::uint8_t RecordEnd = 0xFE;
inline constexpr std::uint8_t ListEnd = 0xFF;

// Text travels as single bytes, mapped one for one so that nothing is lost
// between frame, database and frame.
inline QString textFromWire(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes);
}
inline QByteArray textToWire(const QString &text)
{
    return text.toLatin1();
}

// The 12-byte client-ID field: the ID's characters (cut to 12), zero padded.
QByteArray clientIdField(const QString &clientId);

// 16-bit sum of the bytes, each taken unsigned, wrapping modulo 65536.
std::uint16_t checksum(QByteArrayView bytes);

// Appends the checksum of buffer[0, count) high byte first, then the end
// byte. The caller adds TrailerSize to its count.
void AppendChecksum(char *buffer, int count);

// The envelope every frame shares, in both directions: writes the start byte,
// the 5-byte header, the 12-byte client-ID field and the type byte at the
// start of `buffer` and returns BodyOffset, where the body begins.
int writeEnvelope(char *buffer, QByteArrayView header, QByteArrayView clientIdField, char type);
// Closes a frame whose body ends at `count`; returns the frame's length.
int closeFrame(char *buffer, int count);
// A whole frame as bytes: envelope, body, checksum and end byte.
QByteArray buildFrame(QByteArrayView header, QByteArrayView clientIdField, char type,
                      QByteArrayView body);

} // namespace FrameFormat
