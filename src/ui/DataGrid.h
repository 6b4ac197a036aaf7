#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QTableView>

#include <functional>
#include <optional>

class QAbstractItemModel;
class QIdentityProxyModel;

// A read-only grid over a query result (TDBGrid). The grid owns its columns
// (title, width, alignments, fonts) as the designer defined them; the data
// model only supplies rows, its columns matched to the grid's by position.
class DataGrid final : public QTableView {
    Q_OBJECT

public:
    struct Column {
        QString field;
        QString title;
        int width = 0;
        Qt::Alignment cellAlignment;
        Qt::Alignment titleAlignment;
        std::optional<QFont> cellFont; // none: the grid's own font
        QFont titleFont;
    };

    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;
    Q_DISABLE_COPY_MOVE(DataGrid)

    void setColumns(const QList<Column> &columns);
    qsizetype columnCount() const { return m_columns.size(); }
    const Column &column(int index) const { return m_columns.at(index); }
    QString columnTitle(int index) const;
    void setColumnTitle(int index, const QString &title);

    // The rows to show; nullptr returns to an empty grid. The grid does not
    // take ownership.
    void setDataModel(QAbstractItemModel *model);
    QAbstractItemModel *dataModel() const;

    // Called for every cell the grid paints, with the cell's column and text;
    // returns the text the cell shows.
    using DrawColumnCell = std::function<QString(int column, const QString &text)>;
    void setDrawColumnCell(DrawColumnCell draw);
    // The text a cell shows.
    QString shownText(const QModelIndex &index) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    static constexpr int RowPadding = 5;
    class CellDelegate;
    class ColumnsProxy;
    void applyColumnWidths();
    void resetEmptyModel();

    QList<Column> m_columns;
    ColumnsProxy *m_proxy;
    QAbstractItemModel *m_emptyModel = nullptr;
    DrawColumnCell m_drawColumnCell;
};
