#include "app/Clock.h"
#include "app/DataDirectory.h"
#include "app/DataDirectoryError.h"
#include "app/Version.h"
#include "ui/ClientWindows.h"
#include "ui/DesignFonts.h"
#include "ui/MessageBoxMessenger.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString ProductName = u"Quorvel Client"_s;

// --help and --version answer without a display, so they work over ssh;
// everything else needs the windows.
std::unique_ptr<QCoreApplication> createApplication(int &argc, char **argv,
                                                    QCommandLineParser &parser)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    parser.parse(arguments);
    if (parser.isSet(u"help"_s) || parser.isSet(u"help-all"_s) || parser.isSet(u"version"_s))
        return std::make_unique<QCoreApplication>(argc, argv);
    return std::make_unique<QApplication>(argc, argv);
}

void printError(const QString &text)
{
    std::fputs(qPrintable(u"quorvel-client: "_s + text + u'\n'), stderr);
}

void reportFailure(const QString &text)
{
    printError(text);
    // Without a screen nobody could close the box.
    const QString platform = QGuiApplication::platformName();
    if (platform != u"offscreen" && platform != u"minimal")
        QMessageBox::critical(nullptr, ProductName, text);
}

// The language files installed with the program, found from its own folder.
QString installedDataDirectory()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral(QUORVEL_DATA_FROM_BINDIR));
}

// Makes the directory the command line chooses the current one, ready to
// work in, before the windows take it as their working directory.
bool enterDataDirectory(const QCommandLineParser &parser)
{
    try {
        const std::optional<DataDirectory> chosen = DataDirectory::fromCommandLine(parser);
        if (!chosen)
            return true;
        const QString installed = installedDataDirectory();
        const DataDirectory::Preparation done = chosen->prepare(installed);
        for (const QString &name : done.notInstalled)
            printError(u"warning: %1 is not installed in %2; the directory goes without it"_s.arg(
                name, installed));
        if (!QDir::setCurrent(chosen->path()))
            throw DataDirectoryError(u"Cannot enter the data directory %1."_s.arg(chosen->path()));
        return true;
    } catch (const DataDirectoryError &error) {
        reportFailure(error.text());
        return false;
    }
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(u":/icons/%1x%1/apps/quorvel-client.png"_s.arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    // The name also names the per-user data directory (~/.local/share/quorvel-client).
    QCoreApplication::setApplicationName(u"quorvel-client"_s);
    QCoreApplication::setApplicationVersion(Version::Text.toString());
    QGuiApplication::setDesktopFileName(u"example.quorvel.client"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"The operator's desktop client of a LAN paging service."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(DataDirectory::options());
    const std::unique_ptr<QCoreApplication> app = createApplication(argc, argv, parser);
    // Answers --help, --version and unknown options, and exits.
    parser.process(*app);
    if (!qobject_cast<QApplication *>(app.get()))
        return 1;

    QApplication::setWindowIcon(applicationIcon());
    if (!enterDataDirectory(parser))
        return 1;

    installDesignFontSubstitutions();
    MessageBoxMessenger messenger;
    SystemClock clock;
    try {
        ClientWindows windows(messenger, clock);
        if (!windows.Form1.FormCreate())
            return 1;
        windows.Form1.show();
        return QApplication::exec();
    } catch (const std::exception &error) {
        // A fault of the program itself, such as a window missing a component.
        QMessageBox::critical(nullptr, ProductName, QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
