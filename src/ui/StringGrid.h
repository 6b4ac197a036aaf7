#pragma once

#include <QList>
#include <QString>
#include <QTableWidget>

// A grid of texts (TStringGrid) addressed as the designer does: row 0 is the
// fixed header row (shown as the column header), rows 1 and on are the body;
// the first fixedColumns columns are fixed and cannot be edited.
class StringGrid final : public QTableWidget {
    Q_OBJECT

public:
    explicit StringGrid(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(StringGrid)

    void setColumnWidths(const QList<int> &widths);
    int fixedColumns() const { return m_fixedColumns; }
    void setFixedColumns(int count);
    void setDefaultRowHeight(int height);

    // Rows including the header row.
    int gridRowCount() const { return rowCount() + 1; }
    void setGridRowCount(int rows);

    using QTableWidget::edit;
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private:
    QTableWidgetItem *ensureItem(int row, int column);
    void markFixedCells();

    int m_fixedColumns = 0;
};
