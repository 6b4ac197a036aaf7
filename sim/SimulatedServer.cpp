#include "SimulatedServer.h"

#include <QTcpSocket>

SimulatedServer::SimulatedServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_listener, &QTcpServer::newConnection, this, &SimulatedServer::acceptConnections);
}

SimulatedServer::~SimulatedServer()
{
    // Connections read the write settings: they go before the members do.
    const QList<SimulatedConnection *> connections = findChildren<SimulatedConnection *>();
    qDeleteAll(connections);
}

bool SimulatedServer::listen(const QHostAddress &address, quint16 port)
{
    return m_listener.listen(address, port);
}

void SimulatedServer::setWriteMode(WriteMode mode, int chunkSize, int pauseMs)
{
    m_writeSettings = {mode, chunkSize, pauseMs};
}

void SimulatedServer::setNextAnswer(char type, const QByteArray &bytes, bool thenClose)
{
    m_nextAnswers[type] = {bytes, thenClose};
}

void SimulatedServer::acceptConnections()
{
    while (QTcpSocket *socket = m_listener.nextPendingConnection()) {
        auto *connection = new SimulatedConnection(
            socket, m_writeSettings,
            [this](const ClientFrame &frame, const QString &peer) { return respond(frame, peer); },
            this);
        connect(connection, &SimulatedConnection::garbageReceived, this,
                [this, connection](const QString &reason) {
                    Q_EMIT connectionDropped(connection->peer(), reason);
                });
    }
}

ServerLogic::Reply SimulatedServer::respond(const ClientFrame &frame, const QString &peer)
{
    Q_EMIT frameReceived(frame);
    ServerLogic::Reply reply;
    const auto prepared = [&frame, &reply](const QByteArray &bytes, bool thenClose) {
        if (!bytes.isEmpty())
            reply.frames = {bytes};
        reply.closeConnection = thenClose;
        reply.summary = QStringLiteral("%1 %2: prepared answer of %3 bytes")
                            .arg(QLatin1Char(frame.type))
                            .arg(frame.clientId)
                            .arg(bytes.size());
    };
    if (!m_answerToEverything.isEmpty()) {
        prepared(m_answerToEverything, false);
    } else if (const auto injected = m_nextAnswers.find(frame.type);
               injected != m_nextAnswers.end()) {
        prepared(injected->second.bytes, injected->second.thenClose);
        m_nextAnswers.erase(injected);
    } else {
        reply = ServerLogic::answer(m_state, frame, m_now());
    }
    Q_EMIT frameAnswered(peer, reply.summary);
    return reply;
}
