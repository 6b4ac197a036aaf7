#pragma once

#include "link/FrameBuffer.h"
#include "link/LinkFailure.h"
#include "link/ServerFrameReader.h"

#include <QAbstractSocket>
#include <QByteArrayView>
#include <QObject>

#include <cstdint>

class QTcpSocket;
struct FrameBuffer;
struct ServerEndpoint;

// The connection to the paging server: one TCP connection per request, the
// answer's frames reassembled from whatever the reads deliver. Each complete
// frame is copied into the frame buffer and announced; what it means is the
// session's business.
class ServerLink final : public QObject {
    Q_OBJECT

public:
    // The most a connection may hold before a frame is complete: the frame buffer.
    static constexpr int MaxHeldBytes = sizeof(FrameBuffer::SendBuffer);

    ServerLink(FrameBuffer &buffer, const ServerEndpoint &endpoint, QObject *parent = nullptr);
    ~ServerLink() override;
    Q_DISABLE_COPY_MOVE(ServerLink)

    // Drops any open connection and sends SendBuffer's first SendLength bytes
    // on a new one. Without an address or a valid port nothing is sent.
    void SendFrame();
    // Drops the current connection, and with it any answer still due on it.
    void dropConnection();

    QTcpSocket *ClientSocket() const { return m_socket; }
    bool isConnectionOpen() const;
    // The type byte of the request the current connection was opened for; 0 when none.
    char requestType() const { return m_requestType; }

Q_SIGNALS:
    // A complete frame, as it now stands in the frame buffer.
    void frameReceived(QByteArrayView frame);
    // The connection was dropped (by the client, the server or an error).
    void connectionDropped();
    // A socket error, after the connection was dropped.
    void failed(LinkFailure failure);

private:
    void ClientSocketConnect();
    void ClientSocketRead();
    void ClientSocketError(QAbstractSocket::SocketError error);

    // Reads one read's worth and handles the frames complete in it; more
    // waits for the next turn of the event loop, so that the clock and
    // discovery are served while a long answer streams in.
    void readOneTurn();
    void scheduleRead();
    // The server has closed: a body whose closing bytes never came still counts.
    void finishStream();
    void handleFrame(QByteArrayView frame);

    FrameBuffer &m_buffer;
    const ServerEndpoint &m_endpoint;
    QTcpSocket *m_socket;
    ServerFrameReader m_reader;
    // Changes whenever a connection is dropped, so a read loop notices that
    // the connection it was reading has gone.
    std::uint64_t m_generation = 0;
    char m_requestType = 0;
    bool m_connected = false;
    bool m_peerClosed = false;
    bool m_readScheduled = false;
};
