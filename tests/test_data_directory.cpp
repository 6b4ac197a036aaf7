// Choosing the data directory on the command line and preparing it: created
// when missing, checked for writing, language files copied in once and never
// over the operator's own.
#include "WorkingDirectory.h"
#include "app/DataDirectory.h"
#include "app/DataDirectoryError.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The directory the parsed arguments choose; empty for the current one.
QString chosenPath(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions(DataDirectory::options());
    if (!parser.parse(QStringList{u"quorvel-client"_s} + arguments))
        throw DataDirectoryError(parser.errorText());
    const std::optional<DataDirectory> chosen = DataDirectory::fromCommandLine(parser);
    return chosen ? chosen->path() : QString();
}

const QString installedData = QStringLiteral(QUORVEL_DATA_DIR);

} // namespace

class TestDataDirectory : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_userData;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_userData.isValid());
        // The per-user directory follows the XDG base directories.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_userData.path()));
        QCoreApplication::setApplicationName(u"quorvel-client"_s);
    }

    void commandLineChoosesTheDirectory_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("refused");

        const QString user = m_userData.path() + u"/quorvel-client"_s;
        // clang-format off
        QTest::newRow("none: current directory") << QStringList{} << QString() << false;
        QTest::newRow("--data-dir absolute") << QStringList{u"--data-dir"_s, u"/srv/paging/desk"_s} << u"/srv/paging/desk"_s << false;
        QTest::newRow("--data-dir= with dots") << QStringList{u"--data-dir=/srv/paging/../desk/"_s} << u"/srv/desk"_s << false;
        QTest::newRow("--data-dir relative") << QStringList{u"--data-dir"_s, u"desk"_s} << u"@cwd/desk"_s << false;
        QTest::newRow("--user-data") << QStringList{u"--user-data"_s} << user << false;
        QTest::newRow("both") << QStringList{u"--user-data"_s, u"--data-dir"_s, u"/tmp"_s} << QString() << true;
        QTest::newRow("empty --data-dir") << QStringList{u"--data-dir="_s} << QString() << true;
        QTest::newRow("--data-dir without value") << QStringList{u"--data-dir"_s} << QString() << true;
        // clang-format on
    }

    void commandLineChoosesTheDirectory()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QFETCH(bool, refused);

        const WorkingDirectory cwd;
        expected.replace(u"@cwd"_s, QDir::currentPath());
        try {
            QCOMPARE(chosenPath(arguments), expected);
            QVERIFY2(!refused, "the command line was accepted");
        } catch (const DataDirectoryError &error) {
            QVERIFY2(refused, qPrintable(error.text()));
        }
    }

    void newDirectoryIsCreatedWithTheLanguageFiles()
    {
        const QTemporaryDir root;
        const DataDirectory dir(root.filePath(u"operators/desk 1"_s));

        const DataDirectory::Preparation done = dir.prepare(installedData);

        QCOMPARE(done.copied, DataDirectory::languageFiles());
        QVERIFY(done.notInstalled.isEmpty());
        for (const QString &name : DataDirectory::languageFiles()) {
            const QString copy = QDir(dir.path()).filePath(name);
            QCOMPARE(fileBytes(copy), fileBytes(QDir(installedData).filePath(name)));
        }
        // Nothing but the two files: the write check leaves no trace.
        QCOMPARE(QDir(dir.path())
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                     .size(),
                 2);
    }

    void existingFilesAreNeverReplaced()
    {
        const QTemporaryDir dir;
        const QByteArray own = "[Setting]\r\nLanguage=Dutch\r\n";
        writeFile(dir.filePath(u"Language.ini"_s), own);
        QVERIFY(QFile::link(dir.filePath(u"elsewhere"_s), dir.filePath(u"DefLang.dat"_s)));

        const DataDirectory::Preparation done = DataDirectory(dir.path()).prepare(installedData);

        QVERIFY(done.copied.isEmpty());
        QCOMPARE(fileBytes(dir.filePath(u"Language.ini"_s)), own);
        // A dangling link is the operator's too: nothing is written through it.
        QVERIFY(!QFileInfo::exists(dir.filePath(u"elsewhere"_s)));
    }

    void missingInstalledFileIsReportedNotFatal()
    {
        const QTemporaryDir installed;
        writeFile(installed.filePath(u"Language.ini"_s), "[Setting]\r\n");
        const QTemporaryDir dir;

        const DataDirectory::Preparation done = DataDirectory(dir.path()).prepare(installed.path());

        QCOMPARE(done.copied, QStringList{u"Language.ini"_s});
        QCOMPARE(done.notInstalled, QStringList{u"DefLang.dat"_s});
    }

    void copyOfReadOnlyInstalledFileIsWritable()
    {
        const QTemporaryDir installed;
        const QString source = installed.filePath(u"Language.ini"_s);
        writeFile(source, "[Setting]\r\n");
        QVERIFY(QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                  QFileDevice::ReadOther));
        const QTemporaryDir dir;

        DataDirectory(dir.path()).prepare(installed.path());

        QVERIFY(QFile::permissions(dir.filePath(u"Language.ini"_s)) & QFileDevice::WriteOwner);
    }

    void unusablePathIsRefusedWithPathAndReason_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<QString>("reason");

        // clang-format off
        QTest::newRow("a file") << u"file"_s << u"not a directory"_s;
        QTest::newRow("below a file") << u"file/desk"_s << u"Not a directory"_s;
        // clang-format on
    }

    void unusablePathIsRefusedWithPathAndReason()
    {
        QFETCH(QString, relativePath);
        QFETCH(QString, reason);

        const QTemporaryDir root;
        writeFile(root.filePath(u"file"_s), "x");
        const DataDirectory dir(root.filePath(relativePath));
        try {
            dir.prepare(installedData);
            QFAIL("an unusable directory was accepted");
        } catch (const DataDirectoryError &error) {
            QVERIFY2(error.text().contains(dir.path()), qPrintable(error.text()));
            QVERIFY2(error.text().contains(reason), qPrintable(error.text()));
        }
    }

    void readOnlyDirectoryIsRefused()
    {
        if (geteuid() == 0)
            QSKIP("root writes in read-only directories");
        const QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        try {
            DataDirectory(dir.path()).prepare(installedData);
            QFAIL("a read-only directory was accepted");
        } catch (const DataDirectoryError &error) {
            QVERIFY2(error.text().contains(dir.path()), qPrintable(error.text()));
            QVERIFY2(error.text().contains(u"Permission denied"_s), qPrintable(error.text()));
        }
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestDataDirectory)
#include "test_data_directory.moc"
