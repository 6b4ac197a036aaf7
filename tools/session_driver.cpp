// Runs the client's session without windows in a working directory and asks
// the server for one thing: the report of January 2014 or the lists. Exits
// once the answer is stored. The kill test starts it and kills it at random
// moments to show that Client.mdb is never left half-written.
#include "app/ClientSession.h"
#include "app/Clock.h"
#include "app/StderrMessenger.h"
#include "link/FrameType.h"
#include "link/ServerLink.h"
#include "report/ReportQuery.h"
#include "store/ClientStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Drives the client's session for tests."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("dir"), QStringLiteral("Working directory."));
    parser.addPositionalArgument(QStringLiteral("port"),
                                 QStringLiteral("Server port on 127.0.0.1."));
    parser.addPositionalArgument(QStringLiteral("what"), QStringLiteral("report or lists"));
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 3)
        parser.showHelp(2);

    StderrMessenger messenger;
    SystemClock clock;
    ClientSession session(messenger, clock, {.discoveryPort = 0});
    if (!session.start(arguments[0]))
        return 1;
    ClientState &state = session.state();
    state.CurrentServerIP = QStringLiteral("127.0.0.1");
    state.CurrentServerPort = arguments[1];
    state.CurrentClientID = QStringLiteral("DESK01");
    state.setClientIdBytes(state.CurrentClientID);

    if (arguments[2] == u"report") {
        ReportQuery::BuildReportQuery(state, state.ClientIDBytes, QDate(2014, 1, 1),
                                      QDate(2014, 1, 31));
        session.sendBuiltFrame();
        // Sending dropped the idle connection; the next drop ends the answer.
        QObject::connect(session.link(), &ServerLink::connectionDropped, &app,
                         &QCoreApplication::quit, Qt::QueuedConnection);
    } else {
        QObject::connect(&session, &ClientSession::listsChanged, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        session.SendRequest(FrameType::ListRequest);
    }
    QObject::connect(session.link(), &ServerLink::failed, &app, [] { QCoreApplication::exit(1); });
    QTimer::singleShot(120000, &app, [] { QCoreApplication::exit(3); });
    return QCoreApplication::exec();
}
