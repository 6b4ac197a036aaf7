#pragma once

#include "link/WireRecords.h"

#include <QList>
#include <QString>

// What the benchmarks share: the report they ingest and the baseline insert.
namespace BenchData {

// 100 000 by default; BENCH_RECORDS sets another count (handy under a profiler).
extern const int RecordCount;

QList<ReportRecord> makeRecords();

// Seconds to insert the records into a fresh database at `path` with one
// prepared INSERT in one transaction through SQLite's C API.
double insertThroughSqlite(const QString &path, const QList<ReportRecord> &records);

} // namespace BenchData
