#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The separators the operator's locale writes between the parts of a date
// and of a time, taken from its short date and time formats.
namespace LocaleSeparators {

// "/" where the locale writes none (a format of words and blanks).
QString dateSeparator(const QLocale &locale = QLocale());
// ":" where the locale writes none.
QString timeSeparator(const QLocale &locale = QLocale());

// The status bar's clock: year, month, day, hour, minute and second in the
// order YYYY/MM/DD HH:mm:ss with the locale's separators.
QString clockText(const QDateTime &dateTime, const QLocale &locale = QLocale());

} // namespace LocaleSeparators
