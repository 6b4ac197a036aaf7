// Parses and stores a delivery report of 100 000 records arriving in parts of
// 40, against a plain prepared INSERT of the same rows in one transaction
// through SQLite's C API. Prints rows per second of both and their ratio.
#include "BenchData.h"
#include "ServerFrameBuilder.h"
#include "link/ServerFrameParser.h"
#include "link/ServerFrameReader.h"
#include "store/ClientStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace BenchData;

namespace {

[[gnu::noinline]] double ingestThroughClient(const QString &dir, const QList<QByteArray> &parts)
{
    ClientStore store(dir);
    store.open();
    QElapsedTimer timer;
    timer.start();
    // As the session reads each part: its layout from its closing, its rows as views.
    for (const QByteArray &frame : parts) {
        const auto layout = ServerFrameReader::isFullReportPart(frame)
                                ? ServerFrameParser::ReportLayout::Full
                                : ServerFrameParser::ReportLayout::Last;
        const auto part =
            ServerFrameParser::parseReportPart(frame, layout, ServerFrameParser::Keep::Views);
        if (part.partCode == 1)
            store.startWireReport(part.fields);
        else
            store.appendWireReport(part.fields);
    }
    store.finishReport();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (store.adoQReport().recordCount() != RecordCount)
        std::fprintf(stderr, "stored %d rows, expected %d\n", store.adoQReport().recordCount(),
                     RecordCount);
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QList<ReportRecord> records = makeRecords();
    const QList<QByteArray> parts =
        ServerFrameBuilder::reportParts(QStringLiteral("DESK01"), records);

    QTemporaryDir clientDir;
    QTemporaryDir baselineDir;
    const double client = ingestThroughClient(clientDir.path(), parts);
    const double baseline =
        insertThroughSqlite(QDir(baselineDir.path()).filePath(QStringLiteral("base.db")), records);

    std::printf("report ingest: %d records in %lld parts\n", RecordCount,
                static_cast<long long>(parts.size()));
    std::printf("  client (parse + store): %10.0f rows/s (%.3f s)\n", RecordCount / client, client);
    std::printf("  baseline (C API insert): %9.0f rows/s (%.3f s)\n", RecordCount / baseline,
                baseline);
    std::printf("  ratio client/baseline time: %.2fx\n", client / baseline);
    return 0;
}
