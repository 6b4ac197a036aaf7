#include "link/ServerLink.h"

#include "link/FrameFormat.h"
#include "link/ServerEndpoint.h"
#include "link/ServerFrameParser.h"

#include <QTcpSocket>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

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
    if (m_endpoint.CurrentServerIP.isEmpty())
        return;
    if (const std::optional<quint16> port = m_endpoint.port())
        m_socket->connectToHost(m_endpoint.CurrentServerIP, *port);
}

void ServerLink::dropConnection()
{
    ++m_generation;
    m_connected = false;
    m_received.clear();
    m_trailerMayFollow = false;
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    Q_EMIT connectionDropped();
}

void ServerLink::ClientSocketConnect()
{
    m_connected = true;
    const int length = std::clamp(m_buffer.SendLength, 0, FrameBuffer::SendBufferSize);
    m_socket->write(m_buffer.SendBuffer.data(), length);
}

std::optional<ServerLink::FrameExtent> ServerLink::measureFrame(QByteArrayView bytes,
                                                                bool readEnded)
{
    const std::optional<int> end = ServerFrameParser::bodyEnd(bytes);
    if (!end) // an unknown type: everything that has come
        return FrameExtent{static_cast<int>(bytes.size()), true};
    if (*end < 0 || *end > bytes.size())
        return std::nullopt;
    if (bytes.size() >= *end + FrameFormat::TrailerSize)
        return FrameExtent{*end + FrameFormat::TrailerSize, true};
    if (readEnded && bytes.size() == *end)
        return FrameExtent{*end, false};
    return std::nullopt;
}

std::optional<int> ServerLink::completeFrameLength(QByteArrayView bytes, bool readEnded)
{
    const std::optional<FrameExtent> extent = measureFrame(bytes, readEnded);
    return extent ? std::optional<int>(extent->length) : std::nullopt;
}

void ServerLink::ClientSocketRead()
{
    const std::uint64_t generation = m_generation;
    while (generation == m_generation && m_socket->bytesAvailable() > 0) {
        const qint64 room = MaxHeldBytes - m_received.size();
        m_received += m_socket->read(room);
        const bool readEnded = m_socket->bytesAvailable() == 0;
        while (generation == m_generation && skipLateTrailer()) {
            const std::optional<FrameExtent> extent = measureFrame(m_received, readEnded);
            if (!extent)
                break;
            const QByteArray frame = m_received.first(extent->length);
            m_received.remove(0, extent->length);
            m_trailerMayFollow = !extent->withTrailer;
            handleFrame(frame);
        }
        if (generation == m_generation && m_received.size() >= MaxHeldBytes) {
            // No frame fits the buffer: the answer cannot be read.
            dropConnection();
        }
    }
}

bool ServerLink::skipLateTrailer()
{
    if (!m_trailerMayFollow)
        return true;
    if (m_received.size() < FrameFormat::TrailerSize)
        return false;
    // A frame was taken at its body's end when a read stopped there; its
    // checksum and end byte may still have come after it.
    const bool trailer = m_received[FrameFormat::TrailerSize - 1] == FrameFormat::EndByte &&
                         (m_received.size() == FrameFormat::TrailerSize ||
                          m_received[FrameFormat::TrailerSize] == FrameFormat::StartByte);
    if (trailer)
        m_received.remove(0, FrameFormat::TrailerSize);
    m_trailerMayFollow = false;
    return true;
}

void ServerLink::handleFrame(QByteArrayView frame)
{
    std::memcpy(m_buffer.SendBuffer.data(), frame.data(), static_cast<std::size_t>(frame.size()));
    m_buffer.ReceivedLength = static_cast<std::int32_t>(frame.size());
    Q_EMIT frameReceived(QByteArrayView(m_buffer.SendBuffer.data(), m_buffer.ReceivedLength));
}

void ServerLink::ClientSocketError(QAbstractSocket::SocketError error)
{
    if (error == QAbstractSocket::RemoteHostClosedError) {
        // The server's normal way of ending an answer.
        dropConnection();
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
    // Dropped first: the message box that follows lets other events run.
    dropConnection();
    Q_EMIT failed(failure);
}
