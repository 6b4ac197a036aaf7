#include "app/DataDirectory.h"

#include "app/DataDirectoryError.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

const QString DataDirOption = u"data-dir"_s;
const QString UserDataOption = u"user-data"_s;

std::filesystem::path nativePath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

const QStringList &DataDirectory::languageFiles()
{
    static const QStringList files{u"Language.ini"_s, u"DefLang.dat"_s};
    return files;
}

QList<QCommandLineOption> DataDirectory::options()
{
    return {
        QCommandLineOption(DataDirOption,
                           u"Work in DIR, which holds Client.mdb, Language.ini and DefLang.dat; "
                           u"created when missing."_s,
                           u"DIR"_s),
        QCommandLineOption(UserDataOption,
                           u"Work in the per-user data directory, created when missing."_s),
    };
}

std::optional<DataDirectory> DataDirectory::fromCommandLine(const QCommandLineParser &parser)
{
    const bool named = parser.isSet(DataDirOption);
    if (named && parser.isSet(UserDataOption))
        throw DataDirectoryError(u"Use either --data-dir or --user-data, not both."_s);
    if (parser.isSet(UserDataOption))
        return perUser();
    if (!named)
        return std::nullopt;
    const QString path = parser.value(DataDirOption);
    if (path.isEmpty())
        throw DataDirectoryError(u"--data-dir needs the path of a directory."_s);
    return DataDirectory(path);
}

DataDirectory DataDirectory::perUser()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (path.isEmpty())
        throw DataDirectoryError(
            u"There is no per-user data directory (is HOME set?); use --data-dir."_s);
    return DataDirectory(path);
}

DataDirectory::DataDirectory(const QString &path)
    : m_path(QDir::cleanPath(QDir::current().absoluteFilePath(path)))
{
}

DataDirectory::Preparation DataDirectory::prepare(const QString &installedData) const
{
    create();
    checkWritable();
    Preparation done;
    const QDir here(m_path);
    const QDir installed(installedData);
    for (const QString &name : languageFiles()) {
        const QFileInfo target(here.filePath(name));
        if (target.exists() || target.isSymLink())
            continue;
        const QString source = installed.filePath(name);
        if (!QFileInfo(source).isFile()) {
            done.notInstalled.append(name);
            continue;
        }
        copyIn(name, source);
        done.copied.append(name);
    }
    return done;
}

void DataDirectory::create() const
{
    const QFileInfo info(m_path);
    if (info.isDir())
        return;
    if (info.exists())
        throw DataDirectoryError(
            u"Cannot use %1 as the data directory: it is not a directory."_s.arg(m_path));
    std::error_code error;
    std::filesystem::create_directories(nativePath(m_path), error);
    if (error)
        throw DataDirectoryError(u"Cannot create the data directory %1: %2."_s.arg(
            m_path, QString::fromLocal8Bit(error.message())));
}

void DataDirectory::checkWritable() const
{
    // A real write answers for permissions, read-only mounts and ACLs alike.
    QTemporaryFile probe(QDir(m_path).filePath(u".write-check-XXXXXX"_s));
    if (!probe.open())
        throw DataDirectoryError(
            u"Cannot write in the data directory %1: %2."_s.arg(m_path, probe.errorString()));
}

void DataDirectory::copyIn(const QString &name, const QString &source) const
{
    const QString target = QDir(m_path).filePath(name);
    QFile file(source);
    if (!file.copy(target))
        throw DataDirectoryError(u"Cannot copy %1 into the data directory %2: %3."_s.arg(
            name, m_path, file.errorString()));
    // The copy keeps the installed file's mode, which may be read-only; the
    // client writes its language choice into Language.ini.
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
}
