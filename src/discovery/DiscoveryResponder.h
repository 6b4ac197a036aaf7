#pragma once

#include <QObject>

class QByteArray;
class QHostAddress;
class QUdpSocket;

// Answers the LAN discovery query "TZLIPQUERY" with "TZLIPREPLY", so that
// other stations learn this client's address. Binds at construction; a port
// that cannot be bound leaves the responder inactive and the client runs on
// without discovery. Everything runs on the thread that owns the object.
class DiscoveryResponder final : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 4001;

    explicit DiscoveryResponder(quint16 port = DefaultPort, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(DiscoveryResponder)

    bool isActive() const;
    // The bound port (useful when constructed with port 0); 0 while inactive.
    quint16 port() const;

    // One received datagram: a query is answered to the sender's address and
    // port, anything else is ignored.
    void IdUDPServer1UDPRead(const QByteArray &datagram, const QHostAddress &sender,
                             quint16 senderPort);

private:
    void readPendingDatagrams();

    QUdpSocket *m_socket;
};
