// The language file's reader and writer (the document the file holds) on any
// text: writing a value back changes no entry, a written value reads back as
// the reader gives values, and a write of one key changes no other key's value.
#include "FuzzInput.h"
#include "lang/LangDocument.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString expectedValue(QString value)
{
    // One line, blanks and tabs around it dropped, at most 2047 characters.
    value.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ');
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && (value[begin] == u' ' || value[begin] == u'\t'))
        ++begin;
    while (end > begin && (value[end - 1] == u' ' || value[end - 1] == u'\t'))
        --end;
    QString trimmed = value.sliced(begin, end - begin);
    if (trimmed.size() > 2047)
        trimmed.truncate(trimmed[2046].isHighSurrogate() ? 2046 : 2047);
    return trimmed;
}

QList<LangDocument::Entry> without(QList<LangDocument::Entry> entries, const QString &section,
                                   const QString &key)
{
    entries.removeIf([&](const LangDocument::Entry &entry) {
        return entry.section.compare(section, Qt::CaseInsensitive) == 0 &&
               entry.key.compare(key, Qt::CaseInsensitive) == 0;
    });
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString section = QString::fromUtf8(input.field()).trimmed();
    const QString key = QString::fromUtf8(input.field()).trimmed();
    const QString value = QString::fromUtf8(input.field());
    LangDocument document(input.rest().toByteArray());
    const QList<LangDocument::Entry> before = document.entries();

    // Read, written back and read again: the same entries. (A value that
    // holds a bare CR cannot be written as it was read: a written value is
    // one line.)
    const auto writable =
        std::find_if(before.cbegin(), before.cend(), [](const LangDocument::Entry &entry) {
            return !entry.value.contains(u'\r') && !entry.value.contains(u'\n');
        });
    if (writable != before.cend()) {
        LangDocument rewritten = document;
        if (rewritten.setValue(writable->section, writable->key, writable->value))
            FUZZ_CHECK(LangDocument(rewritten.bytes()).entries() == before);
    }

    const QByteArray original = document.bytes();
    if (!document.setValue(section, key, value)) {
        FUZZ_CHECK(document.bytes() == original);
        return 0;
    }
    const LangDocument reread(document.bytes());
    FUZZ_CHECK(reread.value(section, key) == expectedValue(value));
    FUZZ_CHECK(without(reread.entries(), section, key) == without(before, section, key));
    return 0;
}
