#pragma once

#include "link/WireRecords.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// Reads the bodies of server frames. Pure functions of the received bytes:
// they never read past the end of the view, whatever it holds. A body that
// ends too early, or breaks its layout, gives what was complete before the
// fault and sets `malformed`. `end` is the offset just past the last byte
// that belongs to the body (its end marker), or -1 when no end was found.
namespace ServerFrameParser {

// Offsets of the one-byte answers.
inline constexpr int NoticeStatusOffset = 23; // frame a
inline constexpr int ResultOffset = 22;       // frames r and o
inline constexpr int FailureCountOffset = 19; // frame s
inline constexpr int ListVersionOffset = 19;  // frame p
inline constexpr int ListVersionSize = 3;
inline constexpr int ListsOffset = 22;    // frames p and c
inline constexpr int ListRecordSize = 24; // serial number and name
inline constexpr int SerialSize = 4;
inline constexpr int NameSize = 20;
inline constexpr int CannedSlotSize = 50;
inline constexpr int PartCodeOffset = 22; // frame h
inline constexpr int ReportRecordsOffset = 23;
inline constexpr int RecordsPerFullPart = 40;
inline constexpr int MaxFieldSize = 299;

// The type byte, if the frame is long enough to have one.
std::optional<char> frameType(QByteArrayView frame);
// The byte at offset, if the frame has it.
std::optional<std::uint8_t> byteAt(QByteArrayView frame, int offset);

// Text that starts at the view and runs to its first zero byte.
QString zeroTerminatedText(QByteArrayView bytes);

struct ListsFrame {
    QString version;
    QList<ListRecord> recipients;
    // Present only when the frame carries a group list (0xFE after the recipients).
    std::optional<QList<ListRecord>> groups;
    int end = -1;
    bool malformed = false;
};
ListsFrame parseLists(QByteArrayView frame);

struct CannedFrame {
    QStringList texts;
    int end = -1;
    bool malformed = false;
};
CannedFrame parseCanned(QByteArrayView frame);

enum class ReportLayout {
    Detect, // a frame with 0xFF anywhere is the last part, else a full part
    Full,   // 40 records, each followed by one skipped byte
    Last,   // records back to back, up to the 0xFF end marker
};

// What a report part's reading keeps of its records.
enum class Keep {
    Nothing, // the layout alone, for measuring
    Views,   // `fields`: views into the frame, for storing without copies
    Texts,   // `records`: texts of their own
};

struct ReportPart {
    std::uint8_t partCode = 0;
    bool last = false;
    QList<ReportRecord> records;
    QList<ReportFields> fields;
    int end = -1;
    bool malformed = false;
};
// Part code 0 carries no records: `records` stays empty and `end` is just past the code.
ReportPart parseReportPart(QByteArrayView frame, ReportLayout layout = ReportLayout::Detect,
                           Keep what = Keep::Texts);

} // namespace ServerFrameParser
