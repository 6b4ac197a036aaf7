#pragma once

#include <QList>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// A prepared INSERT run straight on the SQLite handle behind a Qt connection.
// Qt's per-value binding costs several times the engine's own work, and a
// delivery report appends rows by the hundred thousand.
class NativeInsert final {
public:
    NativeInsert(const QString &connectionName, const QString &statement);
    ~NativeInsert();
    Q_DISABLE_COPY_MOVE(NativeInsert)

    // Binds row[columns[i]] to placeholder i, runs the statement and resets it.
    // Throws DatabaseError with the engine's text.
    void run(const QVariantList &row, const QList<int> &columns);
    // The row id the last run gave its row.
    qint64 lastInsertRowId() const;

    // The SQLite handle behind an open Qt connection; throws DatabaseError when it is not open.
    static sqlite3 *handleOf(const QString &connectionName);

private:
    [[noreturn]] void fail() const;

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
};
