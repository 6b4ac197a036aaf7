#include "store/DatabaseConnection.h"

#include "store/DatabaseError.h"
#include "store/Statements.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <utility>

namespace {

QAtomicInt connectionCounter;

// The tables and columns the client reads and writes.
const std::pair<const char16_t *, QStringList> RequiredTables[] = {
    {u"ClientID",
     {QStringLiteral("ClientName"), QStringLiteral("ServerIP"), QStringLiteral("ServerPort")}},
    {u"Version", {QStringLiteral("version_num")}},
    {u"recipients", {QStringLiteral("SerialNum"), QStringLiteral("Recipient")}},
    {u"group_list", {QStringLiteral("SerialNum"), QStringLiteral("GroupName")}},
    {u"canned", {QStringLiteral("content")}},
    {u"report",
     {QStringLiteral("sender"), QStringLiteral("recipient"), QStringLiteral("sendtime"),
      QStringLiteral("status"), QStringLiteral("message")}},
};

} // namespace

DatabaseConnection::DatabaseConnection(const QString &filePath)
    : m_name(QStringLiteral("ADOConnection1-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
    , m_filePath(filePath)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(filePath);
}

DatabaseConnection::~DatabaseConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

void DatabaseConnection::open()
{
    const bool fresh = !QFileInfo::exists(m_filePath);
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.open())
        throw DatabaseError(QStringLiteral("The database file %1 cannot be opened: %2")
                                .arg(m_filePath, db.lastError().text()));
    if (fresh)
        createSchema();
    verifySchema();

    // Commits without a disk flush each: a report of thousands of parts
    // stays fast, and the write-ahead log keeps the file consistent.
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
}

void DatabaseConnection::createSchema()
{
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    const QStringList statements = Statements::schema();
    QSqlQuery query(db);
    bool ok = !statements.isEmpty() && db.transaction();
    for (const QString &statement : statements) {
        if (!ok)
            break;
        ok = query.exec(statement);
    }
    if (ok && db.commit())
        return;
    QString problem = db.lastError().text();
    if (statements.isEmpty())
        problem = QStringLiteral("the client carries no schema");
    else if (query.lastError().isValid())
        problem = query.lastError().text();
    db.rollback();
    db.close();
    QFile::remove(m_filePath);
    throw DatabaseError(
        QStringLiteral("The database file %1 cannot be created: %2").arg(m_filePath, problem));
}

void DatabaseConnection::verifySchema()
{
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        throw DatabaseError(QStringLiteral("The file %1 is not a readable database: %2")
                                .arg(m_filePath, probe.lastError().text()));
    probe.finish();

    for (const auto &[table, columns] : RequiredTables) {
        const QString tableName = QString::fromUtf16(table);
        const QSqlRecord record = db.record(tableName);
        if (record.isEmpty())
            throw DatabaseError(
                QStringLiteral("The database file %1 has no table %2.").arg(m_filePath, tableName));
        for (const QString &column : columns) {
            bool found = false;
            for (int i = 0; i < record.count() && !found; ++i)
                found = record.fieldName(i).compare(column, Qt::CaseInsensitive) == 0;
            if (!found)
                throw DatabaseError(QStringLiteral("The table %2 of the database file %1 has no "
                                                   "column %3.")
                                        .arg(m_filePath, tableName, column));
        }
    }
}
