#include "store/ReportRows.h"

#include "store/DatabaseError.h"
#include "store/NativeInsert.h"
#include "store/SendTime.h"

#include <QHash>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

Q_LOGGING_CATEGORY(lcReportRows, "quorvel.store.report", QtInfoMsg)

namespace {

// Rows read together; the cache keeps enough blocks for several screens.
constexpr int BlockSize = 64;
constexpr int CachedBlocks = 64;

[[noreturn]] void fail(const QSqlError &error)
{
    throw DatabaseError(error.text());
}

QString placeholders(int count)
{
    QStringList marks;
    marks.fill(QStringLiteral("?"), count);
    return marks.join(u',');
}

// The ORDER BY clause of a sort. Ties keep the order stored; names sort
// without regard to letter case.
QString orderClause(ReportRows::Column column, bool ascending)
{
    const QString direction = ascending ? QStringLiteral("ASC") : QStringLiteral("DESC");
    const QString &name = ReportRows::columnNames().at(column);
    if (column == ReportRows::SendTime) // stored as text that orders by time
        return QStringLiteral(" ORDER BY sendtime %1, rowid").arg(direction);
    return QStringLiteral(" ORDER BY %1 COLLATE NOCASE %2, rowid").arg(name, direction);
}

} // namespace

const QStringList &ReportRows::columnNames()
{
    static const QStringList names = {QStringLiteral("sender"), QStringLiteral("recipient"),
                                      QStringLiteral("sendtime"), QStringLiteral("status"),
                                      QStringLiteral("message")};
    return names;
}

ReportRows::ReportRows(const QString &objectName, const QString &connectionName, QObject *parent)
    : QObject(parent)
    , m_connectionName(connectionName)
    , m_blocks(CachedBlocks)
{
    setObjectName(objectName);
}

ReportRows::~ReportRows() = default;

void ReportRows::openAll()
{
    readIds(Sender, true, false);
}

void ReportRows::openOrderedBy(Column column, bool ascending)
{
    readIds(column, ascending, true);
}

void ReportRows::sort(Column column, bool ascending)
{
    if (!m_open)
        return;
    // The open result is the whole table, so ordering the table's row ids
    // orders the result; its rows are not read for it.
    readIds(column, ascending, true);
}

void ReportRows::sort(const QString &order)
{
    if (!m_open)
        return;
    const QStringList parts = order.split(u' ', Qt::SkipEmptyParts);
    const int column = parts.isEmpty() ? -1 : columnIndex(parts.first());
    if (column < 0 || parts.size() > 2)
        throw DatabaseError(QStringLiteral("%1: cannot sort by '%2'").arg(objectName(), order));
    const bool descending =
        parts.size() > 1 && parts.at(1).compare(u"DESC", Qt::CaseInsensitive) == 0;
    sort(static_cast<Column>(column), !descending);
}

void ReportRows::readIds(Column column, bool ascending, bool ordered)
{
    // Send times that are no date come after all dated ones, in either direction.
    const bool undatedLast = ordered && column == SendTime;
    const QByteArray statement = (QStringLiteral("SELECT rowid%1 FROM report%2")
                                      .arg(undatedLast ? QStringLiteral(", sendtime") : QString(),
                                           ordered ? orderClause(column, ascending) : QString()))
                                     .toUtf8();
    // Read straight from the engine: a long report has a hundred thousand ids.
    sqlite3 *db = NativeInsert::handleOf(m_connectionName);
    sqlite3_stmt *query = nullptr;
    if (sqlite3_prepare_v2(db, statement.constData(), int(statement.size()), &query, nullptr) !=
        SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> finalize(query, sqlite3_finalize);
    const auto dated = [query] {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(query, 1));
        return SendTime::isStoredDate(QByteArrayView(text, sqlite3_column_bytes(query, 1)));
    };
    QList<qint64> ids;
    QList<qint64> undated;
    ids.reserve(m_ids.size());
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(query)) == SQLITE_ROW) {
        const qint64 id = sqlite3_column_int64(query, 0);
        if (undatedLast && !dated())
            undated.append(id);
        else
            ids.append(id);
    }
    if (step != SQLITE_DONE)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    ids.append(undated);
    m_ids = std::move(ids);
    m_open = true;
    dropBlocks();
    Q_EMIT rowsReset();
}

void ReportRows::execute(const QString &statement)
{
    close();
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.exec(statement))
        fail(query.lastError());
}

void ReportRows::close()
{
    const bool wasOpen = m_open;
    m_open = false;
    m_ids.clear();
    dropBlocks();
    if (wasOpen)
        Q_EMIT rowsReset();
}

void ReportRows::dropBlocks()
{
    m_blocks.clear();
}

int ReportRows::columnIndex(const QString &name) const
{
    for (int i = 0; i < ColumnCount; ++i) {
        if (columnNames().at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant ReportRows::value(int row, int column) const
{
    if (row < 0 || row >= recordCount() || column < 0 || column >= ColumnCount)
        return {};
    const Block *rows = block(row / BlockSize);
    const int inBlock = row % BlockSize;
    return rows && inBlock < rows->size() ? rows->at(inBlock).at(column) : QVariant();
}

const ReportRows::Block *ReportRows::block(int index) const
{
    if (const Block *cached = m_blocks.object(index))
        return cached;
    const int first = index * BlockSize;
    const int count = std::min(BlockSize, recordCount() - first);
    // Asked for while the grid paints: a read that fails shows empty cells
    // and is tried again at the next paint.
    QSqlQuery &fetch = fetchStatement();
    for (int i = 0; i < BlockSize; ++i)
        fetch.bindValue(i, m_ids.at(first + std::min(i, count - 1)));
    if (!fetch.exec()) {
        qCDebug(lcReportRows) << "reading report rows failed:" << fetch.lastError().text();
        m_fetch.reset(); // prepared afresh next time
        return nullptr;
    }
    QHash<qint64, QVariantList> found;
    found.reserve(count);
    while (fetch.next()) {
        QVariantList values;
        values.reserve(ColumnCount);
        for (int c = 1; c <= ColumnCount; ++c)
            values.append(fetch.value(c));
        found.insert(fetch.value(0).toLongLong(), std::move(values));
    }
    fetch.finish();
    auto rows = std::make_unique<Block>();
    rows->reserve(count);
    for (int i = 0; i < count; ++i)
        rows->append(found.value(m_ids.at(first + i), QVariantList(ColumnCount)));
    const Block *made = rows.get();
    m_blocks.insert(index, rows.release());
    return made;
}

QSqlQuery &ReportRows::fetchStatement() const
{
    if (!m_fetch) {
        m_fetch = std::make_unique<QSqlQuery>(QSqlDatabase::database(m_connectionName, false));
        m_fetch->setForwardOnly(true);
        m_fetch->prepare(QStringLiteral("SELECT rowid, sender, recipient, sendtime, status, "
                                        "message FROM report WHERE rowid IN (%1)")
                             .arg(placeholders(BlockSize)));
    }
    return *m_fetch;
}

void ReportRows::appendWireRows(const QList<ReportFields> &rows)
{
    prepareAppend();
    const int first = recordCount();
    m_blocks.remove(first / BlockSize);
    QByteArray convertedTime;
    for (ReportFields fields : rows) {
        // Checked on the bytes first, so a send time in the stored form costs no conversion.
        QByteArrayView &sendTime = fields[SendTime];
        if (!::SendTime::isStoredDate(sendTime)) {
            convertedTime = ::SendTime::fromWire(QString::fromLatin1(sendTime)).toLatin1();
            sendTime = convertedTime;
        }
        m_insert->runWire(fields);
        m_ids.append(m_insert->lastInsertRowId());
    }
    if (recordCount() > first)
        Q_EMIT rowsAppended(first, recordCount() - 1);
}

void ReportRows::prepareAppend()
{
    if (!m_open)
        throw DatabaseError(
            QStringLiteral("%1: no open table to append a row to").arg(objectName()));
    if (!m_insert) {
        m_insert = std::make_unique<NativeInsert>(
            m_connectionName, QStringLiteral("INSERT INTO report (%1) VALUES (%2)")
                                  .arg(columnNames().join(u','), placeholders(ColumnCount)));
    }
}
