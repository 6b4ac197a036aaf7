#include "store/SendTime.h"

#include <QRegularExpression>

namespace SendTime {

QString stored(const QDateTime &dateTime)
{
    return dateTime.toString(StoredFormat);
}

QString fromWire(const QString &text)
{
    // Most servers send the stored form already.
    if (isStoredDate(QStringView(text)))
        return text;
    // Date: one to four digits, a separator, the month, the same separator,
    // one to four digits; the side with four digits is the year. Time
    // (optional): hours and minutes, optionally seconds and their fraction.
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d{1,4})([-/.])(\d{1,2})\2(\d{1,4}))"
                       R"((?:(?:\s+|T)(\d{1,2}):(\d{2})(?::(\d{2})(?:[.,]\d+)?)?)?\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return text;
    const QString first = match.captured(1);
    const QString last = match.captured(4);
    int year = 0;
    int day = 0;
    if (first.size() == 4 && last.size() <= 2) {
        year = first.toInt();
        day = last.toInt();
    } else if (last.size() == 4 && first.size() <= 2) {
        year = last.toInt();
        day = first.toInt();
    } else {
        return text;
    }
    const QDate date(year, match.captured(3).toInt(), day);
    const QTime time(match.captured(5).toInt(), match.captured(6).toInt(),
                     match.captured(7).toInt());
    if (!date.isValid() || !time.isValid())
        return text;
    // Wall-clock parts as written: no time zone may move them.
    return date.toString(u"yyyy-MM-dd") + u' ' + time.toString(u"HH:mm:ss");
}

namespace {

char16_t unit(QChar c)
{
    return c.unicode();
}
char16_t unit(char c)
{
    return static_cast<unsigned char>(c);
}

// Digits where the stored form has a letter of its pattern, its own
// characters elsewhere.
template <typename Text> bool inStoredForm(const Text &text)
{
    if (text.size() != StoredFormat.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar expected = StoredFormat[i];
        const char16_t c = unit(text[i]);
        if (expected.isLetter() ? (c < u'0' || c > u'9') : c != expected.unicode())
            return false;
    }
    return true;
}

} // namespace

bool isStoredDate(QStringView text)
{
    return inStoredForm(text);
}

bool isStoredDate(QByteArrayView utf8)
{
    return inStoredForm(utf8);
}

QString shown(const QString &storedText)
{
    if (!isStoredDate(storedText))
        return storedText;
    QString text = storedText;
    text[4] = u'/';
    text[7] = u'/';
    return text;
}

} // namespace SendTime
