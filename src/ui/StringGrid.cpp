#include "ui/StringGrid.h"

#include <QHeaderView>

StringGrid::StringGrid(QWidget *parent)
    : QTableWidget(parent)
{
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
}

void StringGrid::setColumnWidths(const QList<int> &widths)
{
    setColumnCount(static_cast<int>(widths.size()));
    for (int column = 0; column < widths.size(); ++column) {
        // Without header items the header would number the columns.
        if (!horizontalHeaderItem(column))
            setHorizontalHeaderItem(column, new QTableWidgetItem);
        setColumnWidth(column, widths.at(column));
    }
    markFixedCells();
}

void StringGrid::setFixedColumns(int count)
{
    m_fixedColumns = count;
    markFixedCells();
}

void StringGrid::setDefaultRowHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setFixedHeight(height);
}

void StringGrid::setGridRowCount(int rows)
{
    setRowCount(qMax(0, rows - 1));
    markFixedCells();
}

QString StringGrid::cell(int column, int row) const
{
    const QTableWidgetItem *item =
        row == 0 ? horizontalHeaderItem(column) : this->item(row - 1, column);
    return item ? item->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString &text)
{
    if (column < 0 || column >= columnCount() || row < 0 || row >= gridRowCount())
        return;
    if (row == 0) {
        if (!horizontalHeaderItem(column))
            setHorizontalHeaderItem(column, new QTableWidgetItem);
        horizontalHeaderItem(column)->setText(text);
        return;
    }
    ensureItem(row - 1, column)->setText(text);
}

bool StringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (index.column() < m_fixedColumns)
        return false;
    return QTableWidget::edit(index, trigger, event);
}

QTableWidgetItem *StringGrid::ensureItem(int row, int column)
{
    QTableWidgetItem *existing = item(row, column);
    if (existing)
        return existing;
    auto *created = new QTableWidgetItem;
    if (column < m_fixedColumns) {
        created->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        created->setBackground(palette().button());
    }
    setItem(row, column, created);
    return created;
}

void StringGrid::markFixedCells()
{
    const int fixed = qMin(m_fixedColumns, columnCount());
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < fixed; ++column)
            ensureItem(row, column);
    }
}
