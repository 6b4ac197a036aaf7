#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

// Send times of report rows. They are stored as "yyyy-MM-dd HH:mm:ss", which
// orders chronologically as text; a text that is no date is kept as the
// server wrote it.
namespace SendTime {

inline constexpr QStringView StoredFormat = u"yyyy-MM-dd HH:mm:ss";
// The stored form as an SQL GLOB pattern, to tell dated rows from the rest.
inline constexpr QStringView StoredPattern =
    u"[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]";

QString stored(const QDateTime &dateTime);

// The stored form of a send time as it came: year first or day first, the
// date's parts separated by "/", "-" or ".", with or without a time and its
// seconds; anything else as it came.
QString fromWire(const QString &text);

// Whether a stored text is a date in the stored form.
bool isStoredDate(QStringView text);

// As the report shows it: "yyyy/MM/dd HH:mm:ss"; a text that is no date as stored.
QString shown(const QString &storedText);

} // namespace SendTime
