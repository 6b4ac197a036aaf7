#pragma once

#include <QString>

#include <cstdint>

// Whom a recipient-list entry names: one person or one group. The letter is
// what the hidden kind list shows for the entry.
enum class RecipientKind : std::uint8_t {
    Person,
    Group,
};

// One line of the recipient list: a name as the pick list showed it, and its kind.
struct RecipientEntry {
    QString text;
    RecipientKind kind = RecipientKind::Person;

    friend bool operator==(const RecipientEntry &, const RecipientEntry &) = default;
};

inline QString kindLetter(RecipientKind kind)
{
    return kind == RecipientKind::Person ? QStringLiteral("P") : QStringLiteral("G");
}
