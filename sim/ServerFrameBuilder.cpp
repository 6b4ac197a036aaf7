#include "ServerFrameBuilder.h"

#include "link/FrameBuffer.h"
#include "link/FrameFormat.h"
#include "link/FrameType.h"
#include "link/ServerFrameParser.h"

namespace ServerFrameBuilder {

namespace {

using namespace ServerFrameParser;

// Fixed-size slot: the text cut to the slot, zero padded.
QByteArray slot(const QString &text, int size)
{
    QByteArray bytes = FrameFormat::textToWire(text).left(size);
    bytes.append(size - bytes.size(), '\0');
    return bytes;
}

// Report fields may not hold the separators; such bytes become '?'.
QByteArray reportField(const QString &text)
{
    QByteArray bytes = FrameFormat::textToWire(text).left(MaxFieldSize);
    for (char &byte : bytes) {
        if (static_cast<std::uint8_t>(byte) >= FrameFormat::FieldSeparator)
            byte = '?';
    }
    return bytes.isEmpty() ? QByteArray(" ") : bytes;
}

QByteArray reportRecord(const ReportRecord &record)
{
    const char separator = static_cast<char>(FrameFormat::FieldSeparator);
    return reportField(record.sender) + separator + reportField(record.recipient) + separator +
           reportField(record.sendTime) + separator + reportField(record.status) + separator +
           reportField(record.message) + static_cast<char>(FrameFormat::RecordEnd);
}

QByteArray listRecords(const QList<ListRecord> &records)
{
    QByteArray bytes;
    for (const ListRecord &record : records)
        bytes += slot(record.serial, SerialSize) + slot(record.name, NameSize);
    return bytes;
}

QByteArray oneByteAnswer(const QString &clientId, char type, int padding, char value)
{
    return frame(clientId, type, QByteArray(padding, '0') + value);
}

bool checksumHasListEnd(const QByteArray &bytes)
{
    const std::uint16_t sum = FrameFormat::checksum(bytes);
    return (sum >> 8) == FrameFormat::ListEnd || (sum & 0xFF) == FrameFormat::ListEnd;
}

// A full part: 40 records, each followed by a byte the client skips. The
// last skip byte is chosen so that the checksum holds no 0xFF, which would
// make the part read as the last one.
QByteArray fullPart(const QString &clientId, std::uint8_t partCode,
                    const QList<ReportRecord> &records)
{
    QByteArray body("000");
    body.append(static_cast<char>(partCode));
    for (const ReportRecord &record : records)
        body += reportRecord(record) + '\0';
    for (char skip = 0; skip < 8; ++skip) {
        body[body.size() - 1] = skip;
        const QByteArray candidate = frame(clientId, FrameType::Report, body);
        if (!checksumHasListEnd(candidate.first(candidate.size() - FrameFormat::TrailerSize)))
            return candidate;
    }
    return frame(clientId, FrameType::Report, body);
}

QByteArray lastPart(const QString &clientId, std::uint8_t partCode,
                    const QList<ReportRecord> &records)
{
    QByteArray body("000");
    body.append(static_cast<char>(partCode));
    for (const ReportRecord &record : records)
        body += reportRecord(record);
    body.append(static_cast<char>(FrameFormat::ListEnd));
    return frame(clientId, FrameType::Report, body);
}

QByteArray part(const QString &clientId, std::uint8_t partCode, const QList<ReportRecord> &records,
                bool last)
{
    return last ? lastPart(clientId, partCode, records) : fullPart(clientId, partCode, records);
}

QList<ReportRecord> withMessagesCut(QList<ReportRecord> records, qsizetype length)
{
    for (ReportRecord &record : records)
        record.message.truncate(length);
    return records;
}

// The client reads each part into its 8192-byte buffer, but 40 records with
// long messages need more. Such a part carries the messages cut to the
// longest length that still fits.
QByteArray fittingPart(const QString &clientId, std::uint8_t partCode,
                       const QList<ReportRecord> &records, bool last)
{
    const QByteArray whole = part(clientId, partCode, records, last);
    if (whole.size() <= FrameBuffer::SendBufferSize)
        return whole;
    qsizetype fits = 1;
    qsizetype tooLong = MaxFieldSize + 1;
    while (tooLong - fits > 1) {
        const qsizetype length = (fits + tooLong) / 2;
        if (part(clientId, partCode, withMessagesCut(records, length), last).size() <=
            FrameBuffer::SendBufferSize)
            fits = length;
        else
            tooLong = length;
    }
    return part(clientId, partCode, withMessagesCut(records, fits), last);
}

} // namespace

QByteArray frame(const QString &clientId, char type, const QByteArray &body)
{
    return FrameFormat::buildFrame(FrameFormat::StandardHeader,
                                   FrameFormat::clientIdField(clientId), type, body);
}

QByteArray listVersionNotice(const QString &clientId, char status)
{
    return oneByteAnswer(clientId, FrameType::ListVersionNotice,
                         NoticeStatusOffset - FrameFormat::BodyOffset, status);
}

QByteArray registrationResult(const QString &clientId, char result)
{
    return oneByteAnswer(clientId, FrameType::RegistrationResult,
                         ResultOffset - FrameFormat::BodyOffset, result);
}

QByteArray closeGrant(const QString &clientId, char answer)
{
    return oneByteAnswer(clientId, FrameType::CloseGrant, ResultOffset - FrameFormat::BodyOffset,
                         answer);
}

QByteArray transmissionResult(const QString &clientId, std::uint8_t failed)
{
    return frame(clientId, FrameType::TransmissionResult, QByteArray(1, static_cast<char>(failed)));
}

QByteArray lists(const QString &clientId, const QString &version,
                 const QList<ListRecord> &recipients,
                 const std::optional<QList<ListRecord>> &groups)
{
    QByteArray body = slot(version, ListVersionSize) + listRecords(recipients);
    if (groups) {
        body.append(static_cast<char>(FrameFormat::RecordEnd));
        body += listRecords(*groups);
    }
    body.append(static_cast<char>(FrameFormat::ListEnd));
    return frame(clientId, FrameType::Lists, body);
}

QByteArray canned(const QString &clientId, const QStringList &texts)
{
    QByteArray body("000");
    for (const QString &text : texts)
        body += slot(text, CannedSlotSize);
    body.append(static_cast<char>(FrameFormat::ListEnd));
    return frame(clientId, FrameType::Canned, body);
}

QList<QByteArray> reportParts(const QString &clientId, const QList<ReportRecord> &records)
{
    if (records.isEmpty())
        return {frame(clientId, FrameType::Report, QByteArray("000") + '\0')};
    QList<QByteArray> parts;
    for (qsizetype first = 0; first < records.size(); first += RecordsPerFullPart) {
        const QList<ReportRecord> chunk = records.mid(first, RecordsPerFullPart);
        const std::uint8_t code = first == 0 ? 1 : 2;
        const bool last = first + RecordsPerFullPart >= records.size();
        parts.append(fittingPart(clientId, code, chunk, last));
    }
    return parts;
}

} // namespace ServerFrameBuilder
