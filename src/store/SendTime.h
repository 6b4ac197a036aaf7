#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringView>

// Send times of report rows. They are stored as "yyyy-MM-dd HH:mm:ss", which
// orders chronologically as text; a text that is no date is kept as the
// server wrote it.
namespace SendTime {

inline constexpr QStringView StoredFormat = u"yyyy-MM-dd HH:mm:ss";

QString stored(const QDateTime &dateTime);

// The stored form of a send time as it came: year first or day first, the
// date's parts separated by "/", "-" or ".", with or without a time and its
// seconds; anything else as it came.
QString fromWire(const QString &text);

// Whether a stored text (or its UTF-8 bytes) is a date in the stored form.
bool isStoredDate(QStringView text);
bool isStoredDate(QByteArrayView utf8);

// As the report shows it: "yyyy/MM/dd HH:mm:ss"; a text that is no date as stored.
QString shown(const QString &storedText);

} // namespace SendTime
