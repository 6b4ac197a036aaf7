#include "lang/LangFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringView>

#include <optional>

namespace {

// Longer values are cut, as the operator's texts were always read into a
// buffer of this size.
constexpr qsizetype MaxValueLength = 2047;

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray Lf = QByteArrayLiteral("\n");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Only blanks and tabs surround a name or value; other white space belongs to it.
QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString cutValue(QStringView value)
{
    if (value.size() <= MaxValueLength)
        return value.toString();
    qsizetype length = MaxValueLength;
    // Never keep half of a character that needs two UTF-16 units.
    if (value[length - 1].isHighSurrogate())
        --length;
    return value.first(length).toString();
}

// One line as stored: its text without the line end, and the line end itself
// (empty only for an unterminated last line).
struct Line {
    QByteArray content;
    QByteArray ending;
};

enum class LineKind { Other, Section, Entry };

// What a line means to a reader: a section header with its name, an entry
// with its key and value, or anything else (blank, comment, stray text).
struct LineMeaning {
    LineKind kind = LineKind::Other;
    QString name;
    QString value;
};

LineMeaning meaningOf(const Line &line)
{
    const QString text = QString::fromUtf8(line.content);
    const QStringView body = trimBlanks(text);
    if (body.isEmpty() || body.startsWith(u';'))
        return {};
    if (body.startsWith(u'[')) {
        const qsizetype close = body.indexOf(u']');
        const QStringView name = close < 0 ? body.sliced(1) : body.sliced(1, close - 1);
        return {LineKind::Section, trimBlanks(name).toString(), {}};
    }
    const qsizetype equals = body.indexOf(u'=');
    if (equals < 0)
        return {};
    return {LineKind::Entry, trimBlanks(body.first(equals)).toString(),
            trimBlanks(body.sliced(equals + 1)).toString()};
}

// The file split into lines, with the byte order mark and line end style it
// came with, so that a rewrite changes nothing but the line it writes.
struct LangText {
    QByteArray prefix;
    QList<Line> lines;
    QByteArray newLine = CrLf;
};

LangText splitLines(QByteArray bytes)
{
    LangText text;
    if (bytes.startsWith(Bom)) {
        text.prefix = Bom;
        bytes.remove(0, Bom.size());
    }
    const qsizetype firstEnd = bytes.indexOf('\n');
    if (firstEnd >= 0 && (firstEnd == 0 || bytes[firstEnd - 1] != '\r'))
        text.newLine = Lf;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            text.lines.append({bytes.sliced(start), {}});
            break;
        }
        const bool crlf = end > start && bytes[end - 1] == '\r';
        const qsizetype contentEnd = crlf ? end - 1 : end;
        text.lines.append({bytes.sliced(start, contentEnd - start), crlf ? CrLf : Lf});
        start = end + 1;
    }
    return text;
}

QByteArray joinLines(const LangText &text)
{
    QByteArray bytes = text.prefix;
    for (const Line &line : text.lines)
        bytes += line.content + line.ending;
    return bytes;
}

// Where a section lies: its header line, the first entry of the wanted key
// in it and its last entry line. Only the first section of a name counts.
struct SectionPlace {
    qsizetype header = -1;
    qsizetype entry = -1;
    qsizetype lastEntry = -1;
};

SectionPlace findEntry(const LangText &text, QStringView section, QStringView key)
{
    SectionPlace place;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        const LineMeaning meaning = meaningOf(text.lines[i]);
        if (meaning.kind == LineKind::Section) {
            if (place.header >= 0)
                break;
            if (sameName(meaning.name, section))
                place.header = i;
        } else if (meaning.kind == LineKind::Entry && place.header >= 0) {
            place.lastEntry = i;
            if (place.entry < 0 && sameName(meaning.name, key))
                place.entry = i;
        }
    }
    return place;
}

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// A section or key that the file could not give back as written: it would be
// read as another line kind or would break the line structure.
bool isStorable(QStringView section, QStringView key)
{
    const auto hasLineBreak = [](QStringView text) {
        return text.contains(u'\r') || text.contains(u'\n');
    };
    return !section.isEmpty() && !key.isEmpty() && !hasLineBreak(section) && !hasLineBreak(key) &&
           !section.contains(u']') && !key.contains(u'=') && !key.startsWith(u'[') &&
           !key.startsWith(u';');
}

// A value is one line: a line break in it would end the entry and start a
// line of its own, so each one becomes a blank.
QByteArray oneLine(const QString &value)
{
    QString text = value;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text.toUtf8();
}

void ensureTerminated(LangText &text, qsizetype index)
{
    if (index >= 0 && text.lines[index].ending.isEmpty())
        text.lines[index].ending = text.newLine;
}

void setEntry(LangText &text, QStringView section, QStringView key, const QByteArray &value)
{
    const SectionPlace place = findEntry(text, section, key);
    if (place.entry >= 0) {
        // Keep the key as the file spells it; only the value changes.
        Line &line = text.lines[place.entry];
        line.content = line.content.first(line.content.indexOf('=') + 1) + value;
        return;
    }
    const QByteArray entry = key.toUtf8() + '=' + value;
    if (place.header >= 0) {
        const qsizetype after = place.lastEntry >= 0 ? place.lastEntry : place.header;
        ensureTerminated(text, after);
        text.lines.insert(after + 1, {entry, text.newLine});
        return;
    }
    ensureTerminated(text, text.lines.size() - 1);
    text.lines.append({'[' + section.toUtf8() + ']', text.newLine});
    text.lines.append({entry, text.newLine});
}

} // namespace

LangFile::LangFile(const QString &path)
    : m_path(path)
{
}

QString LangFile::ReadLangValue(const QString &section, const QString &key,
                                const QString &defaultValue) const
{
    const std::optional<QByteArray> bytes = readBytes(m_path);
    if (!bytes)
        return defaultValue;
    const LangText text = splitLines(*bytes);
    const SectionPlace place = findEntry(text, trimBlanks(section), trimBlanks(key));
    if (place.entry < 0)
        return defaultValue;
    return cutValue(meaningOf(text.lines[place.entry]).value);
}

void LangFile::WriteLangValue(const QString &section, const QString &key,
                              const QString &value) const
{
    const LangFileError failure(QStringLiteral("Unable to write to ") + m_path);
    const QStringView sectionName = trimBlanks(section);
    const QStringView keyName = trimBlanks(key);
    if (!isStorable(sectionName, keyName))
        throw failure;

    // A read-only language file is the operator's protection: refuse before
    // anything is written rather than rely on a rename over it failing.
    const QFileInfo info(m_path);
    QByteArray bytes;
    if (info.exists()) {
        if (!info.isWritable())
            throw failure;
        const std::optional<QByteArray> current = readBytes(m_path);
        if (!current)
            throw failure;
        bytes = *current;
    }

    LangText text = splitLines(bytes);
    setEntry(text, sectionName, keyName, oneLine(value));
    const QByteArray content = joinLines(text);

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw failure;
}
