// The main window's send panel, driven through its widgets as an operator
// would, against the simulated server over loopback: picking recipients and
// groups, the memo and the sender field, and the pages that arrive.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "SimulatedServer.h"
#include "WindowsFixture.h"
#include "WorkingDirectory.h"
#include "link/ServerLink.h"
#include "store/ClientStore.h"
#include "store/QueryObject.h"
#include "ui/ClientWindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString ClientId = u"DESK01"_s;
const QString NoRecipients = u"Recipients List can not empty!"_s;
const QString NoMessage = u"Message can not empty!"_s;

// One client with its windows in a working directory of its own, its
// database seeded with a registration at `port` when there is one.
struct Client : WindowsFixture {
    explicit Client(std::optional<quint16> port)
    {
        if (port)
            seed(Registration{ClientId, u"127.0.0.1"_s, *port}, u"010"_s);
        createWindows();
    }
    QComboBox *combo(const QString &name) { return widget<QComboBox>(name); }
    QListWidget *list(const QString &name) { return widget<QListWidget>(name); }
    QPlainTextEdit *memo() { return widget<QPlainTextEdit>(u"memMsg"_s); }
    QLineEdit *sender() { return widget<QLineEdit>(u"edtSender"_s); }
    QString counter() { return widget<QLabel>(u"lblLength"_s)->text(); }
    int clientReportRows()
    {
        QueryObject &query = session().store().ADOQuery2();
        query.close();
        query.setStatement(u"select * from report"_s);
        query.open();
        return query.recordCount();
    }
};

QStringList lines(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

// Opens the combo's list, walks to `text` with the arrow keys and takes it with Return.
bool pickFromList(QComboBox *combo, const QString &text)
{
    const int row = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row < 0)
        return false;
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        return false;
    while (view->currentIndex().row() < row)
        QTest::keyClick(view, Qt::Key_Down);
    while (view->currentIndex().row() > row)
        QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Return);
    return QTest::qWaitFor([view] { return !view->isVisible(); });
}

void clickInto(QWidget *widget)
{
    QWidget *target = widget;
    if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
        target = memo->viewport();
    QTest::mouseClick(target, Qt::LeftButton);
}

} // namespace

class TestSendPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void picksByKeyboardAndFromTheList();
    void typedNameIsNeverPicked();
    void deleteKeepsKindsLineForLine();
    void reloadingListsKeepsTheRecipientList();
    void memoFiltersAndCounts();
    void enterLeavesMemoAndSender();
    void memoKeepsItsTextWhenTheWindowComesBack();
    void senderStopsAtTwelve();
    void cannedMessageThenFocusEmptiesTheMemo();
    void sendChecksMoveTheFocus();
    void pagesArriveAtTheServer();
    void vanishedRecipientIsRefused();
    void withoutServerNothingIsSentOrShown();

private:
    // Shows the window and waits until the sign-on has brought the lists.
    bool signOn(Client &client);
    QList<ClientFrame> pages() const;

    std::unique_ptr<SimulatedServer> m_server;
    std::unique_ptr<QSignalSpy> m_frames;
    std::unique_ptr<Client> m_client;
};

void TestSendPanel::init()
{
    m_server = std::make_unique<SimulatedServer>();
    QVERIFY2(m_server->listen(QHostAddress(QHostAddress::LocalHost), 0),
             qPrintable(m_server->errorString()));
    m_frames = std::make_unique<QSignalSpy>(m_server.get(), &SimulatedServer::frameReceived);
    m_client = std::make_unique<Client>(m_server->serverPort());
    QVERIFY(signOn(*m_client));
}

void TestSendPanel::cleanup()
{
    m_client.reset();
    m_frames.reset();
    m_server.reset();
}

bool TestSendPanel::signOn(Client &client)
{
    client.form().show();
    if (!QTest::qWaitForWindowActive(&client.form()))
        return false;
    const qsizetype canned = m_server->state().data.canned.size();
    return QTest::qWaitFor([&] {
        return client.combo(u"cboPreMsg"_s)->count() == canned &&
               client.widget<QPushButton>(u"btnSend"_s)->isEnabled();
    });
}

QList<ClientFrame> TestSendPanel::pages() const
{
    QList<ClientFrame> found;
    for (const QList<QVariant> &arguments : *m_frames) {
        const ClientFrame frame = arguments.at(0).value<ClientFrame>();
        if (frame.type == 'A')
            found.append(frame);
    }
    return found;
}

void TestSendPanel::picksByKeyboardAndFromTheList()
{
    Client &client = *m_client;
    QComboBox *people = client.combo(u"cboRecpt"_s);
    QComboBox *groups = client.combo(u"cboGroupList"_s);
    // Filling the lists selected their first items without picking them.
    QCOMPARE(people->currentText(), u"Ann Baker"_s);
    QCOMPARE(client.list(u"lstRecpt"_s)->count(), 0);

    people->setFocus();
    QTest::keyClick(people, Qt::Key_Down);
    QVERIFY(pickFromList(groups, u"Night shift"_s)); // the item already shown
    QVERIFY(pickFromList(people, u"Night Desk"_s));
    QVERIFY(pickFromList(people, u"Night Desk"_s)); // twice: still one entry
    groups->setFocus();
    QTest::keyClick(groups, Qt::Key_Down);
    QTest::keyClick(groups, Qt::Key_Up);

    QCOMPARE(lines(client.list(u"lstRecpt"_s)),
             (QStringList{u"Ben Carter"_s, u"Night shift"_s, u"Night Desk"_s, u"Day shift"_s}));
    QCOMPARE(lines(client.list(u"listType"_s)), (QStringList{u"P"_s, u"G"_s, u"P"_s, u"G"_s}));
}

void TestSendPanel::typedNameIsNeverPicked()
{
    Client &client = *m_client;
    QComboBox *people = client.combo(u"cboRecpt"_s);
    people->setFocus();
    people->lineEdit()->clear();
    QTest::keyClicks(people, u"Karen Lopez"_s);
    QTest::keyClick(people, Qt::Key_Return);
    QTest::keyClicks(people, u"Nobody"_s);
    QTest::keyClick(people, Qt::Key_Enter);
    QCOMPARE(client.list(u"lstRecpt"_s)->count(), 0);
    QCOMPARE(client.list(u"listType"_s)->count(), 0);
}

void TestSendPanel::deleteKeepsKindsLineForLine()
{
    Client &client = *m_client;
    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Ann Baker"_s));
    QVERIFY(pickFromList(client.combo(u"cboGroupList"_s), u"Day shift"_s));
    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Clara Dunn"_s));
    QVERIFY(pickFromList(client.combo(u"cboGroupList"_s), u"Maintenance"_s));
    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Eva Fischer"_s));
    QListWidget *recipients = client.list(u"lstRecpt"_s);
    auto *del = client.widget<QPushButton>(u"Button1"_s);

    QTest::mouseClick(del, Qt::LeftButton); // nothing selected: nothing goes
    QCOMPARE(recipients->count(), 5);
    QTest::mouseClick(recipients->viewport(), Qt::LeftButton, {},
                      recipients->visualItemRect(recipients->item(2)).center());
    QTest::mouseClick(del, Qt::LeftButton);
    QCOMPARE(lines(recipients),
             (QStringList{u"Ann Baker"_s, u"Day shift"_s, u"Maintenance"_s, u"Eva Fischer"_s}));
    QCOMPARE(lines(client.list(u"listType"_s)), (QStringList{u"P"_s, u"G"_s, u"G"_s, u"P"_s}));
    QTest::mouseClick(del, Qt::LeftButton); // the deleted line took its selection along
    QCOMPARE(recipients->count(), 4);

    QTest::mouseClick(client.widget<QPushButton>(u"Button2"_s), Qt::LeftButton);
    QCOMPARE(recipients->count(), 0);
    QCOMPARE(client.list(u"listType"_s)->count(), 0);
}

void TestSendPanel::reloadingListsKeepsTheRecipientList()
{
    Client &client = *m_client;
    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Grace Hall"_s));
    QVERIFY(pickFromList(client.combo(u"cboGroupList"_s), u"Management"_s));
    client.form().LoadComposeLists();
    QCOMPARE(client.combo(u"cboRecpt"_s)->currentIndex(), 0);
    QCOMPARE(lines(client.list(u"lstRecpt"_s)), (QStringList{u"Grace Hall"_s, u"Management"_s}));
    QCOMPARE(lines(client.list(u"listType"_s)), (QStringList{u"P"_s, u"G"_s}));
}

void TestSendPanel::memoFiltersAndCounts()
{
    Client &client = *m_client;
    QPlainTextEdit *memo = client.memo();
    QCOMPARE(client.counter(), u"00"_s);
    clickInto(memo);
    QTRY_VERIFY(memo->hasFocus());

    QApplication::clipboard()->setText(u"ab\tc\n\u00e9"_s);
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), u"abc"_s);
    QCOMPARE(client.counter(), u"3"_s);
    QTest::keyClicks(memo, u"de"_s);
    QCOMPARE(memo->toPlainText(), u"abcde"_s);

    // A paste stops at 256 characters, and so does typing.
    QApplication::clipboard()->setText(QString(300, u'x'));
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), u"abcde"_s + QString(251, u'x'));
    QCOMPARE(client.counter(), u"256"_s);
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(memo, u"yz"_s);
    QCOMPARE(memo->toPlainText(), u"abcde"_s + QString(251, u'x'));
    QTest::keyClick(memo, Qt::Key_Delete);
    QTest::keyClicks(memo, u"yz"_s);
    QCOMPARE(memo->toPlainText(), u"ybcde"_s + QString(251, u'x'));

    QTest::mouseClick(client.widget<QPushButton>(u"Button3"_s), Qt::LeftButton);
    QCOMPARE(memo->toPlainText(), QString());
    QCOMPARE(client.counter(), u"0"_s);
}

void TestSendPanel::enterLeavesMemoAndSender()
{
    Client &client = *m_client;
    auto *sink = client.widget<QLineEdit>(u"edtNull"_s);
    clickInto(client.memo());
    QTRY_VERIFY(client.memo()->hasFocus());
    QTest::keyClicks(client.memo(), u"Hi"_s);
    QTest::keyClick(client.memo(), Qt::Key_Return);
    QTRY_VERIFY(sink->hasFocus());
    QCOMPARE(client.memo()->toPlainText(), u"Hi"_s);

    clickInto(client.sender());
    QTRY_VERIFY(client.sender()->hasFocus());
    QTest::keyClicks(client.sender(), u"Ann"_s);
    QTest::keyClick(client.sender(), Qt::Key_Enter);
    QTRY_VERIFY(sink->hasFocus());
    QCOMPARE(client.sender()->text(), u"Ann"_s);
    QCOMPARE(sink->text(), QString());
}

void TestSendPanel::memoKeepsItsTextWhenTheWindowComesBack()
{
    Client &client = *m_client;
    clickInto(client.memo());
    QTRY_VERIFY(client.memo()->hasFocus());
    QTest::keyClicks(client.memo(), u"Hi"_s);

    // Another window takes the focus for a while.
    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QVERIFY(!client.memo()->hasFocus());
    client.form().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&client.form()));
    QTRY_VERIFY(client.memo()->hasFocus());
    QCOMPARE(client.memo()->toPlainText(), u"Hi"_s);
}

void TestSendPanel::senderStopsAtTwelve()
{
    Client &client = *m_client;
    QLineEdit *sender = client.sender();
    clickInto(sender);
    QTRY_VERIFY(sender->hasFocus());
    QTest::keyClicks(sender, u"ABCDEFGHIJKLM"_s);
    QCOMPARE(sender->text(), u"ABCDEFGHIJKL"_s);
    // Full: a key that would replace a selection is refused as well.
    sender->setSelection(0, 3);
    QTest::keyClick(sender, Qt::Key_X);
    QCOMPARE(sender->text(), u"ABCDEFGHIJKL"_s);
    QTest::keyClick(sender, Qt::Key_Backspace);
    QCOMPARE(sender->text(), u"DEFGHIJKL"_s);

    // Eleven letters and a blank pass the rule: a selection can be typed
    // over, and only the field's length stops one more character.
    sender->setText(u"ABCDEFGHIJK "_s);
    sender->setSelection(0, 1);
    QTest::keyClick(sender, Qt::Key_X);
    QCOMPARE(sender->text(), u"xBCDEFGHIJK "_s);
    QTest::keyClick(sender, Qt::Key_Y);
    QCOMPARE(sender->text(), u"xBCDEFGHIJK "_s);
}

void TestSendPanel::cannedMessageThenFocusEmptiesTheMemo()
{
    Client &client = *m_client;
    const QString canned = m_server->state().data.canned.at(2);
    QVERIFY(pickFromList(client.combo(u"cboPreMsg"_s), canned));
    QCOMPARE(client.memo()->toPlainText(), canned);
    QCOMPARE(client.counter(), QString::number(canned.size()));

    clickInto(client.memo());
    QTRY_VERIFY(client.memo()->hasFocus());
    QCOMPARE(client.memo()->toPlainText(), QString());
    QCOMPARE(client.counter(), u"0"_s);
}

void TestSendPanel::sendChecksMoveTheFocus()
{
    Client &client = *m_client;
    auto *send = client.widget<QPushButton>(u"btnSend"_s);
    clickInto(client.memo());
    QTest::keyClicks(client.memo(), u"   "_s);

    QTest::mouseClick(send, Qt::LeftButton);
    QCOMPARE(client.messenger.lastText(), NoRecipients);
    QTRY_VERIFY(client.combo(u"cboRecpt"_s)->hasFocus());

    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Ann Baker"_s));
    QTest::mouseClick(send, Qt::LeftButton);
    QCOMPARE(client.messenger.lastText(), NoMessage);
    QTRY_VERIFY(client.memo()->hasFocus());
    QCOMPARE(client.memo()->toPlainText(), QString());
    QCOMPARE(client.messenger.messages.size(), 3); // with "Register Success!"
    QCOMPARE(client.session().link()->ClientSocket()->state(), QAbstractSocket::UnconnectedState);
    QVERIFY(pages().isEmpty());
}

void TestSendPanel::pagesArriveAtTheServer()
{
    Client &client = *m_client;
    const QList<ReportRecord> &report = m_server->state().report;
    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Ann Baker"_s));
    QVERIFY(pickFromList(client.combo(u"cboGroupList"_s), u"Maintenance"_s));
    clickInto(client.memo());
    QTest::keyClicks(client.memo(), u"  Call reception  "_s);

    // A blank sender: the page is signed with the client ID.
    QTest::mouseClick(client.widget<QPushButton>(u"btnSend"_s), Qt::LeftButton);
    QTRY_COMPARE(pages().size(), 1);
    QCOMPARE(pages().at(0).recipientSlots, (QList<QByteArray>{"0012", "G003"}));
    QCOMPARE(pages().at(0).pageText, u"From DESK01:\r\n  Call reception  "_s);
    QTRY_COMPARE(report.size(), 3); // Ann, and the two in Maintenance
    QCOMPARE(report.last().message, pages().at(0).pageText);
    // The failed delivery to one of Maintenance shows in the status panel.
    QTRY_COMPARE(client.form().statusMessage(), u" There are 1 data transmission failed."_s);
    QCOMPARE(client.form().statusMessageColor(), QColor(255, 0, 0));

    // Nothing of the page is cleared: the same composition goes to everybody.
    QCOMPARE(client.list(u"lstRecpt"_s)->count(), 2);
    clickInto(client.sender());
    QTest::keyClicks(client.sender(), u"Ann"_s);
    QTest::mouseClick(client.widget<QCheckBox>(u"chkGroupAll"_s), Qt::LeftButton);
    QTest::mouseClick(client.widget<QPushButton>(u"btnSend"_s), Qt::LeftButton);
    QTRY_COMPARE(pages().size(), 2);
    QCOMPARE(pages().at(1).recipientSlots, QList<QByteArray>{QByteArray("999\0", 4)});
    QCOMPARE(pages().at(1).pageText, u"From Ann:\r\n  Call reception  "_s);
    QTRY_COMPARE(report.size(), 3 + m_server->state().data.recipients.size());

    QCOMPARE(client.memo()->toPlainText(), u"  Call reception  "_s);
    QCOMPARE(client.list(u"lstRecpt"_s)->count(), 2);
    QVERIFY(client.widget<QPushButton>(u"btnSend"_s)->isEnabled());
    QCOMPARE(client.clientReportRows(), 0);
    QCOMPARE(client.messenger.messages.size(), 1); // "Register Success!" only
}

void TestSendPanel::vanishedRecipientIsRefused()
{
    Client &client = *m_client;
    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Ben Carter"_s));
    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Iris Jones"_s));
    clickInto(client.memo());
    QTest::keyClicks(client.memo(), u"Hi"_s);
    // The lists change under the composition: Ben Carter is gone.
    client.session().store().replaceRecipients({{u"0020"_s, u"Iris Jones"_s}});

    QTest::mouseClick(client.widget<QPushButton>(u"btnSend"_s), Qt::LeftButton);
    QCOMPARE(client.messenger.lastText(),
             u"The page was not sent: \"Ben Carter\" has no valid entry in the recipient lists. "
             u"Please remove it or update the lists."_s);
    QCOMPARE(client.session().link()->ClientSocket()->state(), QAbstractSocket::UnconnectedState);

    QTest::mouseClick(
        client.list(u"lstRecpt"_s)->viewport(), Qt::LeftButton, {},
        client.list(u"lstRecpt"_s)->visualItemRect(client.list(u"lstRecpt"_s)->item(0)).center());
    QTest::mouseClick(client.widget<QPushButton>(u"Button1"_s), Qt::LeftButton);
    QTest::mouseClick(client.widget<QPushButton>(u"btnSend"_s), Qt::LeftButton);
    QTRY_COMPARE(pages().size(), 1);
    QCOMPARE(pages().at(0).recipientSlots, QList<QByteArray>{"0020"});
}

void TestSendPanel::withoutServerNothingIsSentOrShown()
{
    Client client(std::nullopt);
    client.session().store().replaceRecipients({{u"0012"_s, u"Ann Baker"_s}});
    client.form().show();
    QVERIFY(QTest::qWaitForWindowActive(&client.form()));
    QVERIFY(pickFromList(client.combo(u"cboRecpt"_s), u"Ann Baker"_s));
    clickInto(client.memo());
    QTest::keyClicks(client.memo(), u"Hi"_s);

    client.form().btnSendClick();
    QVERIFY(client.messenger.messages.isEmpty());
    QCOMPARE(client.session().link()->ClientSocket()->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(client.session().state().SendBuffer[18], 'A'); // built, and gone nowhere
}

QTEST_MAIN(TestSendPanel)
#include "test_send_panel.moc"
