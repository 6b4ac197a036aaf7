// The UI text editor: the rows it shows, Apply, Load and Save as with .lang
// files, and Load Default with its backup, all through the window.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "ScriptedFileChooser.h"
#include "WorkingDirectory.h"
#include "lang/LangFile.h"
#include "ui/ClientWindows.h"
#include "ui/DesignFonts.h"
#include "ui/StringGrid.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// German is being edited; the list of keys has a gap after cmd3.
const QByteArray LanguageFile =
    "[Setting]\r\nLanguage=German\r\n"
    "[English]\r\n"
    "Form1_btnSend=Send\r\nForm1_btnExit=Exit\r\nMsg01=No recipients!\r\n"
    "[German]\r\n"
    "Form1_btnSend=Senden\r\nForm1_btnExit=Beenden\r\n"
    "frmLang=UI-Texte bearbeiten\r\nNO=Nr.\r\nbtnSave=Speichern unter\r\n"
    "[Command]\r\n"
    "cmd1=Form1_btnSend\r\ncmd2=Form1_btnExit\r\ncmd3=Msg01\r\n"
    "cmd5=Form1_Label5\r\n";

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestTextEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorkingDirectory> m_dir;
    RecordingMessenger m_messenger;
    ManualClock m_clock;
    ScriptedFileChooser m_files;
    std::unique_ptr<ClientWindows> m_windows;

    TfrmLang &editor() { return m_windows->frmLang; }
    StringGrid &grid() { return *editor().StringGrid1(); }
    QPushButton *button(const QString &name) { return editor().component<QPushButton>(name); }
    QString mainCaption(const QString &name)
    {
        return m_windows->Form1.component<QPushButton>(name)->text();
    }
    QString languagePath() const { return m_dir->filePath(LangFile::FileName); }
    QString stored(const QString &key) const
    {
        return LangFile(languagePath()).ReadLangValue(u"German"_s, key, u"(none)"_s);
    }
    QStringList currentColumn()
    {
        QStringList texts;
        for (int row = 1; row < grid().gridRowCount(); ++row)
            texts.append(grid().cell(3, row));
        return texts;
    }
    void openEditor()
    {
        editor().show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor()));
    }
    void typeCurrent(int row, const QString &text)
    {
        const QModelIndex cell = grid().model()->index(row - 1, 3);
        grid().setCurrentIndex(cell);
        grid().edit(cell);
        auto *field = qobject_cast<QLineEdit *>(grid().indexWidget(cell));
        QVERIFY(field);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

private Q_SLOTS:
    void initTestCase() { installDesignFontSubstitutions(); }
    void init()
    {
        m_dir = std::make_unique<WorkingDirectory>();
        m_dir->write(LangFile::FileName, LanguageFile);
        m_dir->copyData(u"DefLang.dat"_s);
        m_messenger.messages.clear();
        m_files = {};
        m_windows = std::make_unique<ClientWindows>(m_messenger, m_clock,
                                                    ClientSession::Options{.discoveryPort = 0});
        m_windows->Form1.FormCreate();
        editor().setFileChooser(m_files);
    }
    void cleanup()
    {
        m_windows.reset();
        m_dir.reset();
    }

    void showsTheListedKeysUpToTheFirstGap()
    {
        openEditor();
        QCOMPARE(grid().gridRowCount(), 4);
        QCOMPARE(grid().cell(0, 1), u"1"_s);
        QCOMPARE(grid().cell(1, 1), u"Form1_btnSend"_s);
        QCOMPARE(grid().cell(2, 1), u"Send"_s);
        QCOMPARE(grid().cell(3, 1), u"Senden"_s);
        QCOMPARE(grid().cell(1, 3), u"Msg01"_s);
        QCOMPARE(grid().cell(3, 3), QString()); // no German text yet
        QCOMPARE(editor().windowTitle(), u"UI-Texte bearbeiten"_s);
        QCOMPARE(grid().cell(0, 0), u"Nr."_s);
        QCOMPARE(grid().cell(3, 0), u"Current"_s);
        QCOMPARE(button(u"btnSave"_s)->text(), u"Speichern unter"_s);
        QCOMPARE(button(u"btnLoad"_s)->text(), u"Load"_s);
        for (int column = 0; column < 4; ++column) {
            const bool editable = grid().item(0, column)->flags() & Qt::ItemIsEditable;
            QCOMPARE(editable, column == 3);
        }
    }

    void applyStoresEveryRowAndCloses()
    {
        openEditor();
        typeCurrent(1, u"Los"_s);
        QTest::mouseClick(button(u"btnApply"_s), Qt::LeftButton);
        QVERIFY(editor().isHidden());
        QCOMPARE(stored(u"Form1_btnSend"_s), u"Los"_s);
        QCOMPARE(stored(u"Msg01"_s), QString()); // written empty: the message is now empty
        QCOMPARE(m_windows->session.langText(Messages::Msg01), QString());
        QCOMPARE(mainCaption(u"btnSend"_s), u"Los"_s);
        QCOMPARE(LangFile(languagePath()).ReadLangValue(u"Setting"_s, u"Language"_s, {}),
                 u"German"_s);
    }

    void loadStoresTheFileAtOnce_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected"); // the three texts in the file afterwards
        // clang-format off
        QTest::newRow("CR LF") << QByteArray("Go\t\r\nQuit\t\r\nNone!\t\r\n") << QStringList{u"Go"_s, u"Quit"_s, u"None!"_s};
        QTest::newRow("bare LF") << QByteArray("Go\nQuit\nNone!\n") << QStringList{u"Go"_s, u"Quit"_s, u"None!"_s};
        QTest::newRow("blank lines dropped") << QByteArray("Go\r\n\r\n\nQuit\r\n") << QStringList{u"Go"_s, u"Quit"_s, u"(none)"_s};
        QTest::newRow("eight blanks: an empty text") << QByteArray("        \r\nQuit\t\r\n") << QStringList{QString(), u"Quit"_s, u"(none)"_s};
        QTest::newRow("fewer lines than keys") << QByteArray("Go\r\n") << QStringList{u"Go"_s, u"Beenden"_s, u"(none)"_s};
        QTest::newRow("more lines than keys") << QByteArray("Go\r\nQuit\r\nNone!\r\nExtra\r\n") << QStringList{u"Go"_s, u"Quit"_s, u"None!"_s};
        // clang-format on
    }
    void loadStoresTheFileAtOnce()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        m_dir->write(u"texts.lang"_s, content);
        m_files.answer = m_dir->filePath(u"texts.lang"_s);
        openEditor();
        QTest::mouseClick(button(u"btnLoad"_s), Qt::LeftButton);

        QCOMPARE(m_files.requests.size(), 1);
        QCOMPARE(m_files.requests.first().directory, m_dir->path());
        QCOMPARE(m_files.requests.first().filter, u"Lang files (*.lang)"_s);
        QCOMPARE((QStringList{stored(u"Form1_btnSend"_s), stored(u"Form1_btnExit"_s),
                              stored(u"Msg01"_s)}),
                 expected);
        QVERIFY(m_messenger.messages.isEmpty());
        QVERIFY(editor().isVisible());
        QCOMPARE(grid().gridRowCount(), 4); // refilled from the file
        QCOMPARE(mainCaption(u"btnSend"_s), expected.first());
    }

    void loadFailureSaysSo()
    {
        openEditor();
        m_files.answer.clear(); // cancelled: nothing happens
        QTest::mouseClick(button(u"btnLoad"_s), Qt::LeftButton);
        QVERIFY(m_messenger.messages.isEmpty());

        m_files.answer = m_dir->filePath(u"missing.lang"_s);
        QTest::mouseClick(button(u"btnLoad"_s), Qt::LeftButton);
        QCOMPARE(m_messenger.messages.size(), 1);
        QCOMPARE(m_messenger.messages.last().title, u"Quorvel Client"_s);
        QCOMPARE(m_messenger.lastText(), u"Open Error !"_s);
        QCOMPARE(stored(u"Form1_btnSend"_s), u"Senden"_s);
    }

    void saveAsWritesOneLinePerRowAndLoadsBack()
    {
        openEditor();
        typeCurrent(2, QString());
        typeCurrent(3, u"Exit"_s);
        typeCurrent(1, u"Send"_s);
        m_files.answer = m_dir->filePath(u"texts"_s);
        QTest::mouseClick(button(u"btnSave"_s), Qt::LeftButton);
        QCOMPARE(m_files.requests.last().defaultSuffix, u"lang"_s);
        const QByteArray written = fileBytes(m_dir->filePath(u"texts.lang"_s));
        QCOMPARE(written, QByteArray("Send\t\r\n        \r\nExit\t\r\n"));
        QVERIFY(m_messenger.messages.isEmpty());

        // Back in: the tab and the blanks go when the texts pass through the file.
        m_files.answer = m_dir->filePath(u"texts.lang"_s);
        QTest::mouseClick(button(u"btnLoad"_s), Qt::LeftButton);
        QCOMPARE(currentColumn(), (QStringList{u"Send"_s, QString(), u"Exit"_s}));
    }

    void saveAsKeepsAnEarlierFileAndReportsFailure()
    {
        openEditor();
        m_dir->write(u"notes.txt"_s, "earlier");
        m_files.answer = m_dir->filePath(u"notes.txt"_s);
        QTest::mouseClick(button(u"btnSave"_s), Qt::LeftButton);
        QCOMPARE(fileBytes(m_dir->filePath(u"notes.lang"_s)), QByteArray("earlier"));
        QCOMPARE(fileBytes(m_dir->filePath(u"notes.txt"_s)),
                 QByteArray("Senden\t\r\nBeenden\t\r\n        \r\n"));

        m_files.answer = m_dir->filePath(u"no folder/texts.lang"_s);
        QTest::mouseClick(button(u"btnSave"_s), Qt::LeftButton);
        QCOMPARE(m_messenger.lastText(), u"Unable to write to "_s + m_files.answer);
    }

    void loadDefaultRestoresTheShippedFile()
    {
        const QByteArray edited = fileBytes(languagePath());
        // Another current directory by now: the backup still goes beside the language file.
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        openEditor();
        QTest::mouseClick(button(u"btnLoadDef"_s), Qt::LeftButton);
        QVERIFY(editor().isHidden());
        QCOMPARE(fileBytes(languagePath()), fileBytes(m_dir->filePath(u"DefLang.dat"_s)));
        QCOMPARE(fileBytes(m_dir->filePath(u"Language.bak"_s)), edited);
        QVERIFY(!QFile::exists(elsewhere.filePath(u"Language.bak"_s)));
        QCOMPARE(m_windows->session.state().CurrentLanguage, u"English"_s);
        QVERIFY(m_windows->Form1.component<QAction>(u"mnuEnglish"_s)->isChecked());
        QVERIFY(!m_windows->Form1.component<QAction>(u"mnuGerman"_s)->isChecked());
        QCOMPARE(mainCaption(u"btnSend"_s), u"Send"_s);
        QCOMPARE(m_windows->session.state().FromWord, u"von"_s); // until the next selection

        // A second time: the first backup stays as it was.
        m_dir->write(LangFile::FileName, "[Setting]\r\nLanguage=Italian\r\n");
        m_dir->write(u"DefLang.dat"_s, "[Setting]\r\nLanguage=Italian\r\n");
        openEditor();
        QTest::mouseClick(button(u"btnLoadDef"_s), Qt::LeftButton);
        QCOMPARE(fileBytes(m_dir->filePath(u"Language.bak"_s)), edited);
        QVERIFY(m_windows->Form1.component<QAction>(u"mnuItalian"_s)->isChecked());
        QVERIFY(!m_windows->Form1.component<QAction>(u"mnuEnglish"_s)->isChecked());
        QVERIFY(m_messenger.messages.isEmpty());
    }

    void loadDefaultWithoutDefaultFileChangesNothing()
    {
        QVERIFY(QFile::remove(m_dir->filePath(u"DefLang.dat"_s)));
        openEditor();
        QTest::mouseClick(button(u"btnLoadDef"_s), Qt::LeftButton);
        QCOMPARE(m_messenger.lastText(),
                 u"DefLang.dat cannot be read: the language file was not changed."_s);
        QCOMPARE(m_messenger.messages.last().title, u"Quorvel Client"_s);
        QCOMPARE(fileBytes(languagePath()), LanguageFile);
        QVERIFY(!QFile::exists(m_dir->filePath(u"Language.bak"_s)));
        QVERIFY(editor().isVisible());
    }
};

QTEST_MAIN(TestTextEditor)
#include "test_text_editor.moc"
