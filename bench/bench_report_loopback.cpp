// A delivery report of 100 000 records sent by the simulated server over
// loopback in parts of 40, timed from frame H written to the last row shown
// by the grid's model (read back from the store through the model, as the
// grid reads it); against the store-only baseline, a plain prepared INSERT of
// the same rows through SQLite's C API.
#include "BenchData.h"
#include "ClientFrameReader.h"
#include "ServerLogic.h"
#include "SimulatedServer.h"
#include "app/ClientSession.h"
#include "app/Clock.h"
#include "app/StderrMessenger.h"
#include "link/ServerLink.h"
#include "report/ReportQuery.h"
#include "report/ReportTableModel.h"
#include "store/ClientStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace BenchData;

namespace {

double ingestOverLoopback(const QString &dir, const QList<ReportRecord> &records)
{
    // The simulator answers in this process and thread: its building of the
    // parts is part of the figure, so the client's share is smaller than shown.
    SimulatedServer server;
    server.state().report = records;
    if (!server.listen(QHostAddress(QHostAddress::LocalHost), 0)) {
        std::fprintf(stderr, "cannot listen: %s\n", qPrintable(server.errorString()));
        return -1;
    }
    const quint16 port = server.serverPort();

    StderrMessenger messenger;
    SystemClock clock;
    ClientSession session(messenger, clock, {.discoveryPort = 0});
    session.start(dir);
    ClientStore &store = session.store();
    ServerLink &link = *session.link();
    ClientState &state = session.state();
    state.CurrentServerIP = QStringLiteral("127.0.0.1");
    state.CurrentServerPort = QString::number(port);
    state.CurrentClientID = QStringLiteral("DESK01");
    state.setClientIdBytes(state.CurrentClientID);

    // The grid's model, following the report as it is stored.
    ReportTableModel model(store.adoQReport());
    const int lastRow = static_cast<int>(records.size()) - 1;
    const QString lastRecipient = records.constLast().recipient;
    const auto lastRowShown = [&] {
        return model.rowCount() == records.size() &&
               model.index(lastRow, 1).data().toString() == lastRecipient;
    };

    ReportQuery::BuildReportQuery(state, state.ClientIDBytes, QDate(2014, 1, 1),
                                  QDate(2014, 3, 31));
    QElapsedTimer timer;
    timer.start();
    link.SendFrame();
    // Done when the model shows the last row and the answer's connection is closed.
    while ((model.rowCount() < records.size() || link.isConnectionOpen()) &&
           timer.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const bool shown = lastRowShown();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (!shown)
        std::fprintf(stderr, "the model shows %d rows, expected %lld\n", model.rowCount(),
                     static_cast<long long>(records.size()));
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QList<ReportRecord> records = makeRecords();
    QTemporaryDir clientDir;
    QTemporaryDir baselineDir;
    const double client = ingestOverLoopback(clientDir.path(), records);
    const double baseline =
        insertThroughSqlite(QDir(baselineDir.path()).filePath(QStringLiteral("base.db")), records);

    std::printf("report over loopback: %d records in parts of 40\n", RecordCount);
    std::printf("  client (H written to last row in the grid's model): %10.0f rows/s (%.3f s)\n",
                RecordCount / client, client);
    std::printf("  baseline (C API insert):                            %10.0f rows/s (%.3f s)\n",
                RecordCount / baseline, baseline);
    std::printf("  ratio client/baseline time: %.2fx\n", client / baseline);

    // The simulator answers in this process and thread; what its answer
    // costs (selecting the rows, building the parts) is inside the figure above.
    ClientState query;
    query.setClientIdBytes(QStringLiteral("DESK01"));
    ReportQuery::BuildReportQuery(query, query.ClientIDBytes, QDate(2014, 1, 1),
                                  QDate(2014, 3, 31));
    SimulatorState serverState;
    serverState.report = records;
    QElapsedTimer answering;
    answering.start();
    const auto reply = ServerLogic::answer(
        serverState,
        ClientFrameReader::parse(QByteArrayView(query.SendBuffer.data(), query.SendLength)),
        QDateTime::currentDateTime());
    const double serverSide = answering.nsecsElapsed() / 1e9;
    std::printf("  of which the simulator answers with %lld parts in %.3f s; without it: %.2fx\n",
                static_cast<long long>(reply.frames.size()), serverSide,
                (client - serverSide) / baseline);
    return 0;
}
