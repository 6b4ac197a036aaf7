#pragma once

#include <QString>
#include <QStringView>

// The rules of the message memo: a page carries at most 256 characters, all
// of them printable ASCII (0x20 to 0x7F), so no line break, tab, control
// character or character outside ASCII ever reaches the frame.
namespace MessageText {

inline constexpr qsizetype MaxLength = 256;

// What the memo holds after an edit, and where its cursor goes.
struct Accepted {
    QString text;
    qsizetype cursor = 0;
};

bool isAllowed(QChar character);
// The characters of `text` that a page may carry, in order.
QString filtered(QStringView text);

// The memo held `previous` and now holds `current`: typed, pasted, set by
// the program. The characters that came in are found by comparing the two;
// disallowed characters are dropped everywhere, and of the new ones only as
// many are kept as fit under MaxLength, so typing at the limit adds nothing
// and a paste stops there. The cursor goes after the last kept new character.
Accepted accept(QStringView previous, QStringView current);

// A message of blanks only is no message.
bool isBlank(QStringView text);

} // namespace MessageText
