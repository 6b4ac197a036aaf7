#include "store/Transaction.h"

#include "store/DatabaseError.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QAtomicInt savepointCounter;
}

// Savepoints rather than BEGIN/COMMIT, because they nest: a list replacement
// may run while a report answer's transaction is still open.
Transaction::Transaction(const QString &connectionName)
    : m_connectionName(connectionName)
    , m_savepoint(QStringLiteral("sp%1").arg(savepointCounter.fetchAndAddRelaxed(1)))
{
    run(QStringLiteral("SAVEPOINT ") + m_savepoint);
}

Transaction::~Transaction()
{
    rollback();
}

void Transaction::run(const QString &statement) const
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.exec(statement))
        throw DatabaseError(query.lastError().text());
}

void Transaction::commit()
{
    if (m_done)
        return;
    run(QStringLiteral("RELEASE ") + m_savepoint);
    m_done = true;
}

void Transaction::rollback() noexcept
{
    if (m_done)
        return;
    m_done = true;
    try {
        run(QStringLiteral("ROLLBACK TO ") + m_savepoint);
        run(QStringLiteral("RELEASE ") + m_savepoint);
    } catch (const DatabaseError &) {
        // Nothing more can be done: the connection itself has failed.
    }
}
