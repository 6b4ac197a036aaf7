#include "lang/LocaleSeparators.h"

using namespace Qt::StringLiterals;

namespace {

// The first character of a format that is neither a field letter, a quote
// nor a blank: what stands between two of its fields.
QString firstSeparator(const QString &format, const QString &fallback)
{
    for (const QChar c : format) {
        if (!c.isLetter() && c != u'\'' && !c.isSpace())
            return QString(c);
    }
    return fallback;
}

QString twoDigits(int value)
{
    return u"%1"_s.arg(value, 2, 10, QChar(u'0'));
}

} // namespace

namespace LocaleSeparators {

QString dateSeparator(const QLocale &locale)
{
    return firstSeparator(locale.dateFormat(QLocale::ShortFormat), u"/"_s);
}

QString timeSeparator(const QLocale &locale)
{
    return firstSeparator(locale.timeFormat(QLocale::ShortFormat), u":"_s);
}

QString clockText(const QDateTime &dateTime, const QLocale &locale)
{
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    const QString dates = dateSeparator(locale);
    const QString times = timeSeparator(locale);
    return u"%1"_s.arg(date.year(), 4, 10, QChar(u'0')) + dates + twoDigits(date.month()) + dates +
           twoDigits(date.day()) + u' ' + twoDigits(time.hour()) + times +
           twoDigits(time.minute()) + times + twoDigits(time.second());
}

} // namespace LocaleSeparators
