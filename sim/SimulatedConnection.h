#pragma once

#include "ClientFrame.h"
#include "ServerLogic.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QTcpSocket;

// One client connection of the simulated server: collects the bytes as they
// arrive, answers each complete frame in turn and drops the connection on
// bytes that cannot be a frame. It lives until the client closes it.
class SimulatedConnection final : public QObject {
    Q_OBJECT

public:
    enum class WriteMode {
        Normal, // one write per answer frame
        Split,  // each answer frame in chunks, with a pause between chunks
        Merged, // all answer frames of one request in one write
    };
    struct WriteSettings {
        WriteMode mode = WriteMode::Normal;
        int chunkSize = 8;
        // Between two pieces of a split answer, so that they arrive as separate reads.
        int pauseMs = 5;
    };
    using Responder = std::function<ServerLogic::Reply(const ClientFrame &, const QString &peer)>;

    // Takes over the socket; the settings belong to the caller and are read
    // at every answer.
    SimulatedConnection(QTcpSocket *socket, const WriteSettings &settings, Responder responder,
                        QObject *parent);
    Q_DISABLE_COPY_MOVE(SimulatedConnection)

    QString peer() const { return m_peer; }

Q_SIGNALS:
    void garbageReceived(const QString &reason);

private:
    void readFrames();
    void send(const QList<QByteArray> &frames);
    void writeNextPiece();
    void drop();

    QTcpSocket *m_socket;
    const WriteSettings &m_settings;
    Responder m_responder;
    QString m_peer;
    QByteArray m_received;
    QList<QByteArray> m_pending; // split pieces not yet written
    QTimer m_pause;
    bool m_dropped = false;
};
