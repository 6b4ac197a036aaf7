#pragma once

#include "link/FrameBuffer.h"
#include "link/FrameSender.h"
#include "link/LinkFailure.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QByteArrayView>
#include <QObject>

#include <cstdint>
#include <optional>

class QTcpSocket;
struct FrameBuffer;
struct ServerEndpoint;

// The connection to the paging server: one TCP connection per request, the
// answer's frames reassembled from whatever the reads deliver. Each complete
// frame is copied into the frame buffer and announced; what it means is the
// session's business.
class ServerLink final : public QObject, public FrameSender {
    Q_OBJECT

public:
    // The most a connection may hold before a frame is complete: the frame buffer.
    static constexpr int MaxHeldBytes = sizeof(FrameBuffer::SendBuffer);

    ServerLink(FrameBuffer &buffer, const ServerEndpoint &endpoint, QObject *parent = nullptr);
    ~ServerLink() override;
    Q_DISABLE_COPY_MOVE(ServerLink)

    // Drops any open connection and sends SendBuffer's first SendLength bytes
    // on a new one. Without an address or a valid port nothing is sent.
    void SendFrame() override;
    // Drops the current connection, and with it any answer still due on it.
    void dropConnection();

    QTcpSocket *ClientSocket() const { return m_socket; }
    bool isConnectionOpen() const;

    // Offset just past a complete frame at the start of `bytes`, or nothing
    // while more bytes are needed. `readEnded`: no more bytes are waiting, so a
    // frame whose body ends exactly at the end of the bytes has no trailer.
    static std::optional<int> completeFrameLength(QByteArrayView bytes, bool readEnded);

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

    struct FrameExtent {
        int length = 0;
        bool withTrailer = false;
    };
    static std::optional<FrameExtent> measureFrame(QByteArrayView bytes, bool readEnded);
    // Drops the checksum and end byte of the previous frame if they came late;
    // false while it cannot yet be told.
    bool skipLateTrailer();
    void handleFrame(QByteArrayView frame);

    FrameBuffer &m_buffer;
    const ServerEndpoint &m_endpoint;
    QTcpSocket *m_socket;
    QByteArray m_received;
    // Changes whenever a connection is dropped, so a read loop notices that
    // the connection it was reading has gone.
    std::uint64_t m_generation = 0;
    bool m_connected = false;
    bool m_trailerMayFollow = false;
};
