// A paging server that has gone wrong, scripted on loopback: the client
// neither loses frames nor loops, locks the operator out, grows without
// bound or stores half a set.
#include "GoldenFrames.h"
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "ServerFrameBuilder.h"
#include "SimulatedServer.h"
#include "WorkingDirectory.h"
#include "app/ChainLimiter.h"
#include "app/ClientSession.h"
#include "link/FrameFormat.h"
#include "link/ServerFrameReader.h"
#include "link/ServerLink.h"
#include "store/ClientStore.h"
#include "store/QueryObject.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString ClientId = u"DESK01"_s;

QList<char> typesOf(const QSignalSpy &spy)
{
    QList<char> types;
    for (const QList<QVariant> &arguments : spy)
        types.append(arguments.at(0).value<ClientFrame>().type);
    return types;
}

QList<ReportRecord> reportRecords(int count)
{
    QList<ReportRecord> records;
    for (int i = 0; i < count; ++i)
        records.append(
            {u"Desk"_s, u"R%1"_s.arg(i), u"2014-01-21 09:05:07"_s, u"OK"_s, u"m%1"_s.arg(i)});
    return records;
}

QByteArray body(const QByteArray &frame)
{
    return frame.sliced(FrameFormat::BodyOffset,
                        frame.size() - FrameFormat::BodyOffset - FrameFormat::TrailerSize);
}

// A last part of any number of records, back to back up to 0xFF.
QByteArray lastPart(int count)
{
    QByteArray bytes = body(ServerFrameBuilder::reportParts(ClientId, reportRecords(1))[0]);
    bytes.chop(1); // the 0xFF
    const QByteArray record = bytes.sliced(4);
    bytes.truncate(4);
    bytes[3] = 2;
    for (int i = 0; i < count; ++i)
        bytes += record;
    bytes.append(static_cast<char>(FrameFormat::ListEnd));
    return ServerFrameBuilder::frame(ClientId, 'h', bytes);
}

QByteArray withPartCode(const QByteArray &frame, std::uint8_t code)
{
    QByteArray bytes = body(frame);
    bytes[3] = static_cast<char>(code);
    return ServerFrameBuilder::frame(ClientId, 'h', bytes);
}

} // namespace

class TestHostileServer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SimulatedServer> m_server;
    std::unique_ptr<QSignalSpy> m_frames;
    std::unique_ptr<WorkingDirectory> m_dir;
    RecordingMessenger m_messenger;
    ManualClock m_clock;
    std::unique_ptr<ClientSession> m_session;

    ClientSession &startSession(SessionOptions options = {})
    {
        {
            ClientStore seed(m_dir->path());
            seed.open();
            seed.replaceRegistration({ClientId, u"127.0.0.1"_s, m_server->serverPort()});
            seed.setListVersion(u"010"_s);
        }
        options.discoveryPort = 0;
        options.expiryDelay = 100;
        m_session = std::make_unique<ClientSession>(m_messenger, m_clock, options);
        m_session->start(m_dir->path());
        ClientState &state = m_session->state();
        state.CurrentServerIP = u"127.0.0.1"_s;
        state.CurrentServerPort = QString::number(m_server->serverPort());
        state.CurrentClientID = ClientId;
        state.setClientIdBytes(ClientId);
        m_session->resumeWorker();
        return *m_session;
    }
    void send(const QByteArray &frame)
    {
        ClientState &state = m_session->state();
        std::copy(frame.cbegin(), frame.cend(), state.SendBuffer.begin());
        state.SendLength = static_cast<std::int32_t>(frame.size());
        m_session->sendBuiltFrame();
    }
    int reportRows()
    {
        QueryObject &query = m_session->store().ADOQuery2();
        query.close();
        query.setStatement(u"select * from report"_s);
        query.open();
        return query.recordCount();
    }
    bool connectionOpen() const { return m_session->link()->isConnectionOpen(); }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<SimulatedServer>();
        QVERIFY(m_server->listen(QHostAddress(QHostAddress::LocalHost), 0));
        m_frames = std::make_unique<QSignalSpy>(m_server.get(), &SimulatedServer::frameReceived);
        m_dir = std::make_unique<WorkingDirectory>();
        m_messenger.messages.clear();
    }
    void cleanup()
    {
        m_session.reset();
        m_frames.reset();
        m_server.reset();
        m_dir.reset();
    }

    // A last part may hold more than 40 records.
    void longLastPartIsReadToItsEnd()
    {
        startSession();
        m_server->setNextAnswer('H', lastPart(45));
        send(GoldenFrames::H);
        QTRY_VERIFY(m_session->state().ReceivedLength > 0);
        QTRY_VERIFY(!connectionOpen());
        QCOMPARE(reportRows(), 45);
        // The answer's transaction is closed: the next write goes straight to the file.
        m_session->store().setListVersion(u"099"_s);
        ClientStore reader(m_dir->path());
        reader.open();
        QCOMPARE(reader.listVersion(), u"099"_s);
    }

    // Extra bytes before a closing, and an unknown frame, lose nothing behind them.
    void framesBehindOddOnesAreKept_data()
    {
        QTest::addColumn<QByteArray>("first");
        const QByteArray notice = ServerFrameBuilder::listVersionNotice(ClientId, '0');
        // clang-format off
        QTest::newRow("notice with 3 extra bytes") << ServerFrameBuilder::frame(ClientId, 'a', body(notice) + "xyz");
        QTest::newRow("unknown type")              << ServerFrameBuilder::frame(ClientId, 'x', "1234567");
        // clang-format on
    }
    void framesBehindOddOnesAreKept()
    {
        QFETCH(QByteArray, first);
        startSession();
        m_server->setNextAnswer('A', first + ServerFrameBuilder::transmissionResult(ClientId, 3));
        send(GoldenFrames::A);
        QTRY_COMPARE(m_session->state().StatusKind, StatusKind::Failure);
        QVERIFY(!connectionOpen());
    }

    // Whether a part with code 0xFF is full or last follows from its bytes alone.
    void partCodeDoesNotDecideTheLayout_data()
    {
        QTest::addColumn<SimulatedServer::WriteMode>("mode");
        QTest::newRow("one write") << SimulatedServer::WriteMode::Normal;
        QTest::newRow("cut at every 23 bytes") << SimulatedServer::WriteMode::Split;
    }
    void partCodeDoesNotDecideTheLayout()
    {
        QFETCH(SimulatedServer::WriteMode, mode);
        startSession();
        const QList<QByteArray> parts =
            ServerFrameBuilder::reportParts(ClientId, reportRecords(85));
        m_server->setWriteMode(mode, 23, 0);
        m_server->setNextAnswer('H', parts[0] + withPartCode(parts[1], 0xFF) + parts[2]);
        send(GoldenFrames::H);
        QTRY_VERIFY(m_session->state().ReceivedLength > 0);
        QTRY_VERIFY(!connectionOpen());
        QCOMPARE(reportRows(), 85);
    }

    void answersToOtherRequestsAreIgnored()
    {
        ClientSession &session = startSession();
        QSignalSpy granted(&session, &ClientSession::closeGranted);
        // A close grant to the sign-on does not close the window.
        m_server->setNextAnswer('R', ServerFrameBuilder::closeGrant(ClientId, '1'));
        session.signOn();
        QTRY_COMPARE(m_frames->size(), 1);
        QTRY_VERIFY(m_session->state().ReceivedLength > 0);
        QVERIFY(granted.isEmpty());
        QVERIFY(m_messenger.messages.isEmpty());
    }

    void serverAnsweringEverythingTheSameCannotLoop_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QList<char>>("sent");
        // clang-format off
        QTest::newRow("r 1 to everything") << ServerFrameBuilder::registrationResult(ClientId, '1')  << GoldenFrames::R << QList<char>{'R', 'P'};
        QTest::newRow("a 2 to everything") << ServerFrameBuilder::listVersionNotice(ClientId, '2')   << GoldenFrames::A << QList<char>{'A', 'P'};
        QTest::newRow("p to everything")   << ServerFrameBuilder::lists(ClientId, u"017"_s, {}, {})  << GoldenFrames::P << QList<char>{'P', 'C'};
        // clang-format on
    }
    void serverAnsweringEverythingTheSameCannotLoop()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, request);
        QFETCH(QList<char>, sent);
        startSession();
        m_server->setAnswerToEverything(answer);
        send(request);
        QTRY_COMPARE(typesOf(*m_frames), sent);
        QTest::qWait(300);
        QCOMPARE(typesOf(*m_frames), sent);
        QVERIFY(m_messenger.messages.size() <= 1);
    }

    void followUpsDrivenByTheServerAreLimited()
    {
        ClientSession &session = startSession();
        // Six notices queue six follow-ups, which fall due together.
        for (int page = 0; page < 6; ++page) {
            m_server->setNextAnswer('A', ServerFrameBuilder::listVersionNotice(ClientId, '1'));
            send(GoldenFrames::A);
            QTRY_COMPARE(session.queue().size(), page + 1);
        }
        // Each follow-up that goes out opens a connection (and drops the one before).
        QSignalSpy failure(&session, &ClientSession::statusFailure);
        QSignalSpy socketStates(session.link()->ClientSocket(), &QAbstractSocket::stateChanged);
        m_clock.advance(1000);
        QTRY_COMPARE(session.queue().size(), 0);
        QTRY_COMPARE(failure.size(), 1);
        QCOMPARE(failure.first().first().toString(),
                 u"The server keeps asking for the same request. Stopped; please try again."_s);
        int connections = 0;
        for (const QList<QVariant> &change : socketStates)
            connections += change.first().value<QAbstractSocket::SocketState>() ==
                           QAbstractSocket::HostLookupState;
        QCOMPARE(connections, ChainLimiter::MaxPerWindow);
    }

    void chainLimiter()
    {
        ChainLimiter limiter;
        for (int i = 0; i < ChainLimiter::MaxPerWindow; ++i)
            QVERIFY(limiter.allow('P', 0xFFFFF000u + std::uint32_t(i))); // across the wrap
        QVERIFY(!limiter.allow('P', 100));
        QVERIFY(limiter.allow('C', 100)); // each kind on its own
        QVERIFY(limiter.allow('P', 0xFFFFF000u + ChainLimiter::WindowMs));
        limiter.reset();
        QVERIFY(limiter.allow('C', 200));
    }

    void endlessReportIsCut()
    {
        ClientSession &session = startSession({.reportRowLimit = 100});
        const QList<QByteArray> parts =
            ServerFrameBuilder::reportParts(ClientId, reportRecords(400));
        m_server->setNextAnswer('H', parts.first(9).join());
        send(GoldenFrames::H);
        QTRY_COMPARE(session.state().StatusKind, StatusKind::Failure);
        QVERIFY(!connectionOpen());
        QCOMPARE(reportRows(), 100);
    }

    void reportReadingLetsOtherEventsIn()
    {
        ClientSession &session = startSession();
        const QList<QByteArray> parts =
            ServerFrameBuilder::reportParts(ClientId, reportRecords(2000));
        m_server->setNextAnswer('H', parts.join());
        // A timer due at once between two frames of one answer shows the
        // event loop turned while the answer was read.
        bool timerRan = false;
        int framesBetweenTurns = 0;
        int longestRun = 0;
        QTimer turn;
        turn.setInterval(0);
        connect(&turn, &QTimer::timeout, this, [&] {
            timerRan = true;
            framesBetweenTurns = 0;
        });
        connect(session.link(), &ServerLink::frameReceived, this,
                [&] { longestRun = std::max(longestRun, ++framesBetweenTurns); });
        turn.start();
        send(GoldenFrames::H);
        QTRY_VERIFY_WITH_TIMEOUT(!connectionOpen() && reportRows() == 2000, 20000);
        QVERIFY(timerRan);
        // One read holds at most what the frame buffer holds.
        const qsizetype partsPerRead = ServerFrameReader::MaxHeldBytes / parts[0].size() + 1;
        QVERIFY2(longestRun <= partsPerRead, qPrintable(QString::number(longestRun)));
    }

    void droppedReportSaysItIsIncomplete()
    {
        ClientSession &session = startSession();
        QSignalSpy failure(&session, &ClientSession::statusFailure);
        const QList<QByteArray> parts =
            ServerFrameBuilder::reportParts(ClientId, reportRecords(200));
        m_server->setNextAnswer('H', parts[0] + parts[1] + parts[2].first(500), true);
        send(GoldenFrames::H);
        QTRY_COMPARE(failure.size(), 1);
        QCOMPARE(failure.first().first().toString(),
                 u"The report is incomplete: only 80 rows arrived."_s);
        QCOMPARE(reportRows(), 80);
        QCOMPARE(session.state().StatusKind, StatusKind::Failure);
    }

    void listsAreStoredAsOneSet()
    {
        ClientSession &session = startSession();
        ClientStore &store = session.store();
        store.replaceLists(u"010"_s, {{u"0001"_s, u"Old"_s}},
                           QList<ListRecord>{{u"0002"_s, u"Team"_s}});
        QSqlQuery trigger(QSqlDatabase::database(store.connectionName()));
        QVERIFY(trigger.exec(u"CREATE TRIGGER refuse BEFORE INSERT ON group_list "
                             u"BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));
        const QList<ListRecord> groups{{u"0009"_s, u"New team"_s}};
        m_server->setNextAnswer(
            'P', ServerFrameBuilder::lists(ClientId, u"020"_s, {{u"0003"_s, u"New"_s}}, groups));
        send(GoldenFrames::P);
        QTRY_VERIFY(m_messenger.lastText().contains(u"refused"_s));
        QCOMPARE(store.listVersion(), u"010"_s);
        QCOMPARE(store.recipientNames(), QStringList{u"Old"_s});
        QCOMPARE(store.groupNames(), QStringList{u"Team"_s});
    }

    void databaseErrorWhileClosingIsShown()
    {
        ClientSession &session = startSession();
        session.state().CloseAllowed = false;
        QSqlQuery drop(QSqlDatabase::database(session.store().connectionName()));
        QVERIFY(drop.exec(u"DROP TABLE Version"_s));
        QVERIFY(session.mayClose());
        QVERIFY(m_messenger.lastText().contains(u"Version"_s));
        QVERIFY(m_frames->isEmpty());
    }

    void secondClientInTheSameDirectoryIsRefused()
    {
        startSession();
        ClientSession second(m_messenger, m_clock, {.discoveryPort = 0});
        QVERIFY(!second.start(m_dir->path()));
        QVERIFY(!second.isStarted());
        QVERIFY(m_messenger.lastText().contains(u"in use by another running client"_s));
        m_session.reset();
        ClientSession third(m_messenger, m_clock, {.discoveryPort = 0});
        QVERIFY(third.start(m_dir->path()));
    }
};

QTEST_GUILESS_MAIN(TestHostileServer)
#include "test_hostile_server.moc"
