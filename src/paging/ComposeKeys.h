#pragma once

#include <QString>

// What a key press in the sender field or the message memo does. The window
// says what kind of key it got; these rules say what becomes of it.
namespace ComposeKeys {

// The sender's name is at most this long, not counting blanks at its ends.
inline constexpr qsizetype SenderMaxLength = 12;

enum class Key {
    Backspace,
    Enter,
    Character, // a key that types a printable character
    Other,     // cursor movement, deletion, shortcuts: never refused here
};

enum class Verdict {
    Pass,       // the field handles the key as usual
    Refuse,     // the key is swallowed
    LeaveField, // the key is swallowed and the focus leaves the field
};

// Sender field: Backspace always passes, Enter leaves the field, and a
// character is refused once the trimmed text holds SenderMaxLength
// characters, even when it would replace a selection.
Verdict senderKey(Key key, const QString &fieldText);

// Message memo: Enter leaves it (a page has no line breaks); everything else passes.
Verdict memoKey(Key key);

} // namespace ComposeKeys
