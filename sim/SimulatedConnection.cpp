#include "SimulatedConnection.h"

#include "ClientFrameReader.h"

#include <QTcpSocket>

#include <algorithm>

namespace {

// Long enough for the pieces to arrive in separate reads on loopback.

QList<QByteArray> chunks(const QByteArray &frame, int size)
{
    QList<QByteArray> pieces;
    for (qsizetype i = 0; i < frame.size(); i += size)
        pieces.append(frame.mid(i, size));
    return pieces;
}

} // namespace

SimulatedConnection::SimulatedConnection(QTcpSocket *socket, const WriteSettings &settings,
                                         Responder responder, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_settings(settings)
    , m_responder(std::move(responder))
    , m_peer(QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort()))
{
    m_socket->setParent(this);
    // Pieces of a split answer go out at once instead of waiting for the
    // peer's acknowledgement of the previous one.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &SimulatedConnection::writeNextPiece);
    connect(m_socket, &QTcpSocket::readyRead, this, &SimulatedConnection::readFrames);
    connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    // Bytes may have arrived before the connection was taken over.
    if (m_socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &SimulatedConnection::readFrames);
}

void SimulatedConnection::readFrames()
{
    m_received += m_socket->readAll();
    while (!m_dropped) {
        const ClientFrameReader::Extent extent = ClientFrameReader::measure(m_received);
        if (extent.status == ClientFrameReader::Status::NeedMore)
            return;
        if (extent.status == ClientFrameReader::Status::Garbage) {
            Q_EMIT garbageReceived(extent.reason);
            drop();
            return;
        }
        const ClientFrame frame =
            ClientFrameReader::parse(QByteArrayView(m_received).first(extent.length));
        m_received.remove(0, extent.length);
        const ServerLogic::Reply reply = m_responder(frame, m_peer);
        send(reply.frames);
        if (reply.closeConnection)
            drop();
    }
}

void SimulatedConnection::send(const QList<QByteArray> &frames)
{
    QList<QByteArray> pieces;
    switch (m_settings.mode) {
    case WriteMode::Normal:
        pieces = frames;
        break;
    case WriteMode::Merged:
        if (!frames.isEmpty())
            pieces = {frames.join()};
        break;
    case WriteMode::Split:
        for (const QByteArray &frame : frames)
            pieces += chunks(frame, std::max(1, m_settings.chunkSize));
        break;
    }
    // Pieces still waiting keep their place ahead of the new ones.
    if (m_settings.mode != WriteMode::Split && m_pending.isEmpty()) {
        for (const QByteArray &piece : pieces) {
            m_socket->write(piece);
            m_socket->flush();
        }
        return;
    }
    const bool idle = m_pending.isEmpty() && !m_pause.isActive();
    m_pending += pieces;
    if (idle)
        writeNextPiece();
}

void SimulatedConnection::writeNextPiece()
{
    if (m_pending.isEmpty() || m_dropped)
        return;
    m_socket->write(m_pending.takeFirst());
    m_socket->flush();
    if (!m_pending.isEmpty())
        m_pause.start(m_settings.pauseMs);
}

void SimulatedConnection::drop()
{
    m_dropped = true;
    m_pending.clear();
    m_pause.stop();
    m_socket->disconnectFromHost();
}
