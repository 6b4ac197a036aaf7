#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class LangFile;
class LanguageView;
struct LanguageState;

// One row of the UI text editor: a key of the language sections, its English
// text and its text in the language being edited.
struct TextRow {
    QString key;
    QString english;
    QString current;

    bool operator==(const TextRow &) const = default;
};

// The editor's own captions in one language.
struct EditorTexts {
    QString caption;
    std::array<QString, 4> headers; // No, Command, Original, Current
    QString load;
    QString apply;
    QString save;
    QString loadDefault;
};

// The file side of the UI text editor, without its window: the rows it
// shows, writing them back, exchanging the texts with .lang files (one text
// per line, by position) and restoring the language file from DefLang.dat.
// Every file lies in the start-up directory unless the operator chose another.
class UiTextEditor final {
public:
    static inline const QString DefaultFileName = QStringLiteral("DefLang.dat");
    static inline const QString LangFilter = QStringLiteral("Lang files (*.lang)");
    static inline const QString LangSuffix = QStringLiteral("lang");

    UiTextEditor(LanguageState &state, const LangFile &file, const QString &workingDirectory,
                 LanguageView &mainWindow);
    Q_DISABLE_COPY_MOVE(UiTextEditor)

    const QString &workingDirectory() const { return m_workingDirectory; }

    EditorTexts texts(const QString &language) const;
    // One row per key of the section "Command" (cmd1, cmd2, ...), up to the
    // first number without one.
    QList<TextRow> rows(const QString &language) const;
    // Stores language as the chosen one and every row's text under its key;
    // a row without a key has nowhere to go and is left out. Throws
    // LangFileError, having written the entries before the failing one.
    void store(const QString &language, const QList<TextRow> &rows) const;

    // The texts of a .lang file's content: split at every CR and LF, empty
    // pieces dropped; a text keeps its trailing tab or its eight blanks.
    static QStringList splitLangText(const QByteArray &content);
    // One line per text: the text, a tab and CR LF; an empty text as eight blanks and CR LF.
    static QByteArray joinLangText(const QStringList &texts);
    // The texts of a .lang file, or nothing when it cannot be read.
    static std::optional<QStringList> readLangFile(const QString &path);
    // The rows after a Load: as many as there are texts, each text in place
    // of the row's current one; new rows have no key yet.
    static QList<TextRow> withLoadedTexts(QList<TextRow> rows, const QStringList &texts);
    // path with ".lang" added when it has no suffix.
    static QString withLangSuffix(const QString &path);
    // Writes texts to path as a whole or not at all. A file already there is
    // first moved to its base name with ".lang" in the start-up directory
    // (left in place when that fails). Throws LangFileError.
    void saveLangFile(const QString &path, const QStringList &texts) const;

    // Restores the language file from DefLang.dat: the language file is kept
    // once as Language.bak (an older backup is never replaced), the stored
    // language becomes the current one, its menu item is checked and the main
    // window re-captioned. False, with nothing changed, when DefLang.dat
    // cannot be read; throws LangFileError when the language file cannot be
    // written, after putting it back.
    bool loadDefault() const;

private:
    QString startupPath(const QString &name) const;

    LanguageState &m_state;
    const LangFile &m_file;
    const QString m_workingDirectory;
    LanguageView &m_mainWindow;
};
