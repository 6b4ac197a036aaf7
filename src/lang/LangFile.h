#pragma once

#include "lang/LangDocument.h"
#include "lang/OperatorError.h"

#include <QList>
#include <QString>

// A write to the language file that could not be done. text() is
// "Unable to write to <path>".
class LangFileError final : public OperatorError {
public:
    using OperatorError::OperatorError;
};

// The sections-and-entries text file that holds the UI texts of every
// language (Language.ini). Nothing is cached: every read sees the file as it
// is on disk, every write goes straight through.
class LangFile final {
public:
    static inline const QString FileName = QStringLiteral("Language.ini");

    explicit LangFile(const QString &path);
    const QString &path() const { return m_path; }

    // The value of key in section (both matched without regard to case,
    // surrounding blanks and tabs dropped, cut to 2047 characters), or
    // defaultValue when the key or its section is missing.
    QString ReadLangValue(const QString &section, const QString &key,
                          const QString &defaultValue) const;

    // Every entry as ReadLangValue sees the file (LangDocument::entries()).
    using Entry = LangDocument::Entry;
    QList<Entry> entries() const;

    // Replaces the entry where it stands, appends it to its section, or
    // appends the section; creates a missing file. Throws LangFileError.
    void WriteLangValue(const QString &section, const QString &key, const QString &value) const;

    // A text of the current language: ReadLangValue(language, key, defaultValue).
    QString ReadLangText(const QString &language, const QString &key,
                         const QString &defaultValue) const
    {
        return ReadLangValue(language, key, defaultValue);
    }

private:
    QString m_path;
};
