#include "GoldenFrames.h"
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "ServerFrameBuilder.h"
#include "ServerFrames.h"
#include "SimulatedServer.h"
#include "WindowsFixture.h"
#include "WorkingDirectory.h"
#include "link/FrameFormat.h"
#include "link/ServerLink.h"
#include "store/ClientStore.h"
#include "store/QueryObject.h"
#include "ui/ClientWindows.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;
using WriteMode = SimulatedServer::WriteMode;

Q_DECLARE_METATYPE(WriteMode)

namespace {

const QString ClientId = u"DESK01"_s;
constexpr std::uint32_t ShortExpiry = 500;
constexpr int ShortNotice = 300;
constexpr int ShortCloseWait = 100;

// One client in a working directory of its own, its database optionally
// seeded with a registration that points at `port`.
struct Client : WindowsFixture {
    explicit Client(std::optional<quint16> port)
    {
        if (port)
            seed(Registration{ClientId, u"127.0.0.1"_s, *port}, u"010"_s);
        createWindows({.expiryDelay = ShortExpiry,
                       .noticeInterval = ShortNotice,
                       .closeWaitInterval = ShortCloseWait});
    }

    ServerLink &link() { return *session().link(); }
    int reportRows()
    {
        QueryObject &query = store().ADOQuery2();
        query.close();
        query.setStatement(u"select * from report"_s);
        query.open();
        return query.recordCount();
    }
    // Asks the server something; its answer is whatever the test arranged.
    void request(char type) { session().SendRequest(type); }
    // Points the client at the server without the sign-on's own traffic.
    void signOnTo(quint16 port)
    {
        state().CurrentServerIP = u"127.0.0.1"_s;
        state().CurrentServerPort = QString::number(port);
        state().CurrentClientID = ClientId;
        state().setClientIdBytes(ClientId);
        session().resumeWorker();
    }
    // A frame as the operator's windows build it.
    void sendFrame(const QByteArray &frame)
    {
        std::copy(frame.cbegin(), frame.cend(), state().SendBuffer.begin());
        state().SendLength = static_cast<std::int32_t>(frame.size());
        session().sendBuiltFrame();
    }
    // DESK01's page to serial 0012, and its report query.
    void sendPage() { sendFrame(GoldenFrames::A); }
    void queryReport() { sendFrame(GoldenFrames::H); }
};

QByteArray joined(const QList<QByteArray> &frames)
{
    QByteArray bytes;
    for (const QByteArray &frame : frames)
        bytes += frame;
    return bytes;
}

} // namespace

class TestServerLink : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void signOnFetchesAndStoresTheLists_data();
    void signOnFetchesAndStoresTheLists();
    void refusedRegistrationChangesNothing_data();
    void refusedRegistrationChangesNothing();
    void noticeClearsCompositionAndQueuesFollowUps();
    void forcedListUpdateFetchesTheLists();
    void reportPartsFillTheReport_data();
    void reportPartsFillTheReport();
    void newRequestCutsOffTheReport();
    void transmissionResult_data();
    void transmissionResult();
    void unknownFrameLeavesConnectionOpen();
    void unreachableServerIsReported();
    void closeWaitsForTheServer();
    void closeGivesUpWithoutAnswer();

private:
    std::unique_ptr<SimulatedServer> m_server;
    std::unique_ptr<QSignalSpy> m_frames;
};

void TestServerLink::init()
{
    m_server = std::make_unique<SimulatedServer>();
    QVERIFY2(m_server->listen(QHostAddress(QHostAddress::LocalHost), 0),
             qPrintable(m_server->errorString()));
    m_frames = std::make_unique<QSignalSpy>(m_server.get(), &SimulatedServer::frameReceived);
}

void TestServerLink::cleanup()
{
    m_frames.reset();
    m_server.reset();
}

static QList<char> typesOf(const QSignalSpy &spy)
{
    QList<char> types;
    for (const QList<QVariant> &arguments : spy)
        types.append(arguments.at(0).value<ClientFrame>().type);
    return types;
}

void TestServerLink::signOnFetchesAndStoresTheLists_data()
{
    QTest::addColumn<WriteMode>("mode");
    // clang-format off
    QTest::newRow("one write per frame") << WriteMode::Normal;
    QTest::newRow("split")               << WriteMode::Split;
    QTest::newRow("merged")              << WriteMode::Merged;
    // clang-format on
}

void TestServerLink::signOnFetchesAndStoresTheLists()
{
    QFETCH(WriteMode, mode);
    m_server->setWriteMode(mode, 7);
    const DataSet &data = m_server->state().data;
    Client client(m_server->serverPort());
    client.form().show();

    QTRY_COMPARE(client.widget<QComboBox>(u"cboPreMsg"_s)->count(), data.canned.size());
    QCOMPARE(typesOf(*m_frames), (QList<char>{'R', 'P', 'C'}));
    ClientStore &store = client.store();
    QCOMPARE(store.listVersion(), u"017"_s);
    QCOMPARE(store.recipientNames().size(), data.recipients.size());
    QCOMPARE(store.groupNames().size(), data.groups.size());
    QCOMPARE(store.cannedTexts(), data.canned);
    QCOMPARE(client.widget<QComboBox>(u"cboRecpt"_s)->count(), data.recipients.size());
    QCOMPARE(client.windows->fmRegSer.component<QLabel>(u"lblVer"_s)->text(), u"1.7"_s);
    QCOMPARE(store.readRegistration()->serverPort, m_server->serverPort());
    QVERIFY(client.widget<QPushButton>(u"btnSend"_s)->isEnabled());
    QVERIFY(!client.windows->fmRegSer.component<QPushButton>(u"btnReg"_s)->isEnabled());
    QVERIFY(!client.state().CloseAllowed);
    // The sign-on confirms the registration; the lists arrive without a message.
    QCOMPARE(client.messenger.messages.size(), 1);
    QCOMPARE(client.messenger.lastText(), u"Register Success!"_s);
}

void TestServerLink::refusedRegistrationChangesNothing_data()
{
    QTest::addColumn<char>("result");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("ID in use")   << '0' << u"The Client ID has been used. Please use another Client ID!"_s;
    QTest::newRow("server full") << '2' << u"System reached the maximum number, please log later!"_s;
    // clang-format on
}

void TestServerLink::refusedRegistrationChangesNothing()
{
    QFETCH(char, result);
    QFETCH(QString, text);
    m_server->setNextAnswer('R', ServerFrameBuilder::registrationResult(ClientId, result));
    Client client(m_server->serverPort());
    client.windows->fmRegSer.component<QLineEdit>(u"edtClientID"_s)->setText(u"OTHER"_s);
    client.form().show();

    QTRY_COMPARE(client.messenger.lastText(), text);
    QTRY_VERIFY(!client.link().isConnectionOpen());
    QCOMPARE(client.store().readRegistration()->clientName, ClientId);
    QVERIFY(!client.widget<QPushButton>(u"btnSend"_s)->isEnabled());
    QVERIFY(client.state().CloseAllowed);
    QCOMPARE(typesOf(*m_frames), QList<char>{'R'});
}

void TestServerLink::noticeClearsCompositionAndQueuesFollowUps()
{
    m_server->setNextAnswer('A', ServerFrameBuilder::listVersionNotice(ClientId, '1'));
    Client client(std::nullopt);
    client.signOnTo(m_server->serverPort());
    client.sendPage();
    client.widget<QListWidget>(u"lstRecpt"_s)->addItem(u"Anna"_s);
    client.widget<QListWidget>(u"listType"_s)->addItem(u"P"_s);
    client.widget<QPlainTextEdit>(u"memMsg"_s)->setPlainText(u"hello"_s);

    const QString notice = u"Version update. Please select again!"_s;
    QTRY_COMPARE(client.form().statusMessage(), notice);
    QCOMPARE(client.widget<QListWidget>(u"lstRecpt"_s)->count(), 0);
    QCOMPARE(client.widget<QListWidget>(u"listType"_s)->count(), 0);
    QVERIFY(client.widget<QPlainTextEdit>(u"memMsg"_s)->toPlainText().isEmpty());
    QCOMPARE(client.state().StatusKind, StatusKind::Notice);
    QVERIFY(client.widget<QTimer>(u"Timer1"_s)->isActive());
    QVERIFY(!client.link().isConnectionOpen());

    QCOMPARE(client.session().queue().size(), 1);
    QVERIFY(client.messenger.messages.isEmpty());

    // Nothing follows before the delay has passed.
    client.clock.advance(ShortExpiry);
    QCOMPARE(typesOf(*m_frames), QList<char>{'A'});
    client.clock.advance(1);
    QTRY_COMPARE(typesOf(*m_frames), (QList<char>{'A', 'S'}));
    QTRY_COMPARE(client.session().queue().size(), 0);

    // A second notice queues a second follow-up.
    m_server->setNextAnswer('A', ServerFrameBuilder::listVersionNotice(ClientId, '1'));
    client.sendPage();
    QTRY_COMPARE(client.session().queue().size(), 1);
    client.clock.advance(ShortExpiry + 1);
    QTRY_COMPARE(typesOf(*m_frames), (QList<char>{'A', 'S', 'A', 'S'}));

    // The notice clears itself.
    QTRY_COMPARE(client.form().statusMessage(), QString());
    QCOMPARE(client.state().StatusKind, StatusKind::Nothing);
    QVERIFY(!client.widget<QTimer>(u"Timer1"_s)->isActive());
}

void TestServerLink::forcedListUpdateFetchesTheLists()
{
    m_server->setNextAnswer('A', ServerFrameBuilder::listVersionNotice(ClientId, '2'));
    Client client(std::nullopt);
    client.signOnTo(m_server->serverPort());
    client.sendPage();

    QTRY_COMPARE(client.messenger.lastText(), u"Version update. Please select again!"_s);
    QCOMPARE(typesOf(*m_frames), (QList<char>{'A', 'P', 'C'}));
    QCOMPARE(client.state().ListUpdateMode, ListUpdateMode::Server);
    QCOMPARE(client.store().cannedTexts(), m_server->state().data.canned);
}

void TestServerLink::reportPartsFillTheReport_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<WriteMode>("mode");
    QTest::addColumn<int>("chunk"); // bytes per write when split
    // clang-format off
    QTest::newRow("85 in one write")         << 85 << WriteMode::Normal << 0;
    QTest::newRow("85 split")                << 85 << WriteMode::Split  << 61;
    QTest::newRow("80, last part full size") << 80 << WriteMode::Split  << 61;
    QTest::newRow("5 in one part")           << 5  << WriteMode::Split  << 9;
    QTest::newRow("empty report")            << 0  << WriteMode::Normal << 0;
    // clang-format on
}

void TestServerLink::reportPartsFillTheReport()
{
    QFETCH(int, records);
    QFETCH(WriteMode, mode);
    QFETCH(int, chunk);
    Client client(std::nullopt);
    client.state().CurrentServerIP = u"127.0.0.1"_s;
    client.state().CurrentServerPort = QString::number(m_server->serverPort());
    // An earlier report that the answer replaces.
    client.store().startReport(ServerFrames::reportRecords(3));
    client.store().finishReport();
    QCOMPARE(client.reportRows(), 3);

    m_server->setWriteMode(mode, chunk, 1);
    m_server->setNextAnswer('H', joined(ServerFrameBuilder::reportParts(
                                     ClientId, ServerFrames::reportRecords(records))));
    client.queryReport();

    QTRY_VERIFY(client.state().ReceivedLength > 0);
    QTRY_VERIFY(!client.link().isConnectionOpen());
    QCOMPARE(client.reportRows(), records);
    QVERIFY(client.messenger.messages.isEmpty());
}

void TestServerLink::newRequestCutsOffTheReport()
{
    Client client(std::nullopt);
    client.state().CurrentServerIP = u"127.0.0.1"_s;
    client.state().CurrentServerPort = QString::number(m_server->serverPort());
    // Slow enough that the first part is in long before the second.
    m_server->setWriteMode(WriteMode::Split, 64);
    m_server->setNextAnswer(
        'H', joined(ServerFrameBuilder::reportParts(ClientId, ServerFrames::reportRecords(85))));
    client.queryReport();
    QTRY_VERIFY(client.state().ReceivedLength > 0);
    QVERIFY(client.link().isConnectionOpen());

    m_server->setNextAnswer('C', {});
    client.request('C');
    QCOMPARE(client.reportRows(), 40);
    QTRY_COMPARE(typesOf(*m_frames), (QList<char>{'H', 'C'}));
    QCOMPARE(client.reportRows(), 40);
}

void TestServerLink::transmissionResult_data()
{
    QTest::addColumn<int>("failed");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("kind");
    // clang-format off
    QTest::newRow("three failed") << 3 << u" There are 3 data transmission failed."_s << 2;
    QTest::newRow("none failed")  << 0 << u"earlier"_s                                << 0;
    // clang-format on
}

void TestServerLink::transmissionResult()
{
    QFETCH(int, failed);
    QFETCH(QString, status);
    QFETCH(int, kind);
    Client client(std::nullopt);
    client.state().CurrentServerIP = u"127.0.0.1"_s;
    client.state().CurrentServerPort = QString::number(m_server->serverPort());
    client.form().setStatusMessage(u"earlier"_s);

    m_server->setNextAnswer(
        'A', ServerFrameBuilder::transmissionResult(ClientId, static_cast<std::uint8_t>(failed)));
    client.sendPage();
    QTRY_COMPARE(client.state().SendBuffer[FrameFormat::TypeOffset], 's');
    QVERIFY(!client.link().isConnectionOpen());
    QCOMPARE(client.form().statusMessage(), status);
    QCOMPARE(client.state().StatusKind, StatusKind(kind));
    QVERIFY(!client.widget<QTimer>(u"Timer1"_s)->isActive());
}

void TestServerLink::unknownFrameLeavesConnectionOpen()
{
    Client client(std::nullopt);
    client.state().CurrentServerIP = u"127.0.0.1"_s;
    client.state().CurrentServerPort = QString::number(m_server->serverPort());
    const QByteArray unknown = ServerFrameBuilder::frame(ClientId, 'x', "1234");
    m_server->setNextAnswer('P', unknown);
    client.request('P');

    QTRY_COMPARE(client.state().ReceivedLength, unknown.size());
    QCOMPARE(client.state().SendBuffer[FrameFormat::TypeOffset], 'x');
    QCOMPARE(client.link().ClientSocket()->state(), QAbstractSocket::ConnectedState);
    QVERIFY(client.messenger.messages.isEmpty());
}

void TestServerLink::unreachableServerIsReported()
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress(QHostAddress::LocalHost), 0));
        closedPort = probe.serverPort();
    }
    Client client(closedPort);
    client.form().show();

    QTRY_COMPARE(client.messenger.lastText(),
                 u"A connection request that was already accepted could not \nbe completed."_s);
    QCOMPARE(client.messenger.messages.first().title, u"Quorvel Client"_s);
    QVERIFY(!client.link().isConnectionOpen());
}

void TestServerLink::closeWaitsForTheServer()
{
    Client client(m_server->serverPort());
    client.form().show();
    QTRY_VERIFY(!client.state().CloseAllowed);
    QTRY_COMPARE(m_frames->size(), 3);

    QVERIFY(!client.form().close());
    QVERIFY(client.form().isVisible());
    QVERIFY(!client.widget<QPushButton>(u"btnExit"_s)->isEnabled());
    QVERIFY(client.widget<QTimer>(u"TMClose"_s)->isActive());
    QTRY_VERIFY(!client.form().isVisible());
    QCOMPARE(typesOf(*m_frames).last(), 'O');
    QVERIFY(client.state().CloseAllowed);
}

void TestServerLink::closeGivesUpWithoutAnswer()
{
    Client client(m_server->serverPort());
    client.form().show();
    QTRY_VERIFY(!client.state().CloseAllowed);
    QTRY_COMPARE(m_frames->size(), 3);
    m_server->setNextAnswer('O', {});

    QVERIFY(!client.form().close());
    // Its ticks are driven by hand here.
    client.widget<QTimer>(u"TMClose"_s)->stop();
    QTRY_COMPARE(typesOf(*m_frames).last(), 'O');
    for (int tick = 0; tick < 6; ++tick)
        client.form().TMCloseTimer();
    QVERIFY(client.form().isVisible());
    client.form().TMCloseTimer();
    QVERIFY(!client.form().isVisible());
    QVERIFY(!client.link().isConnectionOpen());
}

QTEST_MAIN(TestServerLink)
#include "test_server_link.moc"
