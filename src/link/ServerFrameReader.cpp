#include "link/ServerFrameReader.h"

#include "link/FrameFormat.h"
#include "link/FrameType.h"
#include "link/ServerFrameParser.h"

#include <algorithm>
#include <array>

namespace Parser = ServerFrameParser;

namespace {

std::uint8_t at(QByteArrayView bytes, qsizetype i)
{
    return static_cast<std::uint8_t>(bytes[i]);
}

bool hasEndByteAfterChecksum(QByteArrayView bytes, int bodyEnd)
{
    const qsizetype endByte = bodyEnd + FrameFormat::TrailerSize - 1;
    return endByte < bytes.size() && bytes[endByte] == FrameFormat::EndByte;
}

// The first end byte at or after the place the closing of a body ending at
// `bodyEnd` would take, whose two bytes before it hold the checksum of
// everything before them. Returns the frame's length.
std::optional<int> verifiedClosing(QByteArrayView bytes, int bodyEnd)
{
    std::uint16_t sum =
        FrameFormat::checksum(bytes.first(std::min<qsizetype>(bodyEnd, bytes.size())));
    for (qsizetype checksumAt = bodyEnd; checksumAt + 2 < bytes.size(); ++checksumAt) {
        const std::uint16_t stated =
            static_cast<std::uint16_t>(at(bytes, checksumAt) << 8 | at(bytes, checksumAt + 1));
        if (bytes[checksumAt + 2] == FrameFormat::EndByte && stated == sum)
            return static_cast<int>(checksumAt + FrameFormat::TrailerSize);
        sum = static_cast<std::uint16_t>(sum + at(bytes, checksumAt));
    }
    return std::nullopt;
}

// A full part is 40 records with a skipped byte after each, and holds no
// 0xFF: a last part of exactly 40 records would otherwise read as one, its
// end marker taken for the fortieth skipped byte.
int fullPartEnd(QByteArrayView bytes)
{
    const Parser::ReportPart full =
        Parser::parseReportPart(bytes, Parser::ReportLayout::Full, Parser::Keep::Nothing);
    if (full.malformed || full.end < Parser::ReportRecordsOffset)
        return -1;
    const QByteArrayView records =
        bytes.sliced(Parser::ReportRecordsOffset, full.end - Parser::ReportRecordsOffset);
    return records.contains(static_cast<char>(FrameFormat::ListEnd)) ? -1 : full.end;
}

// Where the bodies of the fixed-size answers end.
constexpr int NoticeBodyEnd = 24;  // frame a
constexpr int ResultBodyEnd = 23;  // frames r and o
constexpr int FailureBodyEnd = 20; // frame s

// Where the body of a frame of a known type other than a report part ends,
// -1 while it is incomplete, or nothing for a type the client does not know.
std::optional<int> bodyEnd(QByteArrayView bytes, char type)
{
    switch (type) {
    case FrameType::ListVersionNotice:
        return NoticeBodyEnd;
    case FrameType::RegistrationResult:
    case FrameType::CloseGrant:
        return ResultBodyEnd;
    case FrameType::TransmissionResult:
        return FailureBodyEnd;
    case FrameType::Lists:
        return Parser::parseLists(bytes).end;
    case FrameType::Canned:
        return Parser::parseCanned(bytes).end;
    default:
        return std::nullopt;
    }
}

struct BodyEnds {
    std::array<int, 2> ends{-1, -1};
    int count = 0;
    void add(int end)
    {
        if (end >= 0)
            ends[static_cast<std::size_t>(count++)] = end;
    }
};

// Where a known frame's body may end, most likely first. A report part may
// be read two ways, and only its closing bytes tell which is meant.
std::optional<BodyEnds> candidateBodyEnds(QByteArrayView bytes)
{
    const std::optional<char> type = Parser::frameType(bytes);
    if (!type)
        return BodyEnds{};
    BodyEnds candidates;
    if (*type != FrameType::Report) {
        const std::optional<int> end = bodyEnd(bytes, *type);
        if (!end)
            return std::nullopt;
        candidates.add(*end);
        return candidates;
    }
    const std::optional<std::uint8_t> code = Parser::byteAt(bytes, Parser::PartCodeOffset);
    if (code && *code == 0) {
        candidates.add(Parser::ReportRecordsOffset);
        return candidates;
    }
    candidates.add(fullPartEnd(bytes));
    const Parser::ReportPart last =
        Parser::parseReportPart(bytes, Parser::ReportLayout::Last, Parser::Keep::Nothing);
    if (!last.malformed)
        candidates.add(last.end);
    return candidates;
}

} // namespace

qsizetype ServerFrameReader::append(QByteArrayView bytes)
{
    const qsizetype taken = std::min(bytes.size(), room());
    m_held.append(bytes.first(taken));
    return taken;
}

std::optional<int> ServerFrameReader::frameLength(QByteArrayView bytes)
{
    // The shortest frame any reading allows. Whether a length is allowed
    // depends only on the bytes before it, so the answer is the same however
    // the stream was cut.
    std::optional<int> shortest;
    const auto consider = [&shortest](std::optional<int> length) {
        if (length && (!shortest || *length < *shortest))
            shortest = length;
    };
    const std::optional<BodyEnds> candidates = candidateBodyEnds(bytes);
    if (!candidates) {
        // An unknown type: skipped to its closing bytes once they can be found.
        if (bytes.size() >= FrameFormat::MinimumFrameSize)
            consider(verifiedClosing(bytes, FrameFormat::BodyOffset));
        return shortest;
    }
    for (int i = 0; i < candidates->count; ++i) {
        const int end = candidates->ends[static_cast<std::size_t>(i)];
        if (end > bytes.size())
            continue;
        // The end byte where the layout puts it, whatever the checksum says;
        // past extra bytes, only a closing whose checksum holds.
        if (hasEndByteAfterChecksum(bytes, end))
            consider(end + FrameFormat::TrailerSize);
        consider(verifiedClosing(bytes, end));
    }
    return shortest;
}

std::optional<int> ServerFrameReader::completeBodyEnd(QByteArrayView bytes)
{
    const std::optional<BodyEnds> candidates = candidateBodyEnds(bytes);
    if (!candidates)
        return std::nullopt;
    for (int i = 0; i < candidates->count; ++i) {
        const int end = candidates->ends[static_cast<std::size_t>(i)];
        if (end <= bytes.size())
            return end;
    }
    return std::nullopt;
}

bool ServerFrameReader::isFullReportPart(QByteArrayView frame)
{
    const int full = fullPartEnd(frame);
    if (full < 0)
        return false;
    const Parser::ReportPart lastPart =
        Parser::parseReportPart(frame, Parser::ReportLayout::Last, Parser::Keep::Nothing);
    const int last = lastPart.malformed ? -1 : lastPart.end;
    // A reading whose closing follows its body directly explains the frame
    // best; one that needs extra bytes before the closing only when no other does.
    const auto closesExactly = [&frame](int end) {
        return end >= 0 &&
               (end == frame.size() || (end + FrameFormat::TrailerSize == frame.size() &&
                                        hasEndByteAfterChecksum(frame, end)));
    };
    if (closesExactly(full))
        return true;
    if (closesExactly(last))
        return false;
    const auto closesAfterExtraBytes = [&frame](int end) {
        return end >= 0 && verifiedClosing(frame, end) == frame.size();
    };
    return closesAfterExtraBytes(full) && !closesAfterExtraBytes(last);
}

std::optional<QByteArray> ServerFrameReader::next()
{
    const std::optional<int> length = frameLength(m_held);
    if (!length)
        return std::nullopt;
    QByteArray frame = m_held.first(*length);
    m_held.remove(0, *length);
    return frame;
}

std::optional<QByteArray> ServerFrameReader::finish()
{
    const std::optional<int> end = completeBodyEnd(m_held);
    std::optional<QByteArray> body;
    if (end)
        body = m_held.first(*end);
    m_held.clear();
    return body;
}
