// A paging server that has gone wrong, scripted on loopback: the client
// neither loses frames nor loops, locks the operator out, grows without
// bound or stores half a set.
#include "GoldenFrames.h"
#include "RecordingMessenger.h"
#include "ServerFrameBuilder.h"
#include "ServerFrames.h"
#include "SessionFixture.h"
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

using namespace ServerFrames;

class TestHostileServer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SessionFixture> m_fix;

private Q_SLOTS:
    void init() { m_fix = std::make_unique<SessionFixture>(); }
    void cleanup() { m_fix.reset(); }

    // A last part may hold more than 40 records.
    void longLastPartIsReadToItsEnd()
    {
        m_fix->start(true);
        m_fix->server->setNextAnswer('H', lastPart(2, 45));
        m_fix->send(GoldenFrames::H);
        QTRY_VERIFY(m_fix->session->state().ReceivedLength > 0);
        QTRY_VERIFY(!m_fix->session->link()->isConnectionOpen());
        QCOMPARE(m_fix->reportRows(), 45);
        // The answer's transaction is closed: the next write goes straight to the file.
        m_fix->session->store().setListVersion(u"099"_s);
        ClientStore reader(m_fix->directory.path());
        reader.open();
        QCOMPARE(reader.listVersion(), u"099"_s);
    }

    // Extra bytes before a closing, and an unknown frame, lose nothing behind them.
    void framesBehindOddOnesAreKept_data()
    {
        QTest::addColumn<QByteArray>("first");
        const QByteArray notice = ServerFrameBuilder::listVersionNotice(ClientId, '0');
        // clang-format off
        QTest::newRow("notice with 3 extra bytes") << ServerFrameBuilder::frame(ClientId, 'a', bodyOf(notice) + "xyz");
        QTest::newRow("unknown type")              << ServerFrameBuilder::frame(ClientId, 'x', "1234567");
        // clang-format on
    }
    void framesBehindOddOnesAreKept()
    {
        QFETCH(QByteArray, first);
        m_fix->start(true);
        m_fix->server->setNextAnswer('A',
                                     first + ServerFrameBuilder::transmissionResult(ClientId, 3));
        m_fix->send(GoldenFrames::A);
        QTRY_COMPARE(m_fix->session->state().StatusKind, StatusKind::Failure);
        QVERIFY(!m_fix->session->link()->isConnectionOpen());
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
        m_fix->start(true);
        const QList<QByteArray> parts =
            ServerFrameBuilder::reportParts(ClientId, reportRecords(85));
        m_fix->server->setWriteMode(mode, 23, 0);
        m_fix->server->setNextAnswer('H', parts[0] + withPartCode(parts[1], 0xFF) + parts[2]);
        m_fix->send(GoldenFrames::H);
        QTRY_VERIFY(m_fix->session->state().ReceivedLength > 0);
        QTRY_VERIFY(!m_fix->session->link()->isConnectionOpen());
        QCOMPARE(m_fix->reportRows(), 85);
    }

    void answersToOtherRequestsAreIgnored()
    {
        ClientSession &session = m_fix->start(true);
        QSignalSpy granted(&session, &ClientSession::closeGranted);
        // A close grant to the sign-on does not close the window.
        m_fix->server->setNextAnswer('R', ServerFrameBuilder::closeGrant(ClientId, '1'));
        session.signOn();
        QTRY_COMPARE(m_fix->frames->size(), 1);
        QTRY_VERIFY(m_fix->session->state().ReceivedLength > 0);
        QVERIFY(granted.isEmpty());
        QVERIFY(m_fix->messenger.messages.isEmpty());
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
        m_fix->start(true);
        m_fix->server->setAnswerToEverything(answer);
        m_fix->send(request);
        QTRY_COMPARE(m_fix->receivedTypes(), sent);
        QTest::qWait(300);
        QCOMPARE(m_fix->receivedTypes(), sent);
        QVERIFY(m_fix->messenger.messages.size() <= 1);
    }

    void followUpsDrivenByTheServerAreLimited()
    {
        ClientSession &session = m_fix->start(true, {.expiryDelay = 100});
        // Six notices queue six follow-ups, which fall due together.
        for (int page = 0; page < 6; ++page) {
            m_fix->server->setNextAnswer('A', ServerFrameBuilder::listVersionNotice(ClientId, '1'));
            m_fix->send(GoldenFrames::A);
            QTRY_COMPARE(session.queue().size(), page + 1);
        }
        // Each follow-up that goes out opens a connection (and drops the one before).
        QSignalSpy failure(&session, &ClientSession::statusFailure);
        QSignalSpy socketStates(session.link()->ClientSocket(), &QAbstractSocket::stateChanged);
        m_fix->clock.advance(1000);
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
        ClientSession &session = m_fix->start(true, {.expiryDelay = 100, .reportRowLimit = 100});
        const QList<QByteArray> parts =
            ServerFrameBuilder::reportParts(ClientId, reportRecords(400));
        m_fix->server->setNextAnswer('H', parts.first(9).join());
        m_fix->send(GoldenFrames::H);
        QTRY_COMPARE(session.state().StatusKind, StatusKind::Failure);
        QVERIFY(!m_fix->session->link()->isConnectionOpen());
        QCOMPARE(m_fix->reportRows(), 100);
    }

    void reportReadingLetsOtherEventsIn()
    {
        ClientSession &session = m_fix->start(true);
        const QList<QByteArray> parts =
            ServerFrameBuilder::reportParts(ClientId, reportRecords(2000));
        m_fix->server->setNextAnswer('H', parts.join());
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
        m_fix->send(GoldenFrames::H);
        QTRY_VERIFY_WITH_TIMEOUT(
            !m_fix->session->link()->isConnectionOpen() && m_fix->reportRows() == 2000, 20000);
        QVERIFY(timerRan);
        // One read holds at most what the frame buffer holds.
        const qsizetype partsPerRead = ServerFrameReader::MaxHeldBytes / parts[0].size() + 1;
        QVERIFY2(longestRun <= partsPerRead, qPrintable(QString::number(longestRun)));
    }

    void droppedReportSaysItIsIncomplete()
    {
        ClientSession &session = m_fix->start(true);
        QSignalSpy failure(&session, &ClientSession::statusFailure);
        const QList<QByteArray> parts =
            ServerFrameBuilder::reportParts(ClientId, reportRecords(200));
        m_fix->server->setNextAnswer('H', parts[0] + parts[1] + parts[2].first(500), true);
        m_fix->send(GoldenFrames::H);
        QTRY_COMPARE(failure.size(), 1);
        QCOMPARE(failure.first().first().toString(),
                 u"The report is incomplete: only 80 rows arrived."_s);
        QCOMPARE(m_fix->reportRows(), 80);
        QCOMPARE(session.state().StatusKind, StatusKind::Failure);
    }

    void listsAreStoredAsOneSet()
    {
        ClientSession &session = m_fix->start(true);
        ClientStore &store = session.store();
        store.replaceLists(u"010"_s, {{u"0001"_s, u"Old"_s}},
                           QList<ListRecord>{{u"0002"_s, u"Team"_s}});
        QSqlQuery trigger(QSqlDatabase::database(store.connectionName()));
        QVERIFY(trigger.exec(u"CREATE TRIGGER refuse BEFORE INSERT ON group_list "
                             u"BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));
        const QList<ListRecord> groups{{u"0009"_s, u"New team"_s}};
        m_fix->server->setNextAnswer(
            'P', ServerFrameBuilder::lists(ClientId, u"020"_s, {{u"0003"_s, u"New"_s}}, groups));
        m_fix->send(GoldenFrames::P);
        QTRY_VERIFY(m_fix->messenger.lastText().contains(u"refused"_s));
        QCOMPARE(store.listVersion(), u"010"_s);
        QCOMPARE(store.recipientNames(), QStringList{u"Old"_s});
        QCOMPARE(store.groupNames(), QStringList{u"Team"_s});
    }

    void databaseErrorWhileClosingIsShown()
    {
        ClientSession &session = m_fix->start(true);
        session.state().CloseAllowed = false;
        QSqlQuery drop(QSqlDatabase::database(session.store().connectionName()));
        QVERIFY(drop.exec(u"DROP TABLE Version"_s));
        QVERIFY(session.mayClose());
        QVERIFY(m_fix->messenger.lastText().contains(u"Version"_s));
        QVERIFY(m_fix->frames->isEmpty());
    }

    void secondClientInTheSameDirectoryIsRefused()
    {
        m_fix->start(true);
        ClientSession second(m_fix->messenger, m_fix->clock, {.discoveryPort = 0});
        QVERIFY(!second.start(m_fix->directory.path()));
        QVERIFY(!second.isStarted());
        QVERIFY(m_fix->messenger.lastText().contains(u"in use by another running client"_s));
        m_fix->session.reset();
        ClientSession third(m_fix->messenger, m_fix->clock, {.discoveryPort = 0});
        QVERIFY(third.start(m_fix->directory.path()));
    }
};

QTEST_GUILESS_MAIN(TestHostileServer)
#include "test_hostile_server.moc"
