#include "app/Clock.h"
#include "app/Version.h"
#include "ui/ClientWindows.h"
#include "ui/DesignFonts.h"
#include "ui/MessageBoxMessenger.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <exception>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel Client"));
    QApplication::setApplicationVersion(Version::Text.toString());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The operator's desktop client of a LAN paging service."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);

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
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
