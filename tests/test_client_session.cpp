// The session without windows: sign-on and its chain of answers, the
// requests it sends, and the close flow, against the simulated server.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "SimulatedServer.h"
#include "WorkingDirectory.h"
#include "app/ClientSession.h"
#include "link/ServerLink.h"
#include "store/ClientStore.h"

#include <QSignalSpy>
#include <QTest>

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

} // namespace

class TestClientSession : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SimulatedServer> m_server;
    std::unique_ptr<QSignalSpy> m_frames;
    std::unique_ptr<WorkingDirectory> m_dir;
    RecordingMessenger m_messenger;
    ManualClock m_clock;
    std::unique_ptr<ClientSession> m_session;

    // A session started in a fresh directory, registered with the server when asked.
    ClientSession &startSession(bool registered)
    {
        if (registered) {
            ClientStore seed(m_dir->path());
            seed.open();
            seed.replaceRegistration({ClientId, u"127.0.0.1"_s, m_server->serverPort()});
            seed.setListVersion(u"010"_s);
        }
        m_session = std::make_unique<ClientSession>(m_messenger, m_clock,
                                                    ClientSession::Options{.discoveryPort = 0});
        m_session->start(m_dir->path());
        return *m_session;
    }

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

    void signOnRunsTheChainAndAnnouncesIt()
    {
        ClientSession &session = startSession(true);
        QSignalSpy loaded(&session, &ClientSession::registrationLoaded);
        QSignalSpy accepted(&session, &ClientSession::registrationAccepted);
        QSignalSpy version(&session, &ClientSession::listVersionChanged);
        QSignalSpy lists(&session, &ClientSession::listsChanged);
        session.signOn();

        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded.first().first().value<Registration>().clientName, ClientId);
        QTRY_COMPARE(lists.size(), 1);
        QCOMPARE(typesOf(*m_frames), (QList<char>{'R', 'P', 'C'}));
        QCOMPARE(m_frames->first().first().value<ClientFrame>().registrationFlag, '0');
        QCOMPARE(accepted.size(), 1);
        QCOMPARE(version.first().first().toString(), u"1.7"_s);
        QCOMPARE(session.store().cannedTexts(), m_server->state().data.canned);
        QVERIFY(!session.state().CloseAllowed);
        QCOMPARE(m_messenger.lastText(), u"Register Success!"_s);
        // The product title is the selected language's; without the main window
        // no language has been selected, so it is empty.
        QCOMPARE(m_messenger.messages.last().title, QString());
    }

    void unregisteredSessionSendsNothing()
    {
        ClientSession &session = startSession(false);
        QSignalSpy loaded(&session, &ClientSession::registrationLoaded);
        session.signOn();
        QTest::qWait(50);
        QVERIFY(m_frames->isEmpty());
        QVERIFY(loaded.isEmpty());
        QVERIFY(session.mayClose());
    }

    void everyRequestCarriesTheStoredVersion()
    {
        ClientSession &session = startSession(true);
        session.signOn();
        QTRY_COMPARE(m_frames->size(), 3);
        session.store().setListVersion(u"120"_s);
        m_server->setNextAnswer('P', {});
        session.SendRequest('P');
        QTRY_COMPARE(m_frames->size(), 4);
        QCOMPARE(m_frames->last().first().value<ClientFrame>().listVersion, u"120"_s);
    }

    void closeAsksTheServerThenWaits()
    {
        ClientSession &session = startSession(true);
        QSignalSpy granted(&session, &ClientSession::closeGranted);
        session.signOn();
        QTRY_VERIFY(!session.state().CloseAllowed);
        QTRY_COMPARE(m_frames->size(), 3);

        QVERIFY(!session.mayClose());
        QTRY_COMPARE(granted.size(), 1);
        QCOMPARE(typesOf(*m_frames).last(), 'O');
        QVERIFY(session.state().CloseAllowed);
        QVERIFY(session.mayClose());
    }

    void closeWaitEndsOnTheSeventhTick()
    {
        ClientSession &session = startSession(true);
        session.state().CloseAllowed = false;
        for (int tick = 1; tick <= 6; ++tick)
            QVERIFY2(!session.closeWaitTick(), qPrintable(QString::number(tick)));
        QVERIFY(session.closeWaitTick());
        QVERIFY(session.state().CloseAllowed);
    }
};

QTEST_GUILESS_MAIN(TestClientSession)
#include "test_client_session.moc"
