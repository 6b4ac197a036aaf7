#pragma once

#include "ServerFrameBuilder.h"
#include "link/FrameFormat.h"
#include "link/WireRecords.h"

#include <QByteArray>
#include <QList>

// Server frames that a correct server sends seldom or never, built for tests
// of the client's reading: last parts of any length, odd part codes, extra
// bytes before a closing. All carry a correct checksum for DESK01.
namespace ServerFrames {

inline const QString ClientId = QStringLiteral("DESK01");

inline QList<ReportRecord> reportRecords(int count)
{
    QList<ReportRecord> records;
    for (int i = 0; i < count; ++i)
        records.append({QStringLiteral("Desk"), QStringLiteral("R%1").arg(i),
                        QStringLiteral("2014-01-21 09:05:07"), QStringLiteral("OK"),
                        QStringLiteral("message %1").arg(i)});
    return records;
}

inline QByteArray bodyOf(const QByteArray &frame)
{
    return frame.sliced(FrameFormat::BodyOffset,
                        frame.size() - FrameFormat::BodyOffset - FrameFormat::TrailerSize);
}

inline QByteArray recordBytes(const ReportRecord &record)
{
    const char separator = static_cast<char>(FrameFormat::FieldSeparator);
    return FrameFormat::textToWire(record.sender) + separator +
           FrameFormat::textToWire(record.recipient) + separator +
           FrameFormat::textToWire(record.sendTime) + separator +
           FrameFormat::textToWire(record.status) + separator +
           FrameFormat::textToWire(record.message) + static_cast<char>(FrameFormat::RecordEnd);
}

// A last part of any number of records, back to back up to 0xFF.
inline QByteArray lastPart(std::uint8_t code, int count)
{
    QByteArray body("000");
    body.append(static_cast<char>(code));
    for (const ReportRecord &record : reportRecords(count))
        body += recordBytes(record);
    body.append(static_cast<char>(FrameFormat::ListEnd));
    return ServerFrameBuilder::frame(ClientId, 'h', body);
}

// The same report part with another part code, its checksum made right again.
inline QByteArray withPartCode(const QByteArray &frame, std::uint8_t code)
{
    QByteArray body = bodyOf(frame);
    body[3] = static_cast<char>(code);
    return ServerFrameBuilder::frame(ClientId, frame[FrameFormat::TypeOffset], body);
}

// Extra bytes between a frame's body and its closing, summed in like the body.
inline QByteArray withExtraBytes(const QByteArray &frame, const QByteArray &extra)
{
    return ServerFrameBuilder::frame(ClientId, frame[FrameFormat::TypeOffset],
                                     bodyOf(frame) + extra);
}

} // namespace ServerFrames
