#include "store/QueryObject.h"

#include "store/DatabaseError.h"
#include "store/NativeInsert.h"
#include "store/StoreLog.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

[[noreturn]] void fail(const QSqlQuery &query)
{
    qCDebug(lcStore).noquote() << "statement:" << query.lastQuery();
    throw DatabaseError(query.lastError().text());
}

// Orders report values: nulls first, numbers by value, everything else as text.
int compareValues(const QVariant &left, const QVariant &right)
{
    if (left.isNull() || right.isNull())
        return int(!left.isNull()) - int(!right.isNull());
    const auto isNumber = [](const QVariant &v) {
        const int type = v.typeId();
        return type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double;
    };
    if (isNumber(left) && isNumber(right)) {
        const double a = left.toDouble();
        const double b = right.toDouble();
        return (a > b) - (a < b);
    }
    return left.toString().compare(right.toString());
}

} // namespace

QueryObject::QueryObject(const QString &objectName, const QString &connectionName, QObject *parent)
    : QObject(parent)
    , m_connectionName(connectionName)
{
    setObjectName(objectName);
}

QueryObject::~QueryObject() = default;

void QueryObject::setStatement(const QString &text, const QVariantList &values)
{
    m_statement = text;
    m_values = values;
}

QSqlQuery QueryObject::prepared(const QString &text, const QVariantList &values)
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    if (!query.prepare(text))
        fail(query);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(query);
    return query;
}

void QueryObject::open()
{
    close();
    QSqlQuery query = prepared(m_statement, m_values);
    const QSqlRecord record = query.record();
    m_columns.clear();
    for (int i = 0; i < record.count(); ++i)
        m_columns.append(record.fieldName(i));
    while (query.next()) {
        QVariantList row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row.append(query.value(i));
        m_rows.append(std::move(row));
    }
    query.finish();
    m_table = tableOfStatement();
    m_open = true;
    m_current = 0;
    Q_EMIT rowsReset();
}

void QueryObject::execute()
{
    close();
    prepared(m_statement, m_values).finish();
}

void QueryObject::close()
{
    const bool wasOpen = m_open || !m_rows.isEmpty();
    m_open = false;
    m_rows.clear();
    m_columns.clear();
    m_table.clear();
    m_current = 0;
    if (wasOpen)
        Q_EMIT rowsReset();
}

int QueryObject::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant QueryObject::field(const QString &name) const
{
    const int column = columnIndex(name);
    if (column < 0)
        throw DatabaseError(QStringLiteral("%1: field '%2' not found").arg(objectName(), name));
    if (eof())
        return {};
    return m_rows.at(m_current).at(column);
}

QVariant QueryObject::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return {};
    return m_rows.at(row).at(column);
}

QString QueryObject::tableOfStatement() const
{
    static const QRegularExpression selectAll(QStringLiteral(R"(^select\s+\*\s+from\s+(\w+)\s*$)"),
                                              QRegularExpression::CaseInsensitiveOption);
    return selectAll.match(m_statement).captured(1);
}

const QHash<QString, int> &QueryObject::columnWidths(const QString &table)
{
    const QString key = table.toLower();
    auto found = m_widthsByTable.find(key);
    if (found != m_widthsByTable.end())
        return *found;
    static const QRegularExpression declaredWidth(QStringLiteral(R"(\((\d+)\))"));
    QHash<QString, int> widths;
    QSqlQuery info = prepared(QStringLiteral("PRAGMA table_info(%1)").arg(table), {});
    while (info.next()) {
        const auto width = declaredWidth.match(info.value(2).toString());
        if (width.hasMatch())
            widths.insert(info.value(1).toString().toLower(), width.captured(1).toInt());
    }
    return *m_widthsByTable.insert(key, widths);
}

NativeInsert &QueryObject::insertFor(const QStringList &columns)
{
    const QString key = m_table.toLower() + u'|' + columns.join(u',');
    auto &slot = m_inserts[key];
    if (!slot) {
        QStringList marks;
        marks.fill(QStringLiteral("?"), columns.size());
        slot = std::make_unique<NativeInsert>(
            m_connectionName, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(m_table, columns.join(u','), marks.join(u',')));
    }
    return *slot;
}

int QueryObject::existingColumn(const QString &name) const
{
    const int column = columnIndex(name);
    if (column < 0)
        throw DatabaseError(QStringLiteral("%1: field '%2' not found").arg(objectName(), name));
    return column;
}

void QueryObject::appendRows(const QStringList &columns, const QList<QVariantList> &rows)
{
    if (!m_open || m_table.isEmpty())
        throw DatabaseError(
            QStringLiteral("%1: no open table to append a row to").arg(objectName()));

    const QHash<QString, int> &declaredWidths = columnWidths(m_table);
    QList<int> targets;
    QList<int> widths;
    for (const QString &column : columns) {
        targets.append(existingColumn(column));
        widths.append(declaredWidths.value(column.toLower(), -1));
    }
    NativeInsert &insert = insertFor(columns);
    const int first = recordCount();
    for (const QVariantList &values : rows) {
        QVariantList row(m_columns.size());
        for (int i = 0; i < columns.size(); ++i) {
            QVariant &cell = row[targets.at(i)];
            cell = values.value(i);
            if (widths.at(i) >= 0 && cell.typeId() == QMetaType::QString)
                cell = cell.toString().left(widths.at(i));
        }
        insert.run(row, targets);
        m_rows.append(std::move(row));
    }
    if (recordCount() > first) {
        m_current = recordCount() - 1;
        Q_EMIT rowsAppended(first, m_current);
    }
}

void QueryObject::sort(const QString &order)
{
    if (!m_open)
        return;
    const QStringList parts = order.split(u' ', Qt::SkipEmptyParts);
    const int column = parts.isEmpty() ? -1 : columnIndex(parts.first());
    if (column < 0)
        throw DatabaseError(QStringLiteral("%1: cannot sort by '%2'").arg(objectName(), order));
    const bool descending =
        parts.size() > 1 && parts.at(1).compare(u"DESC", Qt::CaseInsensitive) == 0;
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [column, descending](const QVariantList &a, const QVariantList &b) {
                         const int c = compareValues(a.at(column), b.at(column));
                         return descending ? c > 0 : c < 0;
                     });
    m_current = 0;
    Q_EMIT rowsReset();
}

void RunSql(QueryObject &query, const QString &statement, const QVariantList &values)
{
    query.close();
    query.setStatement(statement, values);
    if (statement.left(6).toUpper() == u"SELECT")
        query.open();
    else
        query.execute();
}
