// The LAN discovery responder on 127.0.0.1: which datagrams are answered,
// with what and to whom, and binding a shared or an exclusively taken port.
#include "discovery/DiscoveryResponder.h"

#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

const QByteArray Query = QByteArrayLiteral("TZLIPQUERY");
const QByteArray Reply = QByteArray::fromHex("545A4C49505245504C5900");

QList<QNetworkDatagram> readAll(QUdpSocket &socket)
{
    QList<QNetworkDatagram> datagrams;
    while (socket.hasPendingDatagrams())
        datagrams.append(socket.receiveDatagram());
    return datagrams;
}

} // namespace

class TestDiscovery : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<DiscoveryResponder> m_responder;
    // Sends the datagram under test.
    std::unique_ptr<QUdpSocket> m_station;
    // Sends a query after it: once this is answered, the responder has dealt
    // with the datagram under test too.
    std::unique_ptr<QUdpSocket> m_control;

    std::unique_ptr<QUdpSocket> boundSocket()
    {
        auto socket = std::make_unique<QUdpSocket>();
        if (!socket->bind(QHostAddress::LocalHost, 0))
            qFatal("cannot bind a socket on 127.0.0.1");
        return socket;
    }
    void send(QUdpSocket &from, const QByteArray &datagram)
    {
        QCOMPARE(from.writeDatagram(datagram, QHostAddress::LocalHost, m_responder->port()),
                 datagram.size());
    }

private Q_SLOTS:
    void init()
    {
        m_responder = std::make_unique<DiscoveryResponder>(quint16{0});
        QVERIFY(m_responder->isActive());
        QCOMPARE(m_responder->objectName(), QStringLiteral("IdUDPServer1"));
        m_station = boundSocket();
        m_control = boundSocket();
    }
    void cleanup()
    {
        m_control.reset();
        m_station.reset();
        m_responder.reset();
    }

    void answersOnlyTheQuery_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("answered");
        const QByteArray terminated = Query + '\0';
        // clang-format off
        QTest::newRow("query") << Query << true;
        QTest::newRow("query, zero byte, more bytes") << QByteArray(terminated + "junk") << true;
        QTest::newRow("99 bytes") << terminated.leftJustified(99, 'x') << true;
        QTest::newRow("lower case") << QByteArrayLiteral("tzlipquery") << false;
        QTest::newRow("trailing blank") << QByteArray(Query + ' ') << false;
        QTest::newRow("prefix only") << QByteArrayLiteral("TZLIPQUER") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("100 bytes") << terminated.leftJustified(100, 'x') << false;
        // clang-format on
    }
    void answersOnlyTheQuery()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, answered);
        send(*m_station, datagram);
        send(*m_control, Query);

        QTRY_VERIFY(m_control->hasPendingDatagrams());
        QCOMPARE(readAll(*m_control).size(), 1);
        if (!answered) {
            QVERIFY(!m_station->hasPendingDatagrams());
            return;
        }
        QTRY_VERIFY(m_station->hasPendingDatagrams());
        const QList<QNetworkDatagram> replies = readAll(*m_station);
        QCOMPARE(replies.size(), 1);
        QCOMPARE(replies.first().data(), Reply);
        // Sent from the listening port back to the station's own port.
        QCOMPARE(replies.first().senderPort(), int{m_responder->port()});
    }

    void answersEveryQuery()
    {
        send(*m_station, Query);
        send(*m_station, Query);
        QList<QNetworkDatagram> replies;
        QVERIFY(QTest::qWaitFor([&] {
            replies += readAll(*m_station);
            return replies.size() >= 2;
        }));
        QCOMPARE(replies.size(), 2);
        QCOMPARE(replies.at(0).data(), Reply);
        QCOMPARE(replies.at(1).data(), Reply);
    }

    void sharesThePortWithAnotherClient()
    {
        DiscoveryResponder second(m_responder->port());
        QVERIFY(second.isActive());
        QCOMPARE(second.port(), m_responder->port());
    }

    void staysInactiveOnAPortTakenExclusively()
    {
        QUdpSocket owner;
        QVERIFY(owner.bind(QHostAddress::LocalHost, 0, QUdpSocket::DontShareAddress));
        DiscoveryResponder blocked(owner.localPort());
        QVERIFY(!blocked.isActive());
        // Handing it a query must neither crash nor send from some other port.
        blocked.IdUDPServer1UDPRead(Query, QHostAddress::LocalHost, m_station->localPort());
        send(*m_control, Query);
        QTRY_VERIFY(m_control->hasPendingDatagrams());
        QVERIFY(!m_station->hasPendingDatagrams());
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
