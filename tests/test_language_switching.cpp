// Selecting a language: the steps in their order, what start-up selects,
// the main window's title, positions and layout, the stored choice, a failed
// write, the About window, and the locale's notation of numbers and clock.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "WindowsFixture.h"
#include "WorkingDirectory.h"
#include "lang/LangFile.h"
#include "lang/LanguageState.h"
#include "lang/LanguageSwitch.h"
#include "lang/LanguageView.h"
#include "lang/LocaleSeparators.h"
#include "ui/ClientWindows.h"
#include "ui/DesignFonts.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QStringList LanguageItems{u"mnuEnglish"_s, u"mnuGerman"_s, u"mnuDutch"_s, u"mnuItalian"_s};

// A client started in a working directory of its own, with the shipped
// language file unless the test writes another one first.
struct Client : WindowsFixture {
    explicit Client(const QByteArray &languageFile = {}, const QString &germanTitle = {})
    {
        if (languageFile.isEmpty())
            directory.copyData(LangFile::FileName);
        else
            directory.write(LangFile::FileName, languageFile);
        if (!germanTitle.isEmpty())
            LangFile(languagePath())
                .WriteLangValue(u"German"_s, u"AboutBox_ProductName"_s, germanTitle);
        createWindows();
    }

    QString languagePath() const { return directory.filePath(LangFile::FileName); }
    QString storedLanguage() const
    {
        return LangFile(languagePath()).ReadLangValue(u"Setting"_s, u"Language"_s, {});
    }
    QStringList checkedItems()
    {
        QStringList checked;
        for (const QString &item : LanguageItems) {
            if (widget<QAction>(item)->isChecked())
                checked.append(item);
        }
        return checked;
    }
    void choose(const QString &item) { widget<QAction>(item)->trigger(); }
};

// Records the window's side of a selection, in order.
class RecordingView final : public LanguageView {
public:
    void checkLanguage(const QString &language) override { steps.append(u"check "_s + language); }
    void applyCaptions(const QString &language) override
    {
        steps.append(u"captions "_s + language);
    }
    void setMainTitle(const QString &title) override { steps.append(u"title "_s + title); }
    void applyPlacements(const QList<Placement> &list) override
    {
        steps.append(u"placements"_s);
        placements = list;
    }
    void settleLayout() override { steps.append(u"layout"_s); }

    QStringList steps;
    QList<Placement> placements;
};

} // namespace

// Receives the links the About window opens instead of a browser or mail program.
class LinkRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

class TestLanguageSwitching : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installDesignFontSubstitutions(); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void selectionRunsItsStepsInOrder()
    {
        WorkingDirectory directory;
        directory.write(LangFile::FileName, "[Dutch]\r\nAboutBox_ProductName=Quorvel Cliënt\r\n");
        const LangFile file(directory.filePath(LangFile::FileName));
        LanguageState state;
        RecordingView view;
        LanguageSwitch::select(state, file, *Languages::find(u"Dutch"), view);
        QCOMPARE(view.steps,
                 (QStringList{u"check Dutch"_s, u"captions Dutch"_s,
                              u"title Quorvel Cliënt V1.77"_s, u"placements"_s, u"layout"_s}));
        QCOMPARE(state.CurrentLanguage, u"Dutch"_s);
        QCOMPARE(state.FromWord, u"Van"_s);
        QCOMPARE(state.ProductTitle, u"Quorvel Cliënt"_s);
        QCOMPARE(file.ReadLangValue(u"Setting"_s, u"Language"_s, {}), u"Dutch"_s);
        // The table's order, left before width within a row.
        QCOMPARE(view.placements.first(), (Placement{u"chkGroupAll", std::nullopt, 55}));
        QCOMPARE(view.placements.at(4), (Placement{u"Button3", 465, 123}));
        QCOMPARE(view.placements.last(), (Placement{u"EndDatePicker", 372, std::nullopt}));
    }

    void failedWriteStopsAfterTheCaptions()
    {
        WorkingDirectory directory;
        QVERIFY(QDir(directory.path()).mkdir(LangFile::FileName)); // a folder: never written
        const LangFile file(directory.filePath(LangFile::FileName));
        LanguageState state;
        state.ProductTitle = u"Before"_s;
        RecordingView view;
        QVERIFY_THROWS_EXCEPTION(
            LangFileError, LanguageSwitch::select(state, file, *Languages::find(u"Italian"), view));
        QCOMPARE(view.steps, (QStringList{u"check Italian"_s, u"captions Italian"_s}));
        QCOMPARE(state.CurrentLanguage, u"Italian"_s);
        QCOMPARE(state.FromWord, u"da"_s);
        QCOMPARE(state.ProductTitle, u"Before"_s);
    }

    void startUpSelectsTheStoredLanguage_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("fromWord");
        QTest::addColumn<QString>("productTitle");
        QTest::addColumn<QString>("windowTitle");
        QTest::addColumn<QString>("sendCaption");
        QTest::addColumn<int>("allWidth");
        QTest::addColumn<QString>("message"); // Msg02 as a message box would show it

        const QByteArray sections = "[English]\r\nForm1_btnSend=Send it\r\nMsg02=No text!\r\n"
                                    "[German]\r\nForm1_btnSend=Senden\r\nMsg02=Kein Text!\r\n";
        // clang-format off
        QTest::newRow("German") << "[Setting]\r\nLanguage=German\r\n" + sections << u"mnuGerman"_s << u"von"_s << u"Quorvel Client"_s << u"Quorvel Client V1.77"_s << u"Senden"_s << 45 << u"Kein Text!"_s;
        QTest::newRow("english: no selection, English texts") << "[Setting]\r\nLanguage=english\r\n" + sections << u"mnuEnglish"_s << u"From"_s << QString() << u"Quorvel Client Version 1.7.7"_s << u"Send"_s << 36 << u"No text!"_s;
        QTest::newRow("unknown language") << "[Setting]\r\nLanguage=Klingon\r\n" + sections << u"mnuEnglish"_s << u"From"_s << QString() << u"Quorvel Client Version 1.7.7"_s << u"Send"_s << 36 << u"Message can not empty!"_s;
        QTest::newRow("no setting: English") << sections << u"mnuEnglish"_s << u"From"_s << u"Quorvel Client"_s << u"Quorvel Client V1.77"_s << u"Send it"_s << 40 << u"No text!"_s;
        // clang-format on
    }
    void startUpSelectsTheStoredLanguage()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, checked);
        QFETCH(QString, fromWord);
        QFETCH(QString, productTitle);
        QFETCH(QString, windowTitle);
        QFETCH(QString, sendCaption);
        QFETCH(int, allWidth);
        QFETCH(QString, message);
        Client client(file);
        QCOMPARE(client.checkedItems(), QStringList{checked});
        QCOMPARE(client.state().FromWord, fromWord);
        QCOMPARE(client.form().windowTitle(), windowTitle);
        QCOMPARE(client.widget<QPushButton>(u"btnSend"_s)->text(), sendCaption);
        QCOMPARE(client.widget<QCheckBox>(u"chkGroupAll"_s)->width(), allWidth);
        client.windows->session.showMessage(Messages::Msg02);
        QCOMPARE(client.messenger.messages.last().title, productTitle);
        QCOMPARE(client.messenger.messages.last().text, message);
    }

    void choosingGermanAppliesItAndStoresIt()
    {
        Client client({}, u"Quorvel-Client DE"_s);
        QCOMPARE(client.checkedItems(), QStringList{u"mnuEnglish"_s});
        QCOMPARE(client.widget<QPushButton>(u"Button2"_s)->width(), 85);

        client.choose(u"mnuGerman"_s);
        QCOMPARE(client.checkedItems(), QStringList{u"mnuGerman"_s});
        QCOMPARE(client.form().windowTitle(), u"Quorvel-Client DE V1.77"_s);
        QCOMPARE(client.state().FromWord, u"von"_s);
        QCOMPARE(client.widget<QPushButton>(u"Button2"_s)->width(), 110);
        QCOMPARE(client.widget<QPushButton>(u"btnExit"_s)->geometry(), QRect(100, 8, 100, 40));
        QCOMPARE(client.widget<QPushButton>(u"btnSend"_s)->text(), u"Senden"_s);
        QCOMPARE(client.storedLanguage(), u"German"_s);
        client.windows->session.showMessage(Messages::Msg01);
        QCOMPARE(client.messenger.messages.last().title, u"Quorvel-Client DE"_s);
        QCOMPARE(client.messenger.messages.last().text,
                 u"Die Empfängerliste darf nicht leer sein!"_s);

        // The choice survives a restart.
        client.windows.reset();
        ClientWindows again(client.messenger, client.clock, {.discoveryPort = 0});
        QVERIFY(again.Form1.FormCreate());
        QVERIFY(again.Form1.component<QAction>(u"mnuGerman"_s)->isChecked());
        QCOMPARE(again.Form1.component<QCheckBox>(u"chkGroupAll"_s)->width(), 45);
    }

    void choosingTheCheckedLanguageRunsItAgain()
    {
        Client client;
        client.choose(u"mnuItalian"_s);
        const LangFile file(client.languagePath());
        file.WriteLangValue(u"Italian"_s, u"Form1_btnSend"_s, u"Manda"_s);
        file.WriteLangValue(u"Setting"_s, u"Language"_s, u"Dutch"_s);
        client.widget<QPushButton>(u"Button3"_s)->move(0, 15);
        client.choose(u"mnuItalian"_s);
        QCOMPARE(client.checkedItems(), QStringList{u"mnuItalian"_s});
        QCOMPARE(client.widget<QPushButton>(u"btnSend"_s)->text(), u"Manda"_s);
        QCOMPARE(client.storedLanguage(), u"Italian"_s);
        QCOMPARE(client.widget<QPushButton>(u"Button3"_s)->pos(), QPoint(463, 15));
    }

    void choosingWhileMaximizedKeepsTheReference()
    {
        Client client;
        TForm1 &form = client.form();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.showMaximized();
        QTRY_VERIFY(form.isMaximized());
        QTRY_VERIFY(form.scaler().horizontalFactor() > 1.0);
        auto *button = client.widget<QPushButton>(u"Button2"_s);
        const int scaledEnglishWidth = button->width();

        client.choose(u"mnuGerman"_s);
        QCOMPARE(button->text(), u"Alle löschen"_s);
        QCOMPARE(button->width(), scaledEnglishWidth); // not 110, scaled
        form.showNormal();
        QTRY_VERIFY(!form.isMaximized());
        QTRY_COMPARE(button->width(), 85); // the English reference, not German's 110
    }

    void failedWriteIsReported()
    {
        Client client;
        QVERIFY(QFile::remove(client.languagePath()));
        QVERIFY(QDir(client.directory.path()).mkdir(LangFile::FileName));
        client.choose(u"mnuDutch"_s);
        QCOMPARE(client.messenger.messages.size(), 1);
        QCOMPARE(client.messenger.lastText(), u"Unable to write to "_s + client.languagePath());
        QCOMPARE(client.messenger.messages.last().title, u"Quorvel Client"_s);
        QCOMPARE(client.checkedItems(), QStringList{u"mnuDutch"_s});
        QCOMPARE(client.state().CurrentLanguage, u"Dutch"_s);
        QCOMPARE(client.form().windowTitle(), u"Quorvel Client V1.77"_s);
        QCOMPARE(client.widget<QPushButton>(u"Button2"_s)->width(), 85);
    }

    void failedWriteAtStartUpLeavesTheDesign()
    {
        WorkingDirectory directory;
        QVERIFY(QDir(directory.path()).mkdir(LangFile::FileName));
        RecordingMessenger messenger;
        ManualClock clock;
        ClientWindows windows(messenger, clock, {.discoveryPort = 0});
        windows.Form1.FormCreate();
        QCOMPARE(messenger.lastText(),
                 u"Unable to write to "_s + directory.filePath(LangFile::FileName));
        QCOMPARE(messenger.messages.last().title, QString());
        QCOMPARE(windows.Form1.windowTitle(), u"Quorvel Client Version 1.7.7"_s);
        QCOMPARE(windows.Form1.component<QCheckBox>(u"chkGroupAll"_s)->width(), 36);
        QVERIFY(windows.session.isStarted());
    }

    void aboutWindowFollowsTheLanguage_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("urlLeft");
        QTest::addColumn<int>("emailLeft");
        QTest::addColumn<int>("productLeft");
        // clang-format off
        QTest::newRow("English") << u"mnuEnglish"_s << u"About"_s << 104 << 144 << 89;
        QTest::newRow("German") << u"mnuGerman"_s << u"uber"_s << 110 << 117 << 105;
        QTest::newRow("Italian") << u"mnuItalian"_s << u"Info"_s << 105 << 143 << 89;
        // clang-format on
    }
    void aboutWindowFollowsTheLanguage()
    {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(int, urlLeft);
        QFETCH(int, emailLeft);
        QFETCH(int, productLeft);
        Client client;
        LangFile(client.languagePath())
            .WriteLangValue(u"Italian"_s, u"AboutBox_Version"_s, u"Versione 9"_s);
        client.choose(item);
        TAboutBox &about = client.windows->AboutBox;
        // Shown through the menu, modally; closed as soon as it is up.
        QTimer::singleShot(0, &about, &QDialog::accept);
        client.form().About1Click();
        QCOMPARE(about.windowTitle(), caption);
        QCOMPARE(about.component<QLabel>(u"lblUrl"_s)->x(), urlLeft);
        QCOMPARE(about.component<QLabel>(u"lblEmail"_s)->x(), emailLeft);
        QCOMPARE(about.component<QLabel>(u"ProductName"_s)->x(), productLeft);
        QCOMPARE(about.component<QLabel>(u"Version"_s)->text(), u"Version 1.7.7 (2014.1.21)"_s);
    }

    void aboutLinksOpenTheirTargets()
    {
        Client client;
        LinkRecorder recorder;
        QDesktopServices::setUrlHandler(u"https"_s, &recorder, "open");
        QDesktopServices::setUrlHandler(u"mailto"_s, &recorder, "open");
        TAboutBox &about = client.windows->AboutBox;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto *url = about.component<QLabel>(u"lblUrl"_s);
        auto *email = about.component<QLabel>(u"lblEmail"_s);
        QCOMPARE(url->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(url->palette().color(QPalette::WindowText), QColor(0, 0, 255));

        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(email, &enter);
        QVERIFY(email->font().bold() && email->font().underline());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(email, &leave);
        QVERIFY(!email->font().bold() && email->font().underline());

        // The targets are fixed, whatever the captions say.
        url->setText(u"elsewhere"_s);
        QTest::mouseClick(url, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(email, Qt::LeftButton, {}, QPoint(3, 3));
        QDesktopServices::unsetUrlHandler(u"https"_s);
        QDesktopServices::unsetUrlHandler(u"mailto"_s);
        QCOMPARE(recorder.opened, (QList<QUrl>{QUrl(u"https://quorvel.example/client"_s),
                                               QUrl(u"mailto:info@quorvel.example"_s)}));
        QVERIFY(about.component<QPushButton>(u"OKButton"_s)->isDefault());
    }

    void localeNotation_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("title");
        // clang-format off
        QTest::newRow("C") << QLocale::c() << u"2014/01/21 09:05:07"_s << u"Quorvel Client V1.77"_s;
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << u"2014.01.21 09:05:07"_s << u"Quorvel Client V1,77"_s;
        QTest::newRow("Dutch") << QLocale(QLocale::Dutch, QLocale::Netherlands) << u"2014-01-21 09:05:07"_s << u"Quorvel Client V1,77"_s;
        QTest::newRow("Finnish") << QLocale(QLocale::Finnish, QLocale::Finland) << u"2014.01.21 09.05.07"_s << u"Quorvel Client V1,77"_s;
        // clang-format on
    }
    void localeNotation()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, clock);
        QFETCH(QString, title);
        QLocale::setDefault(locale);
        Client client;
        client.form().Timer2Timer();
        QCOMPARE(client.form().clockText(), clock);
        QCOMPARE(client.form().windowTitle(), title);
    }
};

QTEST_MAIN(TestLanguageSwitching)
#include "test_language_switching.moc"
