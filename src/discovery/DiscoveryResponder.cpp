#include "discovery/DiscoveryResponder.h"

#include <QByteArrayView>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {

constexpr QByteArrayView Query("TZLIPQUERY");
// Sent with its terminating zero byte: 11 bytes.
constexpr char Reply[] = "TZLIPREPLY";
// A longer datagram can never be a query, so it is not even read.
constexpr qint64 MaxQuerySize = 99;

} // namespace

DiscoveryResponder::DiscoveryResponder(quint16 port, QObject *parent)
    : QObject(parent)
    , m_socket(new QUdpSocket(this))
{
    setObjectName(QStringLiteral("IdUDPServer1"));
    // Shared so that several clients on one host can all listen on the port;
    // bound to every IPv4 address, each of them also receives broadcasts.
    if (!m_socket->bind(QHostAddress::AnyIPv4, port,
                        QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return;
    connect(m_socket, &QUdpSocket::readyRead, this, &DiscoveryResponder::readPendingDatagrams);
}

bool DiscoveryResponder::isActive() const
{
    return m_socket->state() == QAbstractSocket::BoundState;
}

quint16 DiscoveryResponder::port() const
{
    return m_socket->localPort();
}

void DiscoveryResponder::IdUDPServer1UDPRead(const QByteArray &datagram, const QHostAddress &sender,
                                             quint16 senderPort)
{
    // An unbound socket would bind itself to a random port to send.
    if (!isActive())
        return;
    // The query ends at the first zero byte; whatever follows does not count.
    const qsizetype end = datagram.indexOf('\0');
    const QByteArrayView text =
        end < 0 ? QByteArrayView(datagram) : QByteArrayView(datagram).first(end);
    if (text != Query)
        return;
    // A failed send (an unreachable sender, say) concerns nobody here.
    m_socket->writeDatagram(Reply, sizeof Reply, sender, senderPort);
}

void DiscoveryResponder::readPendingDatagrams()
{
    // Everything pending must be read, or readyRead is not emitted again.
    while (m_socket->hasPendingDatagrams()) {
        if (m_socket->pendingDatagramSize() > MaxQuerySize) {
            if (m_socket->readDatagram(nullptr, 0) < 0)
                return;
            continue;
        }
        const QNetworkDatagram datagram = m_socket->receiveDatagram(MaxQuerySize);
        if (!datagram.isValid())
            return;
        IdUDPServer1UDPRead(datagram.data(), datagram.senderAddress(),
                            static_cast<quint16>(datagram.senderPort()));
    }
}
