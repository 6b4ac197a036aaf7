#include "link/FrameFormat.h"

#include <algorithm>

namespace FrameFormat {

QByteArray clientIdField(const QString &clientId)
{
    QByteArray field = textToWire(clientId).left(ClientIdSize);
    field.append(ClientIdSize - field.size(), '\0');
    return field;
}

std::uint16_t checksum(QByteArrayView bytes)
{
    std::uint16_t sum = 0;
    for (const char byte : bytes)
        sum = static_cast<std::uint16_t>(sum + static_cast<std::uint8_t>(byte));
    return sum;
}

void AppendChecksum(char *buffer, int count)
{
    const std::uint16_t sum = checksum(QByteArrayView(buffer, count));
    buffer[count] = static_cast<char>(sum >> 8);
    buffer[count + 1] = static_cast<char>(sum & 0xFF);
    buffer[count + 2] = EndByte;
}

int writeEnvelope(char *buffer, QByteArrayView header, QByteArrayView clientIdField, char type)
{
    Q_ASSERT(header.size() == HeaderSize && clientIdField.size() == ClientIdSize);
    buffer[0] = StartByte;
    std::copy_n(header.data(), HeaderSize, buffer + HeaderOffset);
    std::copy_n(clientIdField.data(), ClientIdSize, buffer + ClientIdOffset);
    buffer[TypeOffset] = type;
    return BodyOffset;
}

int closeFrame(char *buffer, int count)
{
    AppendChecksum(buffer, count);
    return count + TrailerSize;
}

QByteArray buildFrame(QByteArrayView header, QByteArrayView clientIdField, char type,
                      QByteArrayView body)
{
    QByteArray bytes(BodyOffset + body.size() + TrailerSize, Qt::Uninitialized);
    const int bodyOffset = writeEnvelope(bytes.data(), header, clientIdField, type);
    std::copy_n(body.data(), body.size(), bytes.data() + bodyOffset);
    closeFrame(bytes.data(), static_cast<int>(bodyOffset + body.size()));
    return bytes;
}

} // namespace FrameFormat
