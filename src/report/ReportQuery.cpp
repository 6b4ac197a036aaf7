#include "report/ReportQuery.h"

#include "link/FrameFormat.h"
#include "link/FrameType.h"

#include <QByteArray>

#include <cmath>

namespace ReportQuery {

namespace {

// Days between two wall-clock times, fractions included; the clock change
// of a summer-time day does not count.
double daysBetween(const QDateTime &from, const QDateTime &to)
{
    constexpr double MillisecondsPerDay = 24.0 * 60 * 60 * 1000;
    return static_cast<double>(from.date().daysTo(to.date())) +
           from.time().msecsTo(to.time()) / MillisecondsPerDay;
}

} // namespace

std::optional<Message> rangeProblem(const QDateTime &start, const QDateTime &end)
{
    const double days = daysBetween(start, end);
    if (days < 0)
        return Messages::Msg16;
    if (std::floor(days / DaysPerMonth) > MostMonths)
        return Messages::Msg17;
    return std::nullopt;
}

void BuildReportQuery(FrameBuffer &buffer, const std::array<char, 12> &clientIdBytes,
                      const QDate &start, const QDate &end)
{
    buffer.clearSendBuffer();
    char *bytes = buffer.SendBuffer.data();
    const int bodyStart = FrameFormat::writeEnvelope(
        bytes, FrameFormat::ContentHeader,
        QByteArrayView(clientIdBytes.data(), FrameFormat::ClientIdSize), FrameType::ReportQuery);
    const QByteArray body = "0" + start.toString(u"yyyyMMdd").toLatin1() + "0100" +
                            end.toString(u"yyyyMMdd").toLatin1() + "2359";
    std::copy(body.cbegin(), body.cend(), bytes + bodyStart);
    buffer.SendLength = FrameFormat::closeFrame(bytes, bodyStart + static_cast<int>(body.size()));
}

} // namespace ReportQuery
