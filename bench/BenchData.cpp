#include "BenchData.h"

#include <QElapsedTimer>

#include <sqlite3.h>

namespace BenchData {

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

double insertThroughSqlite(const QString &path, const QList<ReportRecord> &records)
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

} // namespace BenchData
