// The session without windows: sign-on and its chain of answers, the
// requests it sends, and the close flow, against the simulated server.
#include "RecordingMessenger.h"
#include "SessionFixture.h"
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

} // namespace

class TestClientSession : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SessionFixture> m_fix;

private Q_SLOTS:
    void init() { m_fix = std::make_unique<SessionFixture>(); }
    void cleanup() { m_fix.reset(); }

    void signOnRunsTheChainAndAnnouncesIt()
    {
        ClientSession &session = m_fix->start(true);
        QSignalSpy loaded(&session, &ClientSession::registrationLoaded);
        QSignalSpy accepted(&session, &ClientSession::registrationAccepted);
        QSignalSpy version(&session, &ClientSession::listVersionChanged);
        QSignalSpy lists(&session, &ClientSession::listsChanged);
        session.signOn();

        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded.first().first().value<Registration>().clientName, ClientId);
        QTRY_COMPARE(lists.size(), 1);
        QCOMPARE(m_fix->receivedTypes(), (QList<char>{'R', 'P', 'C'}));
        QCOMPARE(m_fix->frames->first().first().value<ClientFrame>().registrationFlag, '0');
        QCOMPARE(accepted.size(), 1);
        QCOMPARE(version.first().first().toString(), u"1.7"_s);
        QCOMPARE(session.store().cannedTexts(), m_fix->server->state().data.canned);
        QVERIFY(!session.state().CloseAllowed);
        QCOMPARE(m_fix->messenger.lastText(), u"Register Success!"_s);
        // The product title is the selected language's; without the main window
        // no language has been selected, so it is empty.
        QCOMPARE(m_fix->messenger.messages.last().title, QString());
    }

    void unregisteredSessionSendsNothing()
    {
        ClientSession &session = m_fix->start(false);
        QSignalSpy loaded(&session, &ClientSession::registrationLoaded);
        session.signOn();
        QTest::qWait(50);
        QVERIFY(m_fix->frames->isEmpty());
        QVERIFY(loaded.isEmpty());
        QVERIFY(session.mayClose());
    }

    void everyRequestCarriesTheStoredVersion()
    {
        ClientSession &session = m_fix->start(true);
        session.signOn();
        QTRY_COMPARE(m_fix->frames->size(), 3);
        session.store().setListVersion(u"120"_s);
        m_fix->server->setNextAnswer('P', {});
        session.SendRequest('P');
        QTRY_COMPARE(m_fix->frames->size(), 4);
        QCOMPARE(m_fix->frames->last().first().value<ClientFrame>().listVersion, u"120"_s);
    }

    void closeAsksTheServerThenWaits()
    {
        ClientSession &session = m_fix->start(true);
        QSignalSpy granted(&session, &ClientSession::closeGranted);
        session.signOn();
        QTRY_VERIFY(!session.state().CloseAllowed);
        QTRY_COMPARE(m_fix->frames->size(), 3);

        QVERIFY(!session.mayClose());
        QTRY_COMPARE(granted.size(), 1);
        QCOMPARE(m_fix->receivedTypes().last(), 'O');
        QVERIFY(session.state().CloseAllowed);
        QVERIFY(session.mayClose());
    }

    void closeWaitEndsOnTheSeventhTick()
    {
        ClientSession &session = m_fix->start(true);
        session.state().CloseAllowed = false;
        for (int tick = 1; tick <= 6; ++tick)
            QVERIFY2(!session.closeWaitTick(), qPrintable(QString::number(tick)));
        QVERIFY(session.closeWaitTick());
        QVERIFY(session.state().CloseAllowed);
    }
};

QTEST_GUILESS_MAIN(TestClientSession)
#include "test_client_session.moc"
