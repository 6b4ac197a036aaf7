#include "lang/LangDocument.h"

#include <QByteArray>
#include <QList>
#include <QStringDecoder>
#include <QStringView>

#include <algorithm>

namespace {

// Longer values are cut, as the operator's texts were always read into a
// buffer of this size.
constexpr qsizetype MaxValueLength = 2047;

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray Lf = QByteArrayLiteral("\n");
const QByteArray Cr = QByteArrayLiteral("\r");

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

// A line's text. A byte order mark at its start is a character of the line
// (a key may begin with U+FEFF); only the file's first bytes can be its mark.
QString decodeLine(const QByteArray &content)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(content);
}

LineMeaning meaningOf(const Line &line)
{
    const QString text = decodeLine(line.content);
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
            // A last line ending in a bare CR ends there: the CR is not part of
            // its value, as it would not be once a line is written after it.
            QByteArray last = bytes.sliced(start);
            QByteArray ending;
            if (last.endsWith('\r')) {
                last.chop(1);
                ending = Cr;
            }
            text.lines.append({last, ending});
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

// A line that others will follow needs a full line end: without one, or
// with a bare CR, the next line would run on in it. A bare CR becomes CR LF
// whatever the file's style, so that a CR at the end of the line's own text
// stays part of it.
void ensureTerminated(LangText &text, qsizetype index)
{
    if (index < 0)
        return;
    QByteArray &ending = text.lines[index].ending;
    if (ending == Cr)
        ending = CrLf;
    else if (ending.isEmpty())
        ending = text.newLine;
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

LangDocument::LangDocument(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
}

std::optional<QString> LangDocument::value(const QString &section, const QString &key) const
{
    const LangText text = splitLines(m_bytes);
    const SectionPlace place = findEntry(text, trimBlanks(section), trimBlanks(key));
    if (place.entry < 0)
        return std::nullopt;
    return cutValue(meaningOf(text.lines[place.entry]).value);
}

QList<LangDocument::Entry> LangDocument::entries() const
{
    QList<Entry> result;
    const LangText text = splitLines(m_bytes);
    QStringList seenSections;
    bool inFirstOfItsName = false;
    qsizetype sectionStart = 0;
    QString section;
    for (const Line &line : text.lines) {
        const LineMeaning meaning = meaningOf(line);
        if (meaning.kind == LineKind::Section) {
            // Only the first section of a name is ever read.
            inFirstOfItsName = !seenSections.contains(meaning.name, Qt::CaseInsensitive);
            seenSections.append(meaning.name);
            section = meaning.name;
            sectionStart = result.size();
        } else if (meaning.kind == LineKind::Entry && inFirstOfItsName) {
            const bool seen = std::any_of(
                result.cbegin() + sectionStart, result.cend(),
                [&meaning](const Entry &entry) { return sameName(entry.key, meaning.name); });
            if (!seen)
                result.append({section, meaning.name, cutValue(meaning.value)});
        }
    }
    return result;
}

bool LangDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QStringView sectionName = trimBlanks(section);
    const QStringView keyName = trimBlanks(key);
    if (!isStorable(sectionName, keyName))
        return false;
    LangText text = splitLines(m_bytes);
    setEntry(text, sectionName, keyName, oneLine(value));
    m_bytes = joinLines(text);
    return true;
}
