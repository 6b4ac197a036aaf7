#include "link/ServerFrameParser.h"

#include "link/FrameFormat.h"

namespace ServerFrameParser {

namespace {

std::uint8_t at(QByteArrayView frame, qsizetype i)
{
    return static_cast<std::uint8_t>(frame[i]);
}

bool isListEnd(std::uint8_t byte)
{
    return byte == FrameFormat::ListEnd || byte == FrameFormat::RecordEnd;
}

// Reads fixed-size records from `offset` until a record position holds an
// end marker. Returns the offset of the marker, or -1 when the bytes run out first.
template <typename ReadRecord, typename IsEnd>
int readRecords(QByteArrayView frame, int offset, int recordSize, IsEnd isEnd, ReadRecord read)
{
    int i = offset;
    while (i < frame.size()) {
        if (isEnd(at(frame, i)))
            return i;
        if (i + recordSize > frame.size())
            return -1;
        read(frame.sliced(i, recordSize));
        i += recordSize;
    }
    return -1;
}

ListRecord listRecord(QByteArrayView record)
{
    return {zeroTerminatedText(record.first(SerialSize)),
            zeroTerminatedText(record.sliced(SerialSize, NameSize))};
}

// One report record at `offset`: five fields, four 0xFD separators and the
// closing 0xFE. Returns the offset just past the 0xFE, or -1 when malformed.
int readReportRecord(QByteArrayView frame, int offset, ReportFields &fields)
{
    int i = offset;
    for (int f = 0; f < 5; ++f) {
        const int start = i;
        while (i < frame.size() && at(frame, i) < FrameFormat::FieldSeparator)
            ++i;
        if (i >= frame.size() || i - start > MaxFieldSize)
            return -1;
        const std::uint8_t expected = f < 4 ? FrameFormat::FieldSeparator : FrameFormat::RecordEnd;
        if (at(frame, i) != expected)
            return -1;
        fields[static_cast<std::size_t>(f)] = frame.sliced(start, i - start);
        ++i;
    }
    return i;
}

ReportRecord recordFrom(const ReportFields &fields)
{
    return {FrameFormat::textFromWire(fields[0]), FrameFormat::textFromWire(fields[1]),
            FrameFormat::textFromWire(fields[2]), FrameFormat::textFromWire(fields[3]),
            FrameFormat::textFromWire(fields[4])};
}

void keep(ReportPart &part, const ReportFields &fields, Keep what)
{
    if (what == Keep::Texts)
        part.records.append(recordFrom(fields));
    else if (what == Keep::Views)
        part.fields.append(fields);
}

bool containsListEnd(QByteArrayView frame)
{
    return frame.indexOf(static_cast<char>(FrameFormat::ListEnd)) >= 0;
}

void readFullPart(QByteArrayView frame, ReportPart &part, Keep what)
{
    int i = ReportRecordsOffset;
    for (int n = 0; n < RecordsPerFullPart; ++n) {
        ReportFields fields;
        const int next = readReportRecord(frame, i, fields);
        if (next < 0) {
            part.malformed = true;
            return;
        }
        keep(part, fields, what);
        i = next + 1; // the byte after each record's 0xFE is not part of it
    }
    part.end = std::min<int>(i, static_cast<int>(frame.size()));
}

void readLastPart(QByteArrayView frame, ReportPart &part, Keep what)
{
    int i = ReportRecordsOffset;
    while (i < frame.size()) {
        if (at(frame, i) == FrameFormat::ListEnd) {
            part.end = i + 1;
            return;
        }
        if (at(frame, i - 1) == FrameFormat::ListEnd) {
            part.end = i;
            return;
        }
        ReportFields fields;
        const int next = readReportRecord(frame, i, fields);
        if (next < 0)
            break;
        keep(part, fields, what);
        i = next;
    }
    // A 0xFF just before the end of the bytes still closes the list.
    if (i == frame.size() && at(frame, i - 1) == FrameFormat::ListEnd) {
        part.end = i;
        return;
    }
    part.malformed = true;
}

} // namespace

std::optional<char> frameType(QByteArrayView frame)
{
    if (frame.size() < FrameFormat::MinimumFrameSize)
        return std::nullopt;
    return frame[FrameFormat::TypeOffset];
}

std::optional<std::uint8_t> byteAt(QByteArrayView frame, int offset)
{
    if (offset < 0 || offset >= frame.size())
        return std::nullopt;
    return at(frame, offset);
}

QString zeroTerminatedText(QByteArrayView bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return FrameFormat::textFromWire(zero < 0 ? bytes : bytes.first(zero));
}

ListsFrame parseLists(QByteArrayView frame)
{
    ListsFrame lists;
    if (frame.size() < ListsOffset) {
        lists.malformed = true;
        return lists;
    }
    lists.version = FrameFormat::textFromWire(frame.sliced(ListVersionOffset, ListVersionSize));

    const int marker =
        readRecords(frame, ListsOffset, ListRecordSize, isListEnd,
                    [&](QByteArrayView r) { lists.recipients.append(listRecord(r)); });
    if (marker < 0) {
        lists.malformed = true;
        return lists;
    }
    if (at(frame, marker) == FrameFormat::ListEnd) {
        lists.end = marker + 1;
        return lists;
    }
    QList<ListRecord> groups;
    const int groupsEnd = readRecords(
        frame, marker + 1, ListRecordSize, [](std::uint8_t b) { return b == FrameFormat::ListEnd; },
        [&](QByteArrayView r) { groups.append(listRecord(r)); });
    lists.groups = groups;
    if (groupsEnd < 0) {
        lists.malformed = true;
        return lists;
    }
    lists.end = groupsEnd + 1;
    return lists;
}

CannedFrame parseCanned(QByteArrayView frame)
{
    CannedFrame canned;
    const int marker =
        readRecords(frame, ListsOffset, CannedSlotSize, isListEnd,
                    [&](QByteArrayView slot) { canned.texts.append(zeroTerminatedText(slot)); });
    if (marker < 0)
        canned.malformed = true;
    else
        canned.end = marker + 1;
    return canned;
}

ReportPart parseReportPart(QByteArrayView frame, ReportLayout layout, Keep what)
{
    ReportPart part;
    if (frame.size() <= PartCodeOffset) {
        part.malformed = true;
        return part;
    }
    part.partCode = at(frame, PartCodeOffset);
    if (part.partCode == 0) {
        part.end = ReportRecordsOffset;
        return part;
    }
    part.last =
        layout == ReportLayout::Last || (layout == ReportLayout::Detect && containsListEnd(frame));
    if (part.last)
        readLastPart(frame, part, what);
    else
        readFullPart(frame, part, what);
    return part;
}

} // namespace ServerFrameParser
