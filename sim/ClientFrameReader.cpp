#include "ClientFrameReader.h"

#include "link/FrameFormat.h"
#include "link/FrameType.h"
#include "link/ServerFrameParser.h"

#include <algorithm>

namespace ClientFrameReader {

namespace {

std::uint8_t at(QByteArrayView bytes, qsizetype i)
{
    return static_cast<std::uint8_t>(bytes[i]);
}

Extent garbage(const QString &reason)
{
    return {Status::Garbage, 0, reason};
}

int fixedLength(char type)
{
    switch (type) {
    case FrameType::Registration:
        return RegistrationSize;
    case FrameType::ListRequest:
    case FrameType::CannedRequest:
    case FrameType::OffLine:
        return StandardRequestSize;
    case FrameType::FollowUp:
        return FollowUpSize;
    case FrameType::ReportQuery:
        return ReportQuerySize;
    default:
        return 0;
    }
}

// A frame whose length is known: complete once all of it is there and it
// closes with the end byte.
Extent closedAt(QByteArrayView received, qsizetype length)
{
    if (length > MaxFrameSize)
        return garbage(QStringLiteral("frame longer than %1 bytes").arg(MaxFrameSize));
    if (received.size() < length)
        return {};
    if (received[length - 1] != FrameFormat::EndByte)
        return garbage(QStringLiteral("no end byte where the frame ends"));
    return {Status::Complete, static_cast<int>(length), {}};
}

// Bytes that ran out before a marker: wait for more unless the frame could
// no longer fit the client's buffer.
Extent unfinished(QByteArrayView received, const QString &missing)
{
    if (received.size() >= MaxFrameSize)
        return garbage(missing + QStringLiteral(" within %1 bytes").arg(MaxFrameSize));
    return {};
}

// Frame A: 4-byte slots up to the 0xFE at a slot position, the page text up
// to 0xFF, then the checksum and the end byte.
Extent measurePage(QByteArrayView received)
{
    const qsizetype limit = std::min<qsizetype>(received.size(), MaxFrameSize);
    qsizetype i = PageSlotsOffset;
    while (i < limit && at(received, i) != FrameFormat::RecordEnd)
        i += SlotSize;
    if (i >= limit)
        return unfinished(received, QStringLiteral("no recipient separator"));
    qsizetype j = i + 1;
    while (j < limit && at(received, j) != FrameFormat::ListEnd)
        ++j;
    if (j >= limit)
        return unfinished(received, QStringLiteral("no end of page text"));
    return closedAt(received, j + 1 + FrameFormat::TrailerSize);
}

QString textAt(QByteArrayView bytes, qsizetype offset, qsizetype size)
{
    if (offset + size > bytes.size())
        return {};
    return ServerFrameParser::zeroTerminatedText(bytes.sliced(offset, size));
}

void parsePage(QByteArrayView bytes, ClientFrame &frame)
{
    frame.listVersion = textAt(bytes, 20, 3);
    qsizetype i = PageSlotsOffset;
    while (i + SlotSize <= bytes.size() && at(bytes, i) != FrameFormat::RecordEnd) {
        frame.recipientSlots.append(bytes.sliced(i, SlotSize).toByteArray());
        i += SlotSize;
    }
    if (i >= bytes.size())
        return;
    const QByteArrayView text = bytes.sliced(i + 1);
    const qsizetype end = text.indexOf(static_cast<char>(FrameFormat::ListEnd));
    if (end >= 0)
        frame.pageText = FrameFormat::textFromWire(text.first(end));
}

bool checksumHolds(QByteArrayView bytes)
{
    if (bytes.size() < FrameFormat::MinimumFrameSize + FrameFormat::TrailerSize)
        return false;
    const qsizetype summed = bytes.size() - FrameFormat::TrailerSize;
    const std::uint16_t sent =
        static_cast<std::uint16_t>(at(bytes, summed) << 8 | at(bytes, summed + 1));
    return FrameFormat::checksum(bytes.first(summed)) == sent;
}

} // namespace

Extent measure(QByteArrayView received)
{
    if (received.isEmpty())
        return {};
    if (received[0] != FrameFormat::StartByte)
        return garbage(QStringLiteral("wrong start byte"));
    if (received.size() <= FrameFormat::TypeOffset)
        return {};
    const char type = received[FrameFormat::TypeOffset];
    if (type == FrameType::Page)
        return measurePage(received);
    const int length = fixedLength(type);
    if (length == 0)
        return garbage(QStringLiteral("unknown frame type 0x%1")
                           .arg(static_cast<std::uint8_t>(type), 2, 16, QLatin1Char('0')));
    return closedAt(received, length);
}

ClientFrame parse(QByteArrayView bytes)
{
    ClientFrame frame;
    if (bytes.size() < FrameFormat::MinimumFrameSize)
        return frame;
    frame.type = bytes[FrameFormat::TypeOffset];
    frame.header = bytes.sliced(FrameFormat::HeaderOffset, FrameFormat::HeaderSize).toByteArray();
    frame.clientId = textAt(bytes, FrameFormat::ClientIdOffset, FrameFormat::ClientIdSize);
    switch (frame.type) {
    case FrameType::Registration:
        if (bytes.size() > 22)
            frame.registrationFlag = bytes[22];
        [[fallthrough]];
    case FrameType::ListRequest:
    case FrameType::CannedRequest:
    case FrameType::OffLine:
        frame.listVersion = textAt(bytes, 19, 3);
        break;
    case FrameType::Page:
        parsePage(bytes, frame);
        break;
    case FrameType::ReportQuery:
        frame.startDate = textAt(bytes, 20, 8);
        frame.endDate = textAt(bytes, 32, 8);
        break;
    default:
        break;
    }
    frame.checksumOk = checksumHolds(bytes);
    return frame;
}

} // namespace ClientFrameReader
