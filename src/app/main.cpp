#include "app/Clock.h"
#include "ui/ClientWindows.h"
#include "ui/DesignFonts.h"
#include "ui/MessageBoxMessenger.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel Client"));
    installDesignFontSubstitutions();

    MessageBoxMessenger messenger;
    SystemClock clock;
    ClientWindows windows(messenger, clock);
    windows.Form1.FormCreate();
    windows.Form1.show();
    return QApplication::exec();
}
