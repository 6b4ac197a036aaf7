// Parses and stores a delivery report of 100 000 records arriving in parts of
// 40, against a plain prepared INSERT of the same rows in one transaction
// through SQLite's C API. Prints rows per second of both and their ratio.
#include "ServerFrameBuilder.h"
#include "link/ServerFrameParser.h"
#include "store/ClientStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {

const int RecordCount = qEnvironmentVariableIntValue("BENCH_RECORDS") > 0
                            ? qEnvironmentVariableIntValue("BENCH_RECORDS")
                            : 100000;

QList<ReportRecord> makeRecords()
{
    QList<ReportRecord> records;
    records.reserve(RecordCount);
    for (int i = 0; i < RecordCount; ++i) {
        records.append({QStringLiteral("DESK%1").arg(i % 7),
                        QStringLiteral("Recipient %1").arg(i % 113),
                        QStringLiteral("2014-01-%1 09:%2:%3")
                            .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                            .arg(i % 60, 2, 10, QLatin1Char('0'))
                            .arg(i % 59, 2, 10, QLatin1Char('0')),
                        i % 9 == 0 ? QStringLiteral("Failed") : QStringLiteral("OK"),
                        QStringLiteral("From DESK:\r\nPage number %1 for the night shift").arg(i)});
    }
    return records;
}

[[gnu::noinline]] double ingestThroughClient(const QString &dir, const QList<QByteArray> &parts)
{
    ClientStore store(dir);
    store.open();
    QElapsedTimer timer;
    timer.start();
    for (const QByteArray &frame : parts) {
        const auto part = ServerFrameParser::parseReportPart(frame);
        if (part.partCode == 1)
            store.startReport(part.records);
        else
            store.appendReport(part.records);
    }
    store.finishReport();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (store.adoQReport().recordCount() != RecordCount)
        std::fprintf(stderr, "stored %d rows, expected %d\n", store.adoQReport().recordCount(),
                     RecordCount);
    return seconds;
}

[[gnu::noinline]] double insertThroughSqlite(const QString &path, const QList<ReportRecord> &records)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE report (sender TEXT, recipient TEXT, sendtime DATETIME, "
                 "status TEXT, message TEXT)",
                 nullptr, nullptr, nullptr);
    QList<QList<QByteArray>> rows;
    rows.reserve(records.size());
    for (const ReportRecord &r : records)
        rows.append({r.sender.toUtf8(), r.recipient.toUtf8(), r.sendTime.toUtf8(),
                     r.status.toUtf8(), r.message.toUtf8()});

    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO report VALUES (?,?,?,?,?)", -1, &insert, nullptr);
    for (const auto &row : rows) {
        for (int c = 0; c < 5; ++c)
            sqlite3_bind_text(insert, c + 1, row[c].constData(), int(row[c].size()), SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double seconds = timer.nsecsElapsed() / 1e9;
    sqlite3_close(db);
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
