#include "ServerLogic.h"

#include "ServerFrameBuilder.h"
#include "link/FrameType.h"
#include "link/ServerFrameParser.h"

#include <algorithm>
#include <iterator>

namespace ServerLogic {

namespace {

Reply reply(QList<QByteArray> frames, const QString &summary)
{
    return {std::move(frames), false, summary};
}

Reply registration(SimulatorState &state, const ClientFrame &frame)
{
    const bool newRegistration = frame.registrationFlag == '1';
    char result = '1';
    QString outcome = QStringLiteral("accepted");
    // A sign-on from an unknown ID is a client the server forgot (it was
    // restarted): it registers anew, within the same limit.
    if (state.registered.contains(frame.clientId)) {
        if (newRegistration) {
            result = '0';
            outcome = QStringLiteral("ID in use");
        }
    } else if (state.registered.size() >= state.data.maxClients) {
        result = '2';
        outcome = QStringLiteral("server full");
    } else {
        state.registered.append(frame.clientId);
        outcome = QStringLiteral("registered");
    }
    return reply({ServerFrameBuilder::registrationResult(frame.clientId, result)},
                 QStringLiteral("%1 -> r %2 (%3)")
                     .arg(newRegistration ? u"new registration" : u"sign-on")
                     .arg(QLatin1Char(result))
                     .arg(outcome));
}

QString statusOf(const DataSet &data, const QString &serial)
{
    if (data.failing.contains(serial))
        return QStringLiteral("Failed");
    if (data.pending.contains(serial))
        return QString();
    return QStringLiteral("OK");
}

// The deliveries one slot stands for: serial number and name of each recipient.
QList<ListRecord> deliveriesOf(const DataSet &data, const QByteArray &slot)
{
    if (slot == ClientFrame::everybodySlot())
        return data.recipients;
    const QString serial = ServerFrameParser::zeroTerminatedText(slot);
    if (const std::optional<ListRecord> recipient = data.recipient(serial))
        return {*recipient};
    QList<ListRecord> members;
    if (const DataSet::Group *group = data.group(serial)) {
        for (const QString &member : group->members)
            members.append(data.recipient(member).value_or(ListRecord{member, member}));
        return members;
    }
    // An unknown serial number reaches nobody; the row without a serial
    // number is reported as failed under the number that was sent.
    return {{QString(), serial}};
}

Reply page(SimulatorState &state, const ClientFrame &frame, const QDateTime &now)
{
    const DataSet &data = state.data;
    if (frame.listVersion != data.version) {
        return reply({ServerFrameBuilder::listVersionNotice(frame.clientId, data.noticeStatus)},
                     QStringLiteral("page with list version %1, current %2 -> a %3")
                         .arg(frame.listVersion, data.version)
                         .arg(QLatin1Char(data.noticeStatus)));
    }
    const QString sendTime = now.toString(SendTimeFormat);
    int failedSlots = 0;
    qsizetype rows = 0;
    for (const QByteArray &slot : frame.recipientSlots) {
        bool failed = false;
        for (const ListRecord &to : deliveriesOf(data, slot)) {
            const QString status =
                to.serial.isEmpty() ? QStringLiteral("Failed") : statusOf(data, to.serial);
            failed = failed || status == u"Failed";
            state.report.append({frame.clientId, to.name, sendTime, status, frame.pageText});
            ++rows;
        }
        failedSlots += failed ? 1 : 0;
    }
    const auto count = static_cast<std::uint8_t>(std::min(failedSlots, 255));
    return reply({ServerFrameBuilder::listVersionNotice(frame.clientId, '0'),
                  ServerFrameBuilder::transmissionResult(frame.clientId, count)},
                 QStringLiteral("page to %1 slot(s), %2 row(s) stored -> a 0, s %3")
                     .arg(frame.recipientSlots.size())
                     .arg(rows)
                     .arg(count));
}

// Whole days: the times the client sends with the dates are not looked at.
Reply report(const SimulatorState &state, const ClientFrame &frame)
{
    const QDate from = QDate::fromString(frame.startDate, u"yyyyMMdd");
    const QDate to = QDate::fromString(frame.endDate, u"yyyyMMdd");
    QList<ReportRecord> rows;
    if (from.isValid() && to.isValid()) {
        std::copy_if(state.report.cbegin(), state.report.cend(), std::back_inserter(rows),
                     [&](const ReportRecord &row) {
                         const QDate sent = QDate::fromString(row.sendTime.left(10), u"yyyy-MM-dd");
                         return sent >= from && sent <= to;
                     });
    }
    const QList<QByteArray> parts = ServerFrameBuilder::reportParts(frame.clientId, rows);
    return reply(parts, QStringLiteral("report %1..%2 -> %3 row(s) in %4 h part(s)")
                            .arg(frame.startDate, frame.endDate)
                            .arg(rows.size())
                            .arg(parts.size()));
}

Reply dispatch(SimulatorState &state, const ClientFrame &frame, const QDateTime &now)
{
    const QString &id = frame.clientId;
    const DataSet &data = state.data;
    switch (frame.type) {
    case FrameType::Registration:
        return registration(state, frame);
    case FrameType::ListRequest:
        return reply(
            {ServerFrameBuilder::lists(id, data.version, data.recipients, data.groupRecords())},
            QStringLiteral("lists -> p %1 (%2 recipients, %3 groups)")
                .arg(data.version)
                .arg(data.recipients.size())
                .arg(data.groups.size()));
    case FrameType::CannedRequest:
        return reply({ServerFrameBuilder::canned(id, data.canned)},
                     QStringLiteral("canned messages -> c (%1)").arg(data.canned.size()));
    case FrameType::Page:
        return page(state, frame, now);
    case FrameType::ReportQuery:
        return report(state, frame);
    case FrameType::OffLine:
        return reply({ServerFrameBuilder::closeGrant(id, '1')},
                     QStringLiteral("going off line -> o 1"));
    case FrameType::FollowUp:
        return reply({}, QStringLiteral("list-version follow-up noted, no answer"));
    default:
        return reply({}, QStringLiteral("unknown frame, no answer"));
    }
}

} // namespace

Reply answer(SimulatorState &state, const ClientFrame &frame, const QDateTime &now)
{
    const QString who = QStringLiteral("%1 %2: ").arg(QLatin1Char(frame.type)).arg(frame.clientId);
    if (!frame.checksumOk)
        return {{}, true, who + QStringLiteral("wrong checksum -> connection closed")};
    const bool known = frame.type == 'R' || state.registered.contains(frame.clientId);
    Reply result = dispatch(state, frame, now);
    result.summary =
        who + result.summary + (known ? QString() : QStringLiteral(" [unregistered ID]"));
    return result;
}

} // namespace ServerLogic
