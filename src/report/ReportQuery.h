#pragma once

#include "lang/Messages.h"
#include "link/FrameBuffer.h"

#include <QDate>
#include <QDateTime>

#include <array>
#include <optional>

// The report query (client frame H) and the date range it may ask for.
namespace ReportQuery {

inline constexpr int FrameSize = 47;
// The longest range is three months of this many days; a range of four or more is refused.
inline constexpr double DaysPerMonth = 30.4375;
inline constexpr int MostMonths = 3;

// Why a range may not be asked for: the end before the start, or more than
// three months between them; nothing when it may.
std::optional<Message> rangeProblem(const QDateTime &start, const QDateTime &end);

// Frame H for the days from `start` (from 01:00) to `end` (to 23:59), in a
// cleared buffer; sets SendLength.
void BuildReportQuery(FrameBuffer &buffer, const std::array<char, 12> &clientIdBytes,
                      const QDate &start, const QDate &end);

} // namespace ReportQuery
