// Composing and sending a page without windows: the recipient list, the
// rules of the memo and the sender field, frame A byte for byte, and the
// checks and refusals of sending, read back from the frame buffer.
#include "GoldenFrames.h"
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "WorkingDirectory.h"
#include "app/ClientSession.h"
#include "link/FrameFormat.h"
#include "link/ServerLink.h"
#include "paging/ComposeKeys.h"
#include "paging/MessageText.h"
#include "paging/PageFrame.h"
#include "paging/PageSender.h"
#include "paging/RecipientList.h"
#include "store/ClientStore.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using Key = ComposeKeys::Key;
using Verdict = ComposeKeys::Verdict;
using Outcome = PageSender::Outcome;

Q_DECLARE_METATYPE(Key)
Q_DECLARE_METATYPE(Verdict)
Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(RecipientEntry)

namespace {

const QString ClientId = u"DESK01"_s;

RecipientEntry person(const QString &name)
{
    return {name, RecipientKind::Person};
}

RecipientEntry group(const QString &name)
{
    return {name, RecipientKind::Group};
}

// Frame A put together from the envelope up, independently of the page builder.
QByteArray pageFrame(const QByteArray &slots, const QByteArray &text)
{
    const QByteArray body = "0017" + slots + "\xFE" + text + "\xFF";
    return FrameFormat::buildFrame(FrameFormat::ContentHeader, FrameFormat::clientIdField(ClientId),
                                   'A', body);
}

QByteArray sentFrame(const ClientState &state)
{
    return QByteArray(state.SendBuffer.data(), state.SendLength);
}

// A started session whose store holds a few lists; no server is configured,
// so a page that passes its checks is built in the frame buffer and goes nowhere.
struct Sending {
    Sending()
    {
        session = std::make_unique<ClientSession>(messenger, clock,
                                                  ClientSession::Options{.discoveryPort = 0});
        session->start(directory.path());
        ClientStore &store = session->store();
        store.setListVersion(u"017"_s);
        store.replaceRecipients({{u"0012"_s, u"Ann"_s},
                                 {u"0013"_s, u"O'Brien"_s},
                                 {u"0099"_s, u"Both"_s},
                                 {u"12"_s, u"Short"_s}});
        store.replaceGroups({{u"G001"_s, u"Night shift"_s}, {u"G002"_s, u"Both"_s}});
        session->state().setClientIdBytes(ClientId);
        // As after the start-up language step has chosen English.
        session->state().ProductTitle = u"Quorvel Client"_s;
    }

    Outcome send(const PageDraft &draft) { return PageSender(*session).send(draft); }
    ClientState &state() { return session->state(); }

    WorkingDirectory directory;
    RecordingMessenger messenger;
    ManualClock clock;
    std::unique_ptr<ClientSession> session;
};

} // namespace

class TestPaging : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recipientListKeepsPairsUniqueInOrder();
    void removingKeepsKindsLineForLine();

    void memoAcceptsEdits_data();
    void memoAcceptsEdits();
    void senderKeys_data();
    void senderKeys();
    void memoKeys();

    void pageFrameBytes_data();
    void pageFrameBytes();
    void frameMustFitTheSendBuffer();
    void shortListVersionIsPadded();

    void checksComeFirst_data();
    void checksComeFirst();
    void sendsPages_data();
    void sendsPages();
    void entryWithoutUsableSerialIsRefused_data();
    void entryWithoutUsableSerialIsRefused();
    void tooManyRecipientsAreRefused();
    void withoutServerNothingIsSentOrShown();
};

void TestPaging::recipientListKeepsPairsUniqueInOrder()
{
    RecipientList list;
    QSignalSpy appended(&list, &RecipientList::entryAppended);
    QVERIFY(list.add(u"Ann"_s, RecipientKind::Person));
    QVERIFY(!list.add(u"Ann"_s, RecipientKind::Person));
    QVERIFY(list.add(u"Ann"_s, RecipientKind::Group));
    QVERIFY(list.add(u"ann"_s, RecipientKind::Person));
    QVERIFY(!list.add(u"Ann"_s, RecipientKind::Group));
    QVERIFY(list.add(u"Ben"_s, RecipientKind::Person));

    const QList<RecipientEntry> expected = {person(u"Ann"_s), group(u"Ann"_s), person(u"ann"_s),
                                            person(u"Ben"_s)};
    QCOMPARE(list.entries(), expected);
    QCOMPARE(appended.size(), 4);
    QCOMPARE(appended.last().at(0).value<RecipientEntry>(), person(u"Ben"_s));
}

void TestPaging::removingKeepsKindsLineForLine()
{
    RecipientList list;
    for (const RecipientEntry &entry :
         {person(u"A"_s), group(u"B"_s), person(u"C"_s), group(u"D"_s), person(u"E"_s)})
        list.add(entry.text, entry.kind);
    QSignalSpy removed(&list, &RecipientList::entryRemoved);
    QSignalSpy cleared(&list, &RecipientList::cleared);

    list.removeAt(2);
    list.removeAt(-1); // no line selected
    list.removeAt(4);  // past the end
    const QList<RecipientEntry> expected = {person(u"A"_s), group(u"B"_s), group(u"D"_s),
                                            person(u"E"_s)};
    QCOMPARE(list.entries(), expected);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(removed.first().at(0).value<qsizetype>(), 2);

    list.clear();
    list.clear();
    QVERIFY(list.isEmpty());
    QCOMPARE(cleared.size(), 2);
}

void TestPaging::memoAcceptsEdits_data()
{
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("cursor");

    const QString full = QString(128, u'a') + QString(128, u'z');
    const QString tenShort = QString(125, u'a') + QString(125, u'z');
    // clang-format off
    QTest::newRow("paste filtered")            << QString() << u"ab\tc\r\n\u00e9"_s << u"abc"_s << qsizetype(3);
    QTest::newRow("0x7F kept, 0x1F dropped")   << QString() << u"a\u007f\u001fb"_s << u"a\u007fb"_s << qsizetype(3);
    QTest::newRow("typing")                    << u"ab"_s << u"abc"_s << u"abc"_s << qsizetype(3);
    QTest::newRow("deleting")                  << u"abc"_s << u"ac"_s << u"ac"_s << qsizetype(1);
    QTest::newRow("typing at the limit")       << full << full + u'x' << full << qsizetype(256);
    QTest::newRow("typing inside at the limit") << full << full.first(128) + u'x' + full.sliced(128) << full << qsizetype(128);
    QTest::newRow("replacing a selection")     << full << full.first(251) + u'x' << full.first(251) + u'x' << qsizetype(252);
    QTest::newRow("paste beyond the limit")    << QString() << QString(300, u'q') << QString(256, u'q') << qsizetype(256);
    QTest::newRow("paste inside keeps the tail") << tenShort << tenShort.first(125) + u"0123456789"_s + tenShort.sliced(125)
                                               << tenShort.first(125) + u"012345"_s + tenShort.sliced(125) << qsizetype(131);
    QTest::newRow("set whole, filtered and cut") << u"old"_s << u"\t"_s + QString(300, u'n') << QString(256, u'n') << qsizetype(256);
    // clang-format on
}

void TestPaging::memoAcceptsEdits()
{
    QFETCH(QString, previous);
    QFETCH(QString, current);
    QFETCH(QString, text);
    QFETCH(qsizetype, cursor);
    const MessageText::Accepted accepted = MessageText::accept(previous, current);
    QCOMPARE(accepted.text, text);
    QCOMPARE(accepted.cursor, cursor);
}

void TestPaging::senderKeys_data()
{
    QTest::addColumn<Key>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Verdict>("verdict");
    // clang-format off
    QTest::newRow("letter, room left")           << Key::Character << u"ABCDEFGHIJK"_s << Verdict::Pass;
    QTest::newRow("letter, twelve")              << Key::Character << u"ABCDEFGHIJKL"_s << Verdict::Refuse;
    QTest::newRow("letter, twelve within blanks") << Key::Character << u" ABCDEFGHIJKL"_s << Verdict::Refuse;
    QTest::newRow("eleven and a blank")          << Key::Character << u"ABCDEFGHIJK "_s << Verdict::Pass;
    QTest::newRow("backspace, twelve")           << Key::Backspace << u"ABCDEFGHIJKL"_s << Verdict::Pass;
    QTest::newRow("cursor key, twelve")          << Key::Other << u"ABCDEFGHIJKL"_s << Verdict::Pass;
    QTest::newRow("enter")                       << Key::Enter << u"Ann"_s << Verdict::LeaveField;
    // clang-format on
}

void TestPaging::senderKeys()
{
    QFETCH(Key, key);
    QFETCH(QString, text);
    QFETCH(Verdict, verdict);
    QCOMPARE(ComposeKeys::senderKey(key, text), verdict);
}

void TestPaging::memoKeys()
{
    QCOMPARE(ComposeKeys::memoKey(Key::Enter), Verdict::LeaveField);
    QCOMPARE(ComposeKeys::memoKey(Key::Character), Verdict::Pass);
    QCOMPARE(ComposeKeys::memoKey(Key::Backspace), Verdict::Pass);
}

void TestPaging::pageFrameBytes_data()
{
    QTest::addColumn<QList<QByteArray>>("slots");
    QTest::addColumn<QByteArray>("expected");
    // clang-format off
    QTest::newRow("one person") << QList<QByteArray>{"0012"} << GoldenFrames::A;
    QTest::newRow("everybody")  << QList<QByteArray>{PageFrame::everybodySlot()}
                                << GoldenFrames::hex("03 54 5A 51 56 43 44 45 53 4B 30 31 00 00 00 00 00 00  41 30 30 31 37"
                                                     "39 39 39 00 FE 46 72 6F 6D 20 41 6E 6E 3A 0D 0A 48 69 FF 0A A7 02");
    // clang-format on
}

void TestPaging::pageFrameBytes()
{
    QFETCH(QList<QByteArray>, slots);
    QFETCH(QByteArray, expected);
    FrameBuffer buffer;
    const QString text = PageFrame::pageText(u"From"_s, u"Ann"_s, u"Hi"_s);
    QVERIFY(PageFrame::BuildPageFrame(buffer, FrameFormat::clientIdField(ClientId), u"017"_s, slots,
                                      FrameFormat::textToWire(text)));
    QCOMPARE(buffer.SendLength, 45);
    QCOMPARE(QByteArray(buffer.SendBuffer.data(), buffer.SendLength).toHex(' '),
             expected.toHex(' '));
}

void TestPaging::frameMustFitTheSendBuffer()
{
    const QByteArray field = FrameFormat::clientIdField(ClientId);
    const QList<QByteArray> slots(100, "0012");
    const qsizetype fitting = FrameBuffer::SendBufferSize - PageFrame::frameSize(100, 0);
    FrameBuffer buffer;
    QVERIFY(PageFrame::BuildPageFrame(buffer, field, u"017"_s, slots, QByteArray(fitting, 'x')));
    QCOMPARE(buffer.SendLength, FrameBuffer::SendBufferSize);
    QCOMPARE(buffer.SendBuffer.back(), FrameFormat::EndByte);

    FrameBuffer untouched;
    QVERIFY(!PageFrame::BuildPageFrame(untouched, field, u"017"_s, slots,
                                       QByteArray(fitting + 1, 'x')));
    QCOMPARE(untouched.SendLength, 0);
    QCOMPARE(untouched.SendBuffer[0], '\0');
}

void TestPaging::shortListVersionIsPadded()
{
    FrameBuffer buffer;
    QVERIFY(PageFrame::BuildPageFrame(buffer, FrameFormat::clientIdField(ClientId), QString(),
                                      {"0012"}, "x"));
    QCOMPARE(QByteArray(buffer.SendBuffer.data() + 19, 8), QByteArray("0\0\0\0"
                                                                      "0012",
                                                                      8));
    QCOMPARE(buffer.SendLength, PageFrame::frameSize(1, 1));
}

void TestPaging::checksComeFirst_data()
{
    QTest::addColumn<QList<RecipientEntry>>("recipients");
    QTest::addColumn<bool>("everybody");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("shown");
    const QString noRecipients = u"Recipients List can not empty!"_s;
    const QString noMessage = u"Message can not empty!"_s;
    const QList<RecipientEntry> ann = {person(u"Ann"_s)};
    // clang-format off
    QTest::newRow("nothing: recipients first") << QList<RecipientEntry>() << false << QString()  << Outcome::NoRecipients << noRecipients;
    QTest::newRow("no recipients")             << QList<RecipientEntry>() << false << u"Hi"_s    << Outcome::NoRecipients << noRecipients;
    QTest::newRow("empty message")             << ann                     << false << QString()  << Outcome::NoMessage    << noMessage;
    QTest::newRow("blanks only")               << ann                     << false << u"    "_s  << Outcome::NoMessage    << noMessage;
    QTest::newRow("All, blanks only")          << QList<RecipientEntry>() << true  << u" "_s     << Outcome::NoMessage    << noMessage;
    // clang-format on
}

void TestPaging::checksComeFirst()
{
    QFETCH(QList<RecipientEntry>, recipients);
    QFETCH(bool, everybody);
    QFETCH(QString, message);
    QFETCH(Outcome, outcome);
    QFETCH(QString, shown);
    Sending sending;
    QCOMPARE(sending.send({recipients, everybody, u"Ann"_s, message, ClientId}), outcome);
    QCOMPARE(sending.messenger.messages.size(), 1);
    QCOMPARE(sending.messenger.lastText(), shown);
    QCOMPARE(sending.messenger.messages.first().title, u"Quorvel Client"_s);
    QCOMPARE(sending.state().SendLength, 0);
}

void TestPaging::sendsPages_data()
{
    QTest::addColumn<QList<RecipientEntry>>("recipients");
    QTest::addColumn<bool>("everybody");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fromWord");
    QTest::addColumn<QByteArray>("expected");
    const QList<RecipientEntry> none;
    const QList<RecipientEntry> ann = {person(u"Ann"_s)};
    const QList<RecipientEntry> full = {person(u"Ann"_s), group(u"Night shift"_s)};
    const QByteArray all("999\0", 4);
    // clang-format off
    QTest::newRow("golden page")              << ann  << false << u"Ann"_s   << u"Hi"_s     << u"From"_s << GoldenFrames::A;
    QTest::newRow("All, empty list")          << none << true  << u"Ann"_s   << u"Hi"_s     << u"From"_s << pageFrame(all, "From Ann:\r\nHi");
    QTest::newRow("All ignores the list")     << full << true  << u"Ann"_s   << u"Hi"_s     << u"From"_s << pageFrame(all, "From Ann:\r\nHi");
    QTest::newRow("list order, both tables")  << full << false << u"Ann"_s   << u"Hi"_s     << u"From"_s << pageFrame("0012G001", "From Ann:\r\nHi");
    QTest::newRow("group and person, one name") << QList<RecipientEntry>{group(u"Both"_s), person(u"Both"_s)} << false << u"Ann"_s << u"Hi"_s << u"From"_s
                                              << pageFrame("G0020099", "From Ann:\r\nHi");
    QTest::newRow("quote in a name")          << QList<RecipientEntry>{person(u"O'Brien"_s)} << false << u"Ann"_s << u"Hi"_s << u"From"_s
                                              << pageFrame("0013", "From Ann:\r\nHi");
    QTest::newRow("blank sender: client ID")  << ann  << false << u"   "_s   << u"Hi"_s     << u"From"_s << pageFrame("0012", "From DESK01:\r\nHi");
    QTest::newRow("sender trimmed")           << ann  << false << u" Ann "_s << u"Hi"_s     << u"From"_s << pageFrame("0012", "From Ann:\r\nHi");
    QTest::newRow("message keeps its blanks") << ann  << false << u"Ann"_s   << u"  Hi  "_s << u"From"_s << pageFrame("0012", "From Ann:\r\n  Hi  ");
    QTest::newRow("word of the language")     << ann  << false << u"Ann"_s   << u"Hi"_s     << u"Von"_s  << pageFrame("0012", "Von Ann:\r\nHi");
    // clang-format on
}

void TestPaging::sendsPages()
{
    QFETCH(QList<RecipientEntry>, recipients);
    QFETCH(bool, everybody);
    QFETCH(QString, sender);
    QFETCH(QString, message);
    QFETCH(QString, fromWord);
    QFETCH(QByteArray, expected);
    Sending sending;
    sending.state().FromWord = fromWord;
    QCOMPARE(sending.send({recipients, everybody, sender, message, u" DESK01 "_s}), Outcome::Sent);
    QCOMPARE(sentFrame(sending.state()).toHex(' '), expected.toHex(' '));
    QVERIFY(sending.messenger.messages.isEmpty());
}

void TestPaging::entryWithoutUsableSerialIsRefused_data()
{
    QTest::addColumn<QList<RecipientEntry>>("recipients");
    QTest::addColumn<QString>("named");
    // clang-format off
    QTest::newRow("name left the lists")   << QList<RecipientEntry>{person(u"Ann"_s), person(u"Gone"_s)} << u"Gone"_s;
    QTest::newRow("serial cut short")      << QList<RecipientEntry>{person(u"Short"_s), person(u"Ann"_s)} << u"Short"_s;
    QTest::newRow("looked up by its kind") << QList<RecipientEntry>{group(u"Ann"_s)} << u"Ann"_s;
    // clang-format on
}

void TestPaging::entryWithoutUsableSerialIsRefused()
{
    QFETCH(QList<RecipientEntry>, recipients);
    QFETCH(QString, named);
    Sending sending;
    QCOMPARE(sending.send({recipients, false, u"Ann"_s, u"Hi"_s, ClientId}), Outcome::Refused);
    QCOMPARE(sending.messenger.messages.size(), 1);
    QCOMPARE(sending.messenger.lastText(),
             u"The page was not sent: \"%1\" has no valid entry in the recipient lists. "
             u"Please remove it or update the lists."_s.arg(named));
    QCOMPARE(sending.state().SendLength, 0);
}

void TestPaging::tooManyRecipientsAreRefused()
{
    // 28 bytes of frame and 16 of text ("From Ann:" CR LF "Hello"): 2037 slots fill 8192 bytes.
    constexpr int Fitting = (FrameBuffer::SendBufferSize - PageFrame::FixedSize - 16) / 4;
    Sending sending;
    QList<ListRecord> records;
    QList<RecipientEntry> recipients;
    for (int n = 0; n <= Fitting; ++n) {
        records.append({u"%1"_s.arg(n, 4, 10, QLatin1Char('0')), u"R%1"_s.arg(n)});
        recipients.append(person(records.last().name));
    }
    sending.session->store().replaceRecipients(records);

    QCOMPARE(sending.send({recipients, false, u"Ann"_s, u"Hello"_s, ClientId}), Outcome::Refused);
    QCOMPARE(sending.messenger.lastText(),
             u"The page was not sent: it has too many recipients for one page. "
             u"Please remove some, or tick \"All\"."_s);
    QCOMPARE(sending.state().SendLength, 0);

    recipients.removeLast();
    QCOMPARE(sending.send({recipients, false, u"Ann"_s, u"Hello"_s, ClientId}), Outcome::Sent);
    QCOMPARE(sending.state().SendLength, FrameBuffer::SendBufferSize);
    QCOMPARE(QByteArray(sending.state().SendBuffer.data() + 23 + 4 * (Fitting - 1), 4),
             records.at(Fitting - 1).serial.toLatin1());
    QCOMPARE(sending.messenger.messages.size(), 1);
}

void TestPaging::withoutServerNothingIsSentOrShown()
{
    Sending sending;
    QCOMPARE(sending.send({{person(u"Ann"_s)}, false, u"Ann"_s, u"Hi"_s, ClientId}), Outcome::Sent);
    QVERIFY(sending.messenger.messages.isEmpty());
    QCOMPARE(sending.session->link()->ClientSocket()->state(), QAbstractSocket::UnconnectedState);
    QVERIFY(!sending.session->link()->isConnectionOpen());
}

QTEST_GUILESS_MAIN(TestPaging)
#include "test_paging.moc"
