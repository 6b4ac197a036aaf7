// Renders the four windows to PNG files in each of the four languages, each
// language selected through the main window's menu as the operator selects
// it, so that their look can be checked without starting the client.
//
//   render-windows [output folder]   (default: docs/pictures)
#include "app/Clock.h"
#include "app/StderrMessenger.h"
#include "lang/LangFile.h"
#include "store/ClientStore.h"
#include "ui/CaptionWalk.h"
#include "ui/ClientWindows.h"
#include "ui/DesignFonts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The pictures show the same moment every time they are made.
class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2014, 1, 21), QTime(9, 5, 7)); }
    std::uint32_t tickCount() const override { return 0; }
};

bool save(QWidget &window, const QString &folder, const QString &name)
{
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + u".png"_s);
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    window.hide();
    return saved;
}

// A short report, answered and sorted by send time, as an operator sees it.
void showReport(ClientWindows &windows)
{
    const auto row = [](int i, const QString &to, const QString &status, const QString &text) {
        return ReportRecord{u"DESK01"_s, to,
                            u"2014-01-21 0%1:%2:07"_s.arg(8 + i % 2).arg(10 + 7 * i), status,
                            u"From DESK01:\r\n"_s + text};
    };
    ClientStore &store = windows.session.store();
    store.startReport({row(0, u"Ann Baker"_s, u"OK"_s, u"Please call the front desk."_s),
                       row(1, u"Ben Carter"_s, u"Failed"_s, u"Visitor waiting at reception."_s),
                       row(2, u"Night Desk"_s, u"OK"_s, u"Shift change in 15 minutes."_s),
                       row(3, u"Eva Fischer"_s, QString(), u"Meeting in room 2 at 10:00."_s)});
    store.finishReport();
    windows.Form1.DBGrid3TitleClick(2);
}

bool renderAll(ClientWindows &windows, const QString &folder, const QString &suffix)
{
    TForm1 &form = windows.Form1;
    bool ok = save(form, folder, u"Form1-panSend"_s + suffix);
    form.component<QWidget>(u"panQuery"_s)->raise();
    showReport(windows);
    ok &= save(form, folder, u"Form1-panQuery"_s + suffix);
    form.component<QWidget>(u"panSend"_s)->raise();
    ok &= save(windows.AboutBox, folder, u"AboutBox"_s + suffix);
    ok &= save(windows.fmRegSer, folder, u"fmRegSer"_s + suffix);
    ok &= save(windows.frmLang, folder, u"frmLang"_s + suffix);
    return ok;
}

// A fresh client in the working directory, switched to the language through
// its menu item; English pictures carry no suffix.
bool renderLanguage(const QString &language, const QString &folder)
{
    StderrMessenger messenger;
    FixedClock clock;
    ClientWindows windows(messenger, clock);
    windows.Form1.FormCreate();
    windows.Form1.Timer2Timer();
    if (auto *item = windows.Form1.component<QAction>(u"mnu"_s + language))
        item->trigger();
    // The registration window takes its captions when it is shown.
    if (const LangFile *file = windows.session.langFile())
        ApplyCaptions(windows.fmRegSer.inventory(), windows.fmRegSer.objectName(), *file,
                      windows.session.state().CurrentLanguage);
    const QString suffix = language == u"English"_s ? QString() : u"-"_s + language;
    return renderAll(windows, folder, suffix);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installDesignFontSubstitutions();

    const QStringList arguments = QApplication::arguments();
    const QString folder =
        QDir(arguments.size() > 1 ? arguments.at(1) : u"docs/pictures"_s).absolutePath();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }

    // A fresh working directory, as on a first start: a new Client.mdb and
    // the shipped language file.
    QTemporaryDir workingDirectory;
    QDir::setCurrent(workingDirectory.path());
    const QString shipped = QDir(QStringLiteral(QUORVEL_DATA_DIR)).filePath(LangFile::FileName);
    const bool haveLanguages = QFile::exists(shipped) &&
                               QFile::copy(shipped, QDir::current().filePath(LangFile::FileName));

    if (!haveLanguages)
        std::printf("no %s in the data folder: designed captions only\n", qPrintable(shipped));
    bool ok = true;
    for (const QString &language : {u"English"_s, u"German"_s, u"Dutch"_s, u"Italian"_s})
        ok &= renderLanguage(language, folder);
    return ok ? 0 : 1;
}
