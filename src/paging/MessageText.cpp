#include "paging/MessageText.h"

#include <algorithm>
#include <iterator>

namespace MessageText {

bool isAllowed(QChar character)
{
    return character.unicode() >= 0x20 && character.unicode() <= 0x7F;
}

QString filtered(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), isAllowed);
    return kept;
}

Accepted accept(QStringView previous, QStringView current)
{
    // The unchanged start and end; what lies between them in `current` is new.
    const qsizetype shorter = std::min(previous.size(), current.size());
    qsizetype prefix = 0;
    while (prefix < shorter && previous[prefix] == current[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           previous[previous.size() - 1 - suffix] == current[current.size() - 1 - suffix])
        ++suffix;

    const QString before = filtered(current.first(prefix));
    const QString after = filtered(current.last(suffix));
    const qsizetype room = std::max<qsizetype>(0, MaxLength - before.size() - after.size());
    const QString inserted =
        filtered(current.sliced(prefix, current.size() - prefix - suffix)).left(room);

    Accepted result{before + inserted + after, before.size() + inserted.size()};
    // Only a memo that was already too long (set while unchecked) gets here.
    if (result.text.size() > MaxLength) {
        result.text.truncate(MaxLength);
        result.cursor = std::min(result.cursor, MaxLength);
    }
    return result;
}

bool isBlank(QStringView text)
{
    return text.trimmed().isEmpty();
}

} // namespace MessageText
