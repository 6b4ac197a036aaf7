#include "store/Transaction.h"

#include "store/DatabaseError.h"

#include <QSqlDatabase>
#include <QSqlError>

Transaction::Transaction(const QString &connectionName)
    : m_connectionName(connectionName)
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.transaction())
        throw DatabaseError(db.lastError().text());
}

Transaction::~Transaction()
{
    if (!m_done)
        QSqlDatabase::database(m_connectionName, false).rollback();
}

void Transaction::commit()
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.commit())
        throw DatabaseError(db.lastError().text());
    m_done = true;
}
