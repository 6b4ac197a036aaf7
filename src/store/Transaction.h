#pragma once

#include <QString>

// Groups statements on a connection: committed by commit(), rolled back when
// left early (by an exception), so a failed table replacement keeps the old rows.
class Transaction final {
public:
    explicit Transaction(const QString &connectionName);
    ~Transaction();
    Q_DISABLE_COPY_MOVE(Transaction)

    void commit();

private:
    QString m_connectionName;
    bool m_done = false;
};
