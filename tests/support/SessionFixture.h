#pragma once

#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "SimulatedServer.h"
#include "WorkingDirectory.h"
#include "app/ClientSession.h"
#include "store/ClientStore.h"
#include "store/QueryObject.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

// The client's session without windows in a fresh working directory, and a
// simulated server on 127.0.0.1 with a spy on the frames it receives. Made
// anew for every test function (init/cleanup), so tests share nothing.
class SessionFixture {
public:
    static inline const QString ClientId = QStringLiteral("DESK01");

    SessionFixture()
    {
        server = std::make_unique<SimulatedServer>();
        if (!server->listen(QHostAddress(QHostAddress::LocalHost), 0))
            qFatal("cannot listen on 127.0.0.1: %s", qPrintable(server->errorString()));
        frames = std::make_unique<QSignalSpy>(server.get(), &SimulatedServer::frameReceived);
    }
    ~SessionFixture()
    {
        session.reset();
        frames.reset();
        server.reset();
    }
    Q_DISABLE_COPY_MOVE(SessionFixture)

    // Starts the session; when registered, Client.mdb first holds DESK01 at
    // the server with list version 010, and the state points at the server
    // as after a sign-on (without its traffic), the worker running.
    ClientSession &start(bool registered, SessionOptions options = {})
    {
        if (registered) {
            ClientStore seed(directory.path());
            seed.open();
            seed.replaceRegistration({ClientId, QStringLiteral("127.0.0.1"), server->serverPort()});
            seed.setListVersion(QStringLiteral("010"));
        }
        options.discoveryPort = 0;
        session = std::make_unique<ClientSession>(messenger, clock, options);
        session->start(directory.path());
        if (registered) {
            ClientState &state = session->state();
            state.CurrentServerIP = QStringLiteral("127.0.0.1");
            state.CurrentServerPort = QString::number(server->serverPort());
            state.CurrentClientID = ClientId;
            state.setClientIdBytes(ClientId);
            session->resumeWorker();
        }
        return *session;
    }

    // A frame as the operator's windows build it, sent for the operator.
    void send(const QByteArray &frame)
    {
        ClientState &state = session->state();
        std::copy(frame.cbegin(), frame.cend(), state.SendBuffer.begin());
        state.SendLength = static_cast<std::int32_t>(frame.size());
        session->sendBuiltFrame();
    }

    // The type bytes of the frames the server has received, in order.
    QList<char> receivedTypes() const
    {
        QList<char> types;
        for (const QList<QVariant> &arguments : *frames)
            types.append(arguments.at(0).value<ClientFrame>().type);
        return types;
    }

    int reportRows()
    {
        QueryObject &query = session->store().ADOQuery2();
        query.close();
        query.setStatement(QStringLiteral("select * from report"));
        query.open();
        return query.recordCount();
    }

    WorkingDirectory directory;
    RecordingMessenger messenger;
    ManualClock clock;
    std::unique_ptr<SimulatedServer> server;
    std::unique_ptr<QSignalSpy> frames;
    std::unique_ptr<ClientSession> session;
};
