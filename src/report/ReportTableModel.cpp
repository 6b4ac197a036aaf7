#include "report/ReportTableModel.h"

#include "store/ReportRows.h"
#include "store/SendTime.h"

ReportTableModel::ReportTableModel(ReportRows &rows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(rows)
    , m_rowCount(rows.recordCount())
{
    connect(&m_rows, &ReportRows::rowsReset, this, &ReportTableModel::resetRows);
    connect(&m_rows, &ReportRows::rowsAppended, this, &ReportTableModel::appendRows);
}

int ReportTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int ReportTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ReportRows::ColumnCount;
}

QVariant ReportTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rowCount)
        return {};
    const QString text = m_rows.value(index.row(), index.column()).toString();
    return index.column() == ReportRows::SendTime ? SendTime::shown(text) : text;
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ReportRows::ColumnCount)
        return ReportRows::columnNames().at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString ReportTableModel::message(int row) const
{
    return row >= 0 && row < m_rowCount ? m_rows.value(row, ReportRows::Message).toString()
                                        : QString();
}

void ReportTableModel::resetRows()
{
    beginResetModel();
    m_rowCount = m_rows.recordCount();
    endResetModel();
}

void ReportTableModel::appendRows(int first, int last)
{
    if (first != m_rowCount || last < first) {
        resetRows();
        return;
    }
    beginInsertRows({}, first, last);
    m_rowCount = last + 1;
    endInsertRows();
}
