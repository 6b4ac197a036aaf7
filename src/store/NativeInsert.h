#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <array>
#include <span>

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
    // Binds field i (single-byte text as it came off the wire) to placeholder
    // i, runs the statement and resets it. ASCII fields are bound where they
    // lie; only a field with a byte above 0x7F is converted.
    void runWire(std::span<const QByteArrayView> fields);
    // The row id the last run gave its row.
    qint64 lastInsertRowId() const;

    // The SQLite handle behind an open Qt connection; throws DatabaseError when it is not open.
    static sqlite3 *handleOf(const QString &connectionName);

private:
    [[noreturn]] void fail() const;

    void step();

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    // Reused for the fields that need converting, so that a row allocates nothing.
    std::array<QByteArray, 8> m_converted;
};
