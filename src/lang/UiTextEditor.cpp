#include "lang/UiTextEditor.h"

#include "lang/LangFile.h"
#include "lang/LanguageState.h"
#include "lang/LanguageView.h"
#include "lang/Languages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

const QByteArray EmptyText = QByteArrayLiteral("        ");

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// A whole new file in place of the old, or the old one untouched.
bool writeWhole(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

LangFileError unableToWrite(const QString &path)
{
    return LangFileError(u"Unable to write to "_s + path);
}

} // namespace

UiTextEditor::UiTextEditor(LanguageState &state, const LangFile &file,
                           const QString &workingDirectory, LanguageView &mainWindow)
    : m_state(state)
    , m_file(file)
    , m_workingDirectory(workingDirectory)
    , m_mainWindow(mainWindow)
{
}

EditorTexts UiTextEditor::texts(const QString &language) const
{
    const auto read = [&](const QString &key, const QString &defaultText) {
        return m_file.ReadLangValue(language, key, defaultText);
    };
    return {read(u"frmLang"_s, u"UI Text Edit"_s),
            {read(u"NO"_s, u"No"_s), read(u"Command"_s, u"Command"_s),
             read(u"Original"_s, u"Original"_s), read(u"Current"_s, u"Current"_s)},
            read(u"btnLoad"_s, u"Load"_s),
            read(u"btnApply"_s, u"Apply"_s),
            read(u"btnSave"_s, u"Save As"_s),
            read(u"btnLoadDef"_s, u"Load Default"_s)};
}

QList<TextRow> UiTextEditor::rows(const QString &language) const
{
    QList<TextRow> result;
    for (int n = 1;; ++n) {
        const QString key = m_file.ReadLangValue(u"Command"_s, u"cmd"_s + QString::number(n), {});
        if (key.isEmpty())
            break;
        result.append({key, m_file.ReadLangValue(u"English"_s, key, {}),
                       m_file.ReadLangValue(language, key, {})});
    }
    return result;
}

void UiTextEditor::store(const QString &language, const QList<TextRow> &rows) const
{
    m_file.WriteLangValue(u"Setting"_s, u"Language"_s, language);
    for (const TextRow &row : rows) {
        if (!row.key.trimmed().isEmpty())
            m_file.WriteLangValue(language, row.key, row.current);
    }
}

QStringList UiTextEditor::splitLangText(const QByteArray &content)
{
    QStringList texts;
    for (const QByteArray &piece : content.split('\n')) {
        for (const QByteArray &line : piece.split('\r')) {
            if (!line.isEmpty())
                texts.append(QString::fromUtf8(line));
        }
    }
    return texts;
}

QByteArray UiTextEditor::joinLangText(const QStringList &texts)
{
    QByteArray content;
    for (const QString &text : texts)
        content += (text.isEmpty() ? EmptyText : text.toUtf8() + '\t') + "\r\n";
    return content;
}

std::optional<QStringList> UiTextEditor::readLangFile(const QString &path)
{
    const std::optional<QByteArray> content = readBytes(path);
    if (!content)
        return std::nullopt;
    return splitLangText(*content);
}

QList<TextRow> UiTextEditor::withLoadedTexts(QList<TextRow> rows, const QStringList &texts)
{
    rows.resize(texts.size());
    for (qsizetype k = 0; k < texts.size(); ++k)
        rows[k].current = texts.at(k);
    return rows;
}

QString UiTextEditor::withLangSuffix(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + LangSuffix;
}

void UiTextEditor::saveLangFile(const QString &path, const QStringList &texts) const
{
    if (QFileInfo::exists(path)) {
        // The earlier file is kept under the .lang name, as a backup of sorts;
        // when that name is taken the save simply replaces it.
        const QString kept = startupPath(QFileInfo(path).completeBaseName() + u'.' + LangSuffix);
        if (QFileInfo(kept).absoluteFilePath() != QFileInfo(path).absoluteFilePath())
            QFile::rename(path, kept);
    }
    if (!writeWhole(path, joinLangText(texts)))
        throw unableToWrite(path);
}

bool UiTextEditor::loadDefault() const
{
    const std::optional<QByteArray> pristine = readBytes(startupPath(DefaultFileName));
    if (!pristine)
        return false;

    const QString languagePath = m_file.path();
    const QString backup = startupPath(QFileInfo(languagePath).completeBaseName() + u".bak"_s);
    // Fails when a backup is there already: the first one is kept.
    const bool movedAside = QFile::rename(languagePath, backup);
    if (!writeWhole(languagePath, *pristine)) {
        if (movedAside)
            QFile::rename(backup, languagePath);
        throw unableToWrite(languagePath);
    }

    m_state.CurrentLanguage = m_file.ReadLangValue(u"Setting"_s, u"Language"_s, u"English"_s);
    if (Languages::find(m_state.CurrentLanguage))
        m_mainWindow.checkLanguage(m_state.CurrentLanguage);
    m_mainWindow.applyCaptions(m_state.CurrentLanguage);
    return true;
}

QString UiTextEditor::startupPath(const QString &name) const
{
    return QDir(m_workingDirectory).filePath(name);
}
