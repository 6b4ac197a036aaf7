#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

// The directory the client works in, holding Client.mdb, Language.ini and
// DefLang.dat. The command line may name one (--data-dir DIR) or ask for the
// operator's own (--user-data); without either the client works in its
// current directory, as it always has.
class DataDirectory final {
public:
    // What prepare() did with the language files.
    struct Preparation {
        // Copied in because the directory lacked them.
        QStringList copied;
        // Missing from the directory and not installed either.
        QStringList notInstalled;
    };

    // The files a new data directory receives from the installed ones, so a
    // new operator has every language and the editor's defaults.
    static const QStringList &languageFiles();

    // The options that choose a directory, for the program's parser.
    static QList<QCommandLineOption> options();
    // The directory the parsed command line asks for, or nothing for the
    // current directory. Throws DataDirectoryError when it asks for two or
    // for an empty path.
    static std::optional<DataDirectory> fromCommandLine(const QCommandLineParser &parser);
    // The operator's own data directory (QStandardPaths::AppDataLocation).
    static DataDirectory perUser();

    // `path` relative to the current directory, or absolute.
    explicit DataDirectory(const QString &path);

    const QString &path() const { return m_path; }

    // Makes the directory ready to work in: creates it when missing, checks
    // that files can be written in it, and copies each language file it lacks
    // from `installedData`, never over an existing file. Throws
    // DataDirectoryError naming the path and the reason.
    Preparation prepare(const QString &installedData) const;

private:
    void create() const;
    void checkWritable() const;
    void copyIn(const QString &name, const QString &source) const;

    QString m_path;
};
