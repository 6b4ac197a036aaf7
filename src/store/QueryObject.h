#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>

class NativeInsert;

// A named query object on the client's database connection: closed, or open
// on the rows of one SELECT, which it holds so that they can be walked,
// counted, appended to and re-sorted in place. Views follow it through its signals.
class QueryObject final : public QObject {
    Q_OBJECT

public:
    QueryObject(const QString &objectName, const QString &connectionName,
                QObject *parent = nullptr);
    ~QueryObject() override;
    Q_DISABLE_COPY_MOVE(QueryObject)

    void setStatement(const QString &text, const QVariantList &values = {});
    const QString &statement() const { return m_statement; }

    // Runs the SELECT and keeps its rows; the first row becomes current.
    void open();
    // Runs a statement that returns no rows; the object is closed afterwards.
    void execute();
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const { return static_cast<int>(m_rows.size()); }
    void first() { m_current = 0; }
    void next() { ++m_current; }
    bool eof() const { return m_current >= recordCount(); }
    int currentRow() const { return m_current; }
    void setCurrentRow(int row) { m_current = row; }

    const QStringList &columns() const { return m_columns; }
    int columnIndex(const QString &name) const;
    // Columns are found without regard to letter case, as table names are.
    QVariant field(const QString &name) const;
    QString fieldText(const QString &name) const { return field(name).toString(); }
    int fieldInt(const QString &name) const { return field(name).toInt(); }
    QVariant value(int row, int column) const;

    // Appends rows to the table the open SELECT reads and posts them at once,
    // each row holding its values in the order of `columns`. Text values are
    // cut to their column's declared width.
    void appendRows(const QStringList &columns, const QList<QVariantList> &rows);

    // Re-sorts the open rows by "column ASC" or "column DESC" without running
    // the statement again; the first row becomes current.
    void sort(const QString &order);

Q_SIGNALS:
    // The rows were replaced (opened, closed or re-sorted).
    void rowsReset();
    void rowsAppended(int first, int last);

private:
    QSqlQuery prepared(const QString &text, const QVariantList &values);
    QString tableOfStatement() const;
    const QHash<QString, int> &columnWidths(const QString &table);
    NativeInsert &insertFor(const QStringList &columns);
    int existingColumn(const QString &name) const;

    QString m_connectionName;
    QString m_statement;
    QVariantList m_values;
    bool m_open = false;
    QStringList m_columns;
    QList<QVariantList> m_rows;
    int m_current = 0;
    QString m_table;
    QHash<QString, QHash<QString, int>> m_widthsByTable;
    std::map<QString, std::unique_ptr<NativeInsert>> m_inserts;
};

// Runs one statement on one query object: a text whose first six characters
// are "SELECT" in any case opens the object, anything else is executed.
void RunSql(QueryObject &query, const QString &statement, const QVariantList &values = {});
