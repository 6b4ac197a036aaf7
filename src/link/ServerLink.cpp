#include "link/ServerLink.h"

#include "link/FrameFormat.h"
#include "link/LinkLog.h"
#include "link/ServerEndpoint.h"

#include <QTcpSocket>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcLink, "quorvel.link", QtWarningMsg)

ServerLink::ServerLink(FrameBuffer &buffer, const ServerEndpoint &endpoint, QObject *parent)
    : QObject(parent)
    , m_buffer(buffer)
    , m_endpoint(endpoint)
    , m_socket(new QTcpSocket(this))
{
    m_socket->setObjectName(u"ClientSocket"_s);
    connect(m_socket, &QTcpSocket::connected, this, &ServerLink::ClientSocketConnect);
    connect(m_socket, &QTcpSocket::readyRead, this, &ServerLink::ClientSocketRead);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ServerLink::ClientSocketError);
}

ServerLink::~ServerLink()
{
    // Nothing may reach the session while it is going away.
    m_socket->disconnect(this);
    m_socket->abort();
}

bool ServerLink::isConnectionOpen() const
{
    return m_socket->state() != QAbstractSocket::UnconnectedState;
}

void ServerLink::SendFrame()
{
    dropConnection();
    m_requestType = m_buffer.SendLength > FrameFormat::TypeOffset
                        ? m_buffer.SendBuffer[FrameFormat::TypeOffset]
                        : '\0';
    if (m_endpoint.CurrentServerIP.isEmpty())
        return;
    const std::optional<quint16> port = m_endpoint.port();
    if (!port) {
        qCDebug(lcLink) << "no valid port" << m_endpoint.CurrentServerPort << "- nothing sent";
        return;
    }
    qCDebug(lcLink) << "connecting to" << m_endpoint.CurrentServerIP << *port << "for"
                    << QLatin1Char(m_requestType);
    m_socket->connectToHost(m_endpoint.CurrentServerIP, *port);
}

void ServerLink::dropConnection()
{
    ++m_generation;
    m_connected = false;
    m_peerClosed = false;
    m_reader.clear();
    // Unconnected but still holding what the server sent before it closed.
    m_socket->abort();
    Q_EMIT connectionDropped();
}

void ServerLink::ClientSocketConnect()
{
    m_connected = true;
    const int length = std::clamp(m_buffer.SendLength, 0, FrameBuffer::SendBufferSize);
    const QByteArrayView frame(m_buffer.SendBuffer.data(), length);
    qCDebug(lcLink).noquote() << "sent" << QLatin1Char(m_requestType) << length
                              << "bytes:" << frame.toByteArray().toHex(' ');
    m_socket->write(frame.data(), frame.size());
}

void ServerLink::ClientSocketRead()
{
    readOneTurn();
}

void ServerLink::readOneTurn()
{
    const std::uint64_t generation = m_generation;
    m_reader.append(m_socket->read(m_reader.room()));
    while (generation == m_generation) {
        const std::optional<QByteArray> frame = m_reader.next();
        if (!frame)
            break;
        handleFrame(*frame);
    }
    if (generation != m_generation)
        return;
    if (m_reader.isStuck()) {
        qCDebug(lcLink) << "dropped: no frame ends within" << ServerFrameReader::MaxHeldBytes
                        << "bytes";
        dropConnection();
    } else if (m_socket->bytesAvailable() > 0) {
        scheduleRead();
    } else if (m_peerClosed) {
        finishStream();
    }
}

void ServerLink::scheduleRead()
{
    if (m_readScheduled)
        return;
    m_readScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_readScheduled = false;
            readOneTurn();
        },
        Qt::QueuedConnection);
}

void ServerLink::finishStream()
{
    const std::uint64_t generation = m_generation;
    if (const std::optional<QByteArray> body = m_reader.finish()) {
        qCDebug(lcLink) << "the server closed after a body without its closing bytes";
        handleFrame(*body);
    }
    if (generation == m_generation)
        dropConnection();
}

void ServerLink::handleFrame(QByteArrayView frame)
{
    qCDebug(lcLink).noquote() << "received"
                              << QLatin1Char(frame.size() > FrameFormat::TypeOffset
                                                 ? frame[FrameFormat::TypeOffset]
                                                 : '?')
                              << frame.size() << "bytes:" << frame.toByteArray().toHex(' ');
    std::memcpy(m_buffer.SendBuffer.data(), frame.data(), static_cast<std::size_t>(frame.size()));
    m_buffer.ReceivedLength = static_cast<std::int32_t>(frame.size());
    Q_EMIT frameReceived(QByteArrayView(m_buffer.SendBuffer.data(), m_buffer.ReceivedLength));
}

void ServerLink::ClientSocketError(QAbstractSocket::SocketError error)
{
    if (error == QAbstractSocket::RemoteHostClosedError) {
        // The server's normal way of ending an answer; what it sent before is still read.
        qCDebug(lcLink) << "the server closed the connection";
        m_peerClosed = true;
        if (m_socket->bytesAvailable() > 0)
            scheduleRead();
        else
            finishStream();
        return;
    }
    LinkFailure failure = LinkFailure::General;
    if (error == QAbstractSocket::HostNotFoundError)
        failure = LinkFailure::Lookup;
    else if (!m_connected)
        failure = LinkFailure::Connect;
    else if (m_socket->bytesToWrite() > 0)
        failure = LinkFailure::Send;
    else if (error == QAbstractSocket::NetworkError || error == QAbstractSocket::SocketTimeoutError)
        failure = LinkFailure::Receive;
    qCDebug(lcLink) << "socket error" << error << m_socket->errorString();
    // Dropped first: the message box that follows lets other events run.
    dropConnection();
    Q_EMIT failed(failure);
}
