#pragma once

#include "link/WireRecords.h"

#include <QCache>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class NativeInsert;
class QSqlQuery;

// adoQReport: the open result of a query on the report table. It holds only
// the row ids, in the result's order, and reads the rows themselves from the
// table when they are asked for, a block at a time; a report of any length
// costs a few bytes a row in memory. Views follow it through its signals.
class ReportRows final : public QObject {
    Q_OBJECT

public:
    // The report's columns, in the table's order.
    enum Column : int { Sender, Recipient, SendTime, Status, Message, ColumnCount };
    static const QStringList &columnNames();

    ReportRows(const QString &objectName, const QString &connectionName, QObject *parent = nullptr);
    ~ReportRows() override;
    Q_DISABLE_COPY_MOVE(ReportRows)

    // "select * from report": every row, in the order stored.
    void openAll();
    // "SELECT * FROM Report Order by <column> ASC" (or DESC): read again in that order.
    void openOrderedBy(Column column, bool ascending);
    // Runs a statement that returns no rows; the result is closed first.
    void execute(const QString &statement);
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const { return static_cast<int>(m_ids.size()); }
    const QStringList &columns() const { return columnNames(); }
    // The column of that name, found without regard to letter case, or -1.
    int columnIndex(const QString &name) const;
    // A value of the open result; an invalid one outside it.
    QVariant value(int row, int column) const;

    // Adds rows (values in column order) to the table and to the end of the open result.
    // Rows as they came off the wire: the send time is put in its stored form,
    // the rest bound as it lies in the frame.
    void appendWireRows(const QList<ReportFields> &rows);

    // Re-sorts the open result by "column ASC" or "column DESC", or by a
    // column and direction; ties keep the order stored. Send times sort
    // chronologically, with those that are no date after the dated ones.
    void sort(const QString &order);
    void sort(Column column, bool ascending);

Q_SIGNALS:
    // The result was opened, closed or re-sorted.
    void rowsReset();
    void rowsAppended(int first, int last);

private:
    // The table is open and the insert prepared.
    void prepareAppend();
    using Block = QList<QVariantList>;
    void readIds(Column column, bool ascending, bool ordered);
    // The rows of one block, read when first asked for; nullptr when the read failed.
    const Block *block(int index) const;
    QSqlQuery &fetchStatement() const;
    void dropBlocks();

    QString m_connectionName;
    bool m_open = false;
    QList<qint64> m_ids;
    mutable QCache<int, Block> m_blocks;
    mutable std::unique_ptr<QSqlQuery> m_fetch;
    std::unique_ptr<NativeInsert> m_insert;
};
