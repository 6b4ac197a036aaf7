#pragma once

#include <QString>

// Groups statements on a connection: kept by commit(), undone when left early
// (by an exception), so a failed table replacement keeps the old rows.
// Transactions nest; only the outermost one's commit reaches the file.
class Transaction final {
public:
    explicit Transaction(const QString &connectionName);
    ~Transaction();
    Q_DISABLE_COPY_MOVE(Transaction)

    void commit();
    void rollback() noexcept;

private:
    void run(const QString &statement) const;

    QString m_connectionName;
    QString m_savepoint;
    bool m_done = false;
};
