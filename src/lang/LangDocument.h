#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The text of a language file, read and changed in memory: sections of
// "key=value" entries. Names match without regard to case; blanks and tabs
// around names and values are dropped; values are cut to 2047 characters.
// A change rewrites only the line it concerns and keeps the byte order mark
// and line end style the text came with.
class LangDocument final {
public:
    struct Entry {
        QString section;
        QString key;
        QString value;
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    explicit LangDocument(QByteArray bytes = {});

    // The value of key in the first section of that name, or nothing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    // Every entry as value() sees the text: the first section of each name,
    // the first entry of each key in it, in text order.
    QList<Entry> entries() const;
    // Replaces the entry where it stands, appends it to its section, or
    // appends the section. A value is one line: line breaks become blanks.
    // False, changing nothing, for a section or key that could not be read
    // back as written.
    bool setValue(const QString &section, const QString &key, const QString &value);

    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
