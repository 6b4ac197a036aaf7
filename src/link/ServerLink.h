#pragma once

#include "link/FrameSender.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QByteArrayView>
#include <QObject>

#include <cstdint>
#include <optional>

class Clock;
class ClientStore;
class ClientView;
class QTcpSocket;
class RequestQueue;
struct ClientState;

// The connection to the paging server: one TCP connection per request, the
// answer's frames reassembled from whatever the reads deliver, and each
// complete frame acted on (database, windows, follow-up requests).
class ServerLink final : public QObject, public FrameSender {
    Q_OBJECT

public:
    // The most a connection may hold before a frame is complete: the frame buffer.
    static constexpr int MaxHeldBytes = 8192;

    ServerLink(ClientState &state, ClientStore &store, RequestQueue &queue, const Clock &clock,
               ClientView &view, QObject *parent = nullptr);
    ~ServerLink() override;
    Q_DISABLE_COPY_MOVE(ServerLink)

    // Drops any open connection and sends SendBuffer's first SendLength bytes on a new one.
    void SendFrame() override;
    // Drops the current connection, and with it any answer still due on it.
    void dropConnection();

    QTcpSocket *ClientSocket() const { return m_socket; }
    bool isConnectionOpen() const;

    // Offset just past a complete frame at the start of `bytes`, or nothing
    // while more bytes are needed. `readEnded`: no more bytes are waiting, so a
    // frame whose body ends exactly at the end of the bytes has no trailer.
    static std::optional<int> completeFrameLength(QByteArrayView bytes, bool readEnded);

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
    void dispatch(QByteArrayView frame);
    void closeConnection() { dropConnection(); }

    void onNotice(QByteArrayView frame);
    void onLists(QByteArrayView frame);
    void onCanned(QByteArrayView frame);
    void onReport(QByteArrayView frame);
    void onCloseGrant(QByteArrayView frame);
    void onRegistration(QByteArrayView frame);
    void onTransmissionResult(QByteArrayView frame);

    ClientState &m_state;
    ClientStore &m_store;
    RequestQueue &m_queue;
    const Clock &m_clock;
    ClientView &m_view;
    QTcpSocket *m_socket;
    QByteArray m_received;
    // Changes whenever a connection is dropped, so a read loop notices that
    // the connection it was reading has gone.
    std::uint64_t m_generation = 0;
    bool m_connected = false;
    bool m_trailerMayFollow = false;
    // A report answer has started and its last part has not come yet.
    bool m_reportOpen = false;
};
