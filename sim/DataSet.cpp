#include "DataSet.h"

#include <algorithm>

std::optional<ListRecord> DataSet::recipient(const QString &serial) const
{
    const auto found = std::find_if(recipients.cbegin(), recipients.cend(),
                                    [&](const ListRecord &r) { return r.serial == serial; });
    if (found == recipients.cend())
        return std::nullopt;
    return *found;
}

const DataSet::Group *DataSet::group(const QString &serial) const
{
    const auto found = std::find_if(groups.cbegin(), groups.cend(),
                                    [&](const Group &g) { return g.record.serial == serial; });
    return found == groups.cend() ? nullptr : &*found;
}

QList<ListRecord> DataSet::groupRecords() const
{
    QList<ListRecord> records;
    for (const Group &g : groups)
        records.append(g.record);
    return records;
}

DataSet DataSet::demo()
{
    DataSet data;
    const auto r = [](const char16_t *serial, const char16_t *name) {
        return ListRecord{QString::fromUtf16(serial), QString::fromUtf16(name)};
    };
    data.recipients = {
        r(u"0011", u"Night Desk"),  r(u"0012", u"Ann Baker"),   r(u"0013", u"Ben Carter"),
        r(u"0014", u"Clara Dunn"),  r(u"0015", u"David Ellis"), r(u"0016", u"Eva Fischer"),
        r(u"0017", u"Frank Green"), r(u"0018", u"Grace Hall"),  r(u"0019", u"Henry Irving"),
        r(u"0020", u"Iris Jones"),  r(u"0021", u"Jack Keller"), r(u"0022", u"Karen Lopez"),
    };
    data.groups = {
        {r(u"G001", u"Night shift"),
         {QStringLiteral("0011"), QStringLiteral("0012"), QStringLiteral("0013")}},
        {r(u"G002", u"Day shift"),
         {QStringLiteral("0014"), QStringLiteral("0015"), QStringLiteral("0016"),
          QStringLiteral("0017")}},
        {r(u"G003", u"Maintenance"), {QStringLiteral("0018"), QStringLiteral("0021")}},
        {r(u"G004", u"Management"), {QStringLiteral("0019"), QStringLiteral("0022")}},
    };
    data.canned = {
        QStringLiteral("Please call the front desk."),
        QStringLiteral("Visitor waiting at reception."),
        QStringLiteral("Meeting in room 2 at 10:00."),
        QStringLiteral("Urgent: call back immediately."),
        QStringLiteral("Shift change in 15 minutes."),
        QStringLiteral("Fire drill at 14:00, assemble in the car park."),
    };
    data.failing = {QStringLiteral("0013"), QStringLiteral("0021")};
    data.pending = {QStringLiteral("0016")};
    return data;
}
