#include "link/FrameFormat.h"

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

} // namespace FrameFormat
