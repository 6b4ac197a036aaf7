#pragma once

#include "ClientFrame.h"
#include "DataSet.h"
#include "ServerLogic.h"
#include "SimulatedConnection.h"
#include "SimulatorState.h"

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <functional>
#include <map>

// The stand-in for the paging server: accepts client connections and answers
// every client frame as ServerLogic says. Tests can change how answers are
// written, replace the next answer to a frame type, and watch what the
// client sent.
class SimulatedServer final : public QObject {
    Q_OBJECT

public:
    using WriteMode = SimulatedConnection::WriteMode;
    static constexpr quint16 DefaultPort = 1024;

    explicit SimulatedServer(QObject *parent = nullptr);
    ~SimulatedServer() override;
    Q_DISABLE_COPY_MOVE(SimulatedServer)

    bool listen(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost),
                quint16 port = DefaultPort);
    QHostAddress serverAddress() const { return m_listener.serverAddress(); }
    quint16 serverPort() const { return m_listener.serverPort(); }
    QString errorString() const { return m_listener.errorString(); }

    SimulatorState &state() { return m_state; }
    // New lists and settings; registrations and report rows stay.
    void setDataSet(const DataSet &data) { m_state.data = data; }
    // What stamps report rows; the wall clock unless a test sets another.
    using Now = std::function<QDateTime()>;
    void setClock(Now now) { m_now = std::move(now); }

    // Split writes each answer frame in pieces of chunkSize bytes, pauseMs apart.
    void setWriteMode(WriteMode mode, int chunkSize = 8, int pauseMs = 5);
    // The next frame of `type` is answered with exactly these bytes, as one
    // answer frame, instead of the usual answer; empty bytes mean no answer.
    // With thenClose the server closes the connection after them.
    void setNextAnswer(char type, const QByteArray &bytes, bool thenClose = false);
    // Every frame, whatever its type, is answered with these bytes: a server
    // that has gone wrong. Empty bytes end it.
    void setAnswerToEverything(const QByteArray &bytes) { m_answerToEverything = bytes; }

Q_SIGNALS:
    void frameReceived(const ClientFrame &frame);
    void frameAnswered(const QString &peer, const QString &summary);
    void connectionDropped(const QString &peer, const QString &reason);

private:
    void acceptConnections();
    ServerLogic::Reply respond(const ClientFrame &frame, const QString &peer);

    QTcpServer m_listener;
    SimulatorState m_state;
    Now m_now = [] { return QDateTime::currentDateTime(); };
    SimulatedConnection::WriteSettings m_writeSettings;
    struct PreparedAnswer {
        QByteArray bytes;
        bool thenClose = false;
    };
    std::map<char, PreparedAnswer> m_nextAnswers;
    QByteArray m_answerToEverything;
};
