// The registration window against the simulated server: what it shows when
// it opens, the client ID's key rule, the checks before Register, the
// identity it sends and stores, Version Update, and the wait while a request
// of the window is out.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "ServerFrameBuilder.h"
#include "SimulatedServer.h"
#include "WindowsFixture.h"
#include "WorkingDirectory.h"
#include "link/ServerLink.h"
#include "registration/RegistrationRules.h"
#include "store/ClientStore.h"
#include "ui/ClientWindows.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString StoredId = u"DESK01"_s;

// One client in a working directory of its own, with the shipped language
// file and optionally a stored registration.
struct Client : WindowsFixture {
    explicit Client(std::optional<Registration> stored, const QString &listVersion = u"000"_s)
    {
        directory.copyData(u"Language.ini"_s);
        seed(stored, listVersion);
        createWindows();
    }

    TfmRegSer &regSer() { return windows->fmRegSer; }
    QLineEdit *edit(const QString &name) { return regSer().component<QLineEdit>(name); }
    QPushButton *button(const QString &name) { return regSer().component<QPushButton>(name); }
    QString text(const QString &name) { return edit(name)->text(); }

    // The main window shown (which signs on), then Setting.
    void openSettings()
    {
        form().show();
        form().component<QAction>(u"SettSetting1"_s)->trigger();
        QVERIFY(regSer().isVisible());
        regSer().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&regSer()));
    }
    void type(const QString &name, const QString &typed)
    {
        edit(name)->clear();
        QTest::keyClicks(edit(name), typed);
    }
    void fill(const QString &ip, const QString &port, const QString &id)
    {
        type(u"txtIP"_s, ip);
        type(u"edtPort"_s, port);
        type(u"edtClientID"_s, id);
    }
    void click(const QString &name) { QTest::mouseClick(button(name), Qt::LeftButton); }
};

QList<ClientFrame> framesOf(const QSignalSpy &spy)
{
    QList<ClientFrame> frames;
    for (const QList<QVariant> &arguments : spy)
        frames.append(arguments.at(0).value<ClientFrame>());
    return frames;
}

QString typesOf(const QSignalSpy &spy)
{
    QString types;
    for (const ClientFrame &frame : framesOf(spy))
        types += QLatin1Char(frame.type);
    return types;
}

} // namespace

class TestRegistration : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SimulatedServer> m_server;
    std::unique_ptr<QSignalSpy> m_frames;

    Registration storedHere(const QString &id = StoredId) const
    {
        return {id, u"127.0.0.1"_s, m_server->serverPort()};
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<SimulatedServer>();
        QVERIFY(m_server->listen(QHostAddress(QHostAddress::LocalHost), 0));
        m_frames = std::make_unique<QSignalSpy>(m_server.get(), &SimulatedServer::frameReceived);
    }
    void cleanup()
    {
        m_frames.reset();
        m_server.reset();
    }

    void firstRunOffersADefaultServerAndAnEditableId()
    {
        Client client(std::nullopt);
        client.openSettings();

        QCOMPARE(client.regSer().windowTitle(), u"Quorvel Client Register"_s);
        QCOMPARE(client.text(u"txtIP"_s), u"127.0.0.1"_s);
        QCOMPARE(client.text(u"edtPort"_s), u"1024"_s);
        QCOMPARE(client.text(u"edtClientID"_s), QString());
        QVERIFY(client.edit(u"edtClientID"_s)->isEnabled());
        QVERIFY(!client.button(u"btnRecpt"_s)->isEnabled());
        QCOMPARE(client.regSer().component<QLabel>(u"lblVer"_s)->text(), u"0"_s);
        QVERIFY(m_frames->isEmpty());
    }

    void titleCaptionsAndPlacesPerLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("registerCaption");
        QTest::addColumn<QList<int>>(
            "places"); // txtIP, edtPort and edtClientID, lblVer left; btnRecpt width
        // clang-format off
        QTest::newRow("English") << u"English"_s << u"Quorvel Client Register"_s << u"Register"_s << QList<int>{99, 99, 145, 140};
        QTest::newRow("German") << u"German"_s << u"Quorvel Client registrieren"_s << u"Registrieren"_s << QList<int>{100, 100, 160, 140};
        QTest::newRow("Dutch") << u"Dutch"_s << u"Quorvel Client registreren"_s << u"Registreren"_s << QList<int>{105, 105, 175, 140};
        QTest::newRow("Italian") << u"Italian"_s << u"Quorvel Client"_s << u"Registra"_s << QList<int>{145, 105, 175, 160};
        QTest::newRow("no such language") << u"english"_s << u"Quorvel Client Register"_s << u"Register"_s << QList<int>{99, 99, 145, 140};
        // clang-format on
    }
    void titleCaptionsAndPlacesPerLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, title);
        QFETCH(QString, registerCaption);
        QFETCH(QList<int>, places);
        Client client(std::nullopt);
        client.state().CurrentLanguage = language;
        client.openSettings();

        QCOMPARE(client.regSer().windowTitle(), title);
        QCOMPARE(client.button(u"btnReg"_s)->text(), registerCaption);
        QCOMPARE(client.edit(u"txtIP"_s)->x(), places.at(0));
        QCOMPARE(client.edit(u"edtPort"_s)->x(), places.at(1));
        QCOMPARE(client.edit(u"edtClientID"_s)->x(), places.at(1));
        QCOMPARE(client.regSer().component<QLabel>(u"lblVer"_s)->x(), places.at(2));
        QCOMPARE(client.button(u"btnRecpt"_s)->width(), places.at(3));
    }

    void storedIdIsKeptAndSignsOnAgain()
    {
        Client client(storedHere(), u"017"_s);
        client.openSettings();
        QTRY_COMPARE(typesOf(*m_frames), u"RPC"_s);

        QCOMPARE(client.text(u"edtClientID"_s), StoredId);
        QVERIFY(!client.edit(u"edtClientID"_s)->isEnabled());
        QCOMPARE(client.text(u"edtPort"_s), QString::number(m_server->serverPort()));
        QCOMPARE(client.regSer().component<QLabel>(u"lblVer"_s)->text(), u"1.7"_s);
        QVERIFY(!client.button(u"btnReg"_s)->isEnabled());
        QVERIFY(client.button(u"btnRecpt"_s)->isEnabled());

        // Refused at sign-on, Register stays: another try goes out as a sign-on again.
        client.button(u"btnReg"_s)->setEnabled(true);
        client.click(u"btnReg"_s);
        QTRY_COMPARE(typesOf(*m_frames), u"RPCRPC"_s);
        QCOMPARE(framesOf(*m_frames).at(3).registrationFlag, '0');
        QCOMPARE(framesOf(*m_frames).at(3).clientId, StoredId);
    }

    void clientIdTakesTwelveCharacters()
    {
        Client client(std::nullopt);
        client.openSettings();
        QLineEdit *id = client.edit(u"edtClientID"_s);
        id->setFocus();
        QTest::keyClicks(id, u"ABCDEFGHIJKL"_s);
        QCOMPARE(id->text(), u"ABCDEFGHIJKL"_s);

        for (const Qt::Key key : {Qt::Key_M, Qt::Key_Backspace, Qt::Key_Delete}) {
            id->setFocus();
            QTest::keyClick(id, key);
            QCOMPARE(id->text(), u"ABCDEFGHIJKL"_s);
            QTRY_COMPARE(QApplication::focusWidget(), client.edit(u"edtNull"_s));
        }
        // Blanks around the ID do not count towards the twelve.
        id->setText(u" ABCDEFGHIJ"_s);
        QTest::keyClicks(id, u"K"_s);
        QCOMPARE(id->text(), u" ABCDEFGHIJK"_s);
    }

    void fieldsAreCheckedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("message");
        const QString noIp = u"Please input Server IP."_s;
        const QString noPort = u"Please input Server Port."_s;
        const QString noId = u"Please input Client ID."_s;
        const QString badPort = u"Server Port must be a whole number from 1 to 65535."_s;
        // clang-format off
        QTest::newRow("all empty")         << u""_s        << u""_s      << u""_s     << noIp;
        QTest::newRow("blank IP")          << u"   "_s     << u"1024"_s  << u"NEW1"_s << noIp;
        QTest::newRow("blank port")        << u"1.2.3.4"_s << u"  "_s    << u""_s     << noPort;
        QTest::newRow("blank ID")          << u"1.2.3.4"_s << u"1024"_s  << u"  "_s   << noId;
        QTest::newRow("empty ID, bad port") << u"1.2.3.4"_s << u"abc"_s  << u""_s     << noId;
        QTest::newRow("port not a number") << u"1.2.3.4"_s << u"abc"_s   << u"NEW1"_s << badPort;
        QTest::newRow("port 0")            << u"1.2.3.4"_s << u"0"_s     << u"NEW1"_s << badPort;
        QTest::newRow("port 65536")        << u"1.2.3.4"_s << u"65536"_s << u"NEW1"_s << badPort;
        QTest::newRow("port with a sign")  << u"1.2.3.4"_s << u"+80"_s   << u"NEW1"_s << badPort;
        QTest::newRow("port with a point") << u"1.2.3.4"_s << u"80.5"_s  << u"NEW1"_s << badPort;
        // clang-format on
    }
    void fieldsAreCheckedBeforeAnythingIsSent()
    {
        QFETCH(QString, ip);
        QFETCH(QString, port);
        QFETCH(QString, id);
        QFETCH(QString, message);
        Client client(std::nullopt);
        client.openSettings();
        client.fill(ip, port, id);
        client.click(u"btnReg"_s);

        QCOMPARE(client.messenger.messages.size(), 1);
        QCOMPARE(client.messenger.lastText(), message);
        QCOMPARE(client.messenger.messages.first().title, u"Quorvel Client"_s);
        QVERIFY(client.state().CurrentServerIP.isEmpty());
        QVERIFY(!client.session().link()->isConnectionOpen());
        QTest::qWait(20);
        QVERIFY(m_frames->isEmpty());
    }

    void portNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port"); // 0: refused
        // clang-format off
        QTest::newRow("lowest")          << u"1"_s           << 1;
        QTest::newRow("highest")         << u"65535"_s       << 65535;
        QTest::newRow("blanks around")   << u" 1024 "_s      << 1024;
        QTest::newRow("leading zeros")   << u"0080"_s        << 80;
        QTest::newRow("negative")        << u"-1"_s          << 0;
        QTest::newRow("blank inside")    << u"10 24"_s       << 0;
        QTest::newRow("beyond any int")  << u"99999999999"_s << 0;
        // clang-format on
    }
    void portNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, port);
        QCOMPARE(int(RegistrationRules::portNumber(text).value_or(0)), port);
    }

    void storedPortThatCannotWorkIsReportedOnce()
    {
        Client client(Registration{StoredId, u"127.0.0.1"_s, 0});
        client.form().show();
        QCOMPARE(client.messenger.messages.size(), 1);
        QCOMPARE(client.messenger.lastText(),
                 u"Server Port must be a whole number from 1 to 65535."_s);
        // The operator is taken where the port can be corrected.
        QTRY_VERIFY(client.regSer().isVisible());
        QCOMPARE(client.text(u"edtPort"_s), u"0"_s);

        client.regSer().hide();
        client.form().hide();
        client.form().show();
        QTest::qWait(20);
        QCOMPARE(client.messenger.messages.size(), 1);
        QVERIFY(!client.regSer().isVisible());
        QVERIFY(m_frames->isEmpty());
    }

    void identityIsSentAndStoredTrimmed()
    {
        Client client(std::nullopt);
        client.openSettings();
        const QString port = QString::number(m_server->serverPort());
        client.fill(u" 127.0.0.1  "_s, u" "_s + port, u"  NEW01 "_s);
        client.click(u"btnReg"_s);

        QTRY_COMPARE(typesOf(*m_frames), u"RPC"_s);
        for (const ClientFrame &frame : framesOf(*m_frames))
            QCOMPARE(frame.clientId, u"NEW01"_s);
        QCOMPARE(framesOf(*m_frames).first().registrationFlag, '1');
        QCOMPARE(client.state().CurrentServerIP, u"127.0.0.1"_s);
        QCOMPARE(client.messenger.lastText(), u"Register Success!"_s);
        QCOMPARE(client.session().store().readRegistration()->clientName, u"NEW01"_s);
        QCOMPARE(client.session().store().readRegistration()->serverIp, u"127.0.0.1"_s);
        QCOMPARE(client.session().store().readRegistration()->serverPort, m_server->serverPort());
        QVERIFY(!client.button(u"btnReg"_s)->isEnabled());
        QVERIFY(client.button(u"btnRecpt"_s)->isEnabled());
        QVERIFY(client.form().component<QPushButton>(u"btnSend"_s)->isEnabled());
    }

    void refusedThenAcceptedWithAShorterId_data()
    {
        QTest::addColumn<char>("refusal");
        QTest::addColumn<QString>("message");
        QTest::newRow("ID in use")
            << '0' << u"The Client ID has been used. Please use another Client ID!"_s;
        QTest::newRow("server full")
            << '2' << u"System reached the maximum number, please log later!"_s;
    }
    void refusedThenAcceptedWithAShorterId()
    {
        QFETCH(char, refusal);
        QFETCH(QString, message);
        Client client(std::nullopt);
        client.openSettings();
        const QString port = QString::number(m_server->serverPort());
        m_server->setNextAnswer('R',
                                ServerFrameBuilder::registrationResult(u"LONGID0123"_s, refusal));
        client.fill(u"127.0.0.1"_s, port, u"LONGID0123"_s);
        client.click(u"btnReg"_s);
        QTRY_COMPARE(client.messenger.lastText(), message);
        QVERIFY(!client.session().store().readRegistration());
        QVERIFY(client.button(u"btnReg"_s)->isEnabled());

        client.type(u"edtClientID"_s, u"SHORT07"_s);
        client.click(u"btnReg"_s);
        QTRY_COMPARE(typesOf(*m_frames), u"RRPC"_s);
        for (const ClientFrame &frame : framesOf(*m_frames).mid(1))
            QCOMPARE(frame.clientId, u"SHORT07"_s);
        QCOMPARE(QByteArray(client.state().ClientIDBytes.data(), 12),
                 QByteArray("SHORT07\0\0\0\0\0", 12));
        QCOMPARE(client.session().store().readRegistration()->clientName, u"SHORT07"_s);
    }

    void versionUpdateFetchesTheListsForTheOperator()
    {
        Client client(storedHere());
        client.openSettings();
        QTRY_COMPARE(typesOf(*m_frames), u"RPC"_s);
        QTRY_COMPARE(client.messenger.messages.size(), 1); // Register Success!

        client.click(u"btnRecpt"_s);
        QCOMPARE(client.state().ListUpdateMode, ListUpdateMode::Operator);
        QTRY_COMPARE(client.messenger.lastText(), u"Version update Success!"_s);
        QCOMPARE(typesOf(*m_frames), u"RPCPC"_s);
        QCOMPARE(client.regSer().component<QLabel>(u"lblVer"_s)->text(), u"1.7"_s);
    }

    void waitShowsWhileARequestOfTheWindowIsOut()
    {
        Client client(std::nullopt);
        client.openSettings();
        const QString port = QString::number(m_server->serverPort());
        client.fill(u"127.0.0.1"_s, port, u"NEW01"_s);

        // No answer: the wait stays until another request replaces it.
        m_server->setNextAnswer('R', {});
        client.click(u"btnReg"_s);
        QCOMPARE(client.regSer().cursor().shape(), Qt::BusyCursor);
        QCOMPARE(client.form().statusMessage(), u"Register …"_s);
        QTRY_COMPARE(m_frames->size(), 1);
        QTest::qWait(50);
        QCOMPARE(client.form().statusMessage(), u"Register …"_s);
        m_server->setNextAnswer('P', {});
        client.session().SendRequest('P');
        QCOMPARE(client.regSer().cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(client.form().statusMessage(), QString());

        // The answer ends it.
        client.click(u"btnReg"_s);
        QVERIFY(!client.form().statusMessage().isEmpty());
        QTRY_COMPARE(client.messenger.lastText(), u"Register Success!"_s);
        QCOMPARE(client.regSer().cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(client.form().statusMessage(), QString());

        // So does a failure.
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress(QHostAddress::LocalHost), 0));
            closedPort = probe.serverPort();
        }
        client.button(u"btnReg"_s)->setEnabled(true);
        client.type(u"edtPort"_s, QString::number(closedPort));
        client.click(u"btnReg"_s);
        QCOMPARE(client.regSer().cursor().shape(), Qt::BusyCursor);
        QTRY_COMPARE(client.messenger.lastText(),
                     u"A connection request that was already accepted could not be completed."_s);
        QCOMPARE(client.regSer().cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(client.form().statusMessage(), QString());
    }
};

QTEST_MAIN(TestRegistration)
#include "test_registration.moc"
