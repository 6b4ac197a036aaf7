// The server-frame parsers on any bytes: they never claim more bytes than
// they were given, and what they read is consistent with where they stop.
#include "FuzzInput.h"
#include "link/ServerFrameParser.h"
#include "link/ServerFrameReader.h"

namespace Parser = ServerFrameParser;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QByteArrayView frame = input.rest();
    const auto size32 = static_cast<int>(frame.size());

    const Parser::ListsFrame lists = Parser::parseLists(frame);
    FUZZ_CHECK(lists.end <= size32);
    if (lists.end >= 0) {
        FUZZ_CHECK(!lists.malformed);
        const qsizetype groups =
            lists.groups ? 1 + lists.groups->size() * Parser::ListRecordSize : 0;
        FUZZ_CHECK(Parser::ListsOffset + lists.recipients.size() * Parser::ListRecordSize + groups +
                       1 ==
                   lists.end);
    }

    const Parser::CannedFrame canned = Parser::parseCanned(frame);
    FUZZ_CHECK(canned.end <= size32);
    if (canned.end >= 0)
        FUZZ_CHECK(Parser::ListsOffset + canned.texts.size() * Parser::CannedSlotSize + 1 ==
                   canned.end);

    for (const Parser::ReportLayout layout :
         {Parser::ReportLayout::Detect, Parser::ReportLayout::Full, Parser::ReportLayout::Last}) {
        const Parser::ReportPart part = Parser::parseReportPart(frame, layout);
        FUZZ_CHECK(part.end <= size32);
        if (layout == Parser::ReportLayout::Full && !part.malformed && part.partCode != 0)
            FUZZ_CHECK(part.records.size() == Parser::RecordsPerFullPart);
        // Measuring follows the same layout as reading.
        const Parser::ReportPart measured =
            Parser::parseReportPart(frame, layout, Parser::Keep::Nothing);
        FUZZ_CHECK(measured.end == part.end && measured.malformed == part.malformed);
        FUZZ_CHECK(measured.records.isEmpty() && measured.fields.isEmpty());
        // Views and texts are the same records.
        const Parser::ReportPart viewed =
            Parser::parseReportPart(frame, layout, Parser::Keep::Views);
        FUZZ_CHECK(viewed.end == part.end && viewed.fields.size() == part.records.size());
        for (qsizetype r = 0; r < viewed.fields.size(); ++r)
            FUZZ_CHECK(QString::fromLatin1(viewed.fields[r][4]) == part.records[r].message);
    }

    const std::optional<int> length = ServerFrameReader::frameLength(frame);
    FUZZ_CHECK(!length || (*length > 0 && *length <= size32));
    return 0;
}
