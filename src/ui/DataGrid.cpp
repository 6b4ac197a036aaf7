#include "ui/DataGrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

// Draws each cell with the text the grid's owner gives it.
class DataGrid::CellDelegate final : public QStyledItemDelegate {
public:
    CellDelegate(const DataGrid &grid, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_grid(grid)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_grid.m_drawColumnCell)
            option->text = m_grid.shownText(index);
    }

private:
    const DataGrid &m_grid;
};

// Puts the grid's own titles, alignments and fonts over whatever model
// supplies the rows.
class DataGrid::ColumnsProxy final : public QIdentityProxyModel {
public:
    ColumnsProxy(const DataGrid &grid, QObject *parent)
        : QIdentityProxyModel(parent)
        , m_grid(grid)
    {
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_grid.columnCount())
            return QIdentityProxyModel::headerData(section, orientation, role);
        const Column &column = m_grid.column(section);
        switch (role) {
        case Qt::DisplayRole:
            return column.title;
        case Qt::TextAlignmentRole:
            return column.titleAlignment.toInt();
        case Qt::FontRole:
            return column.titleFont;
        default:
            return QIdentityProxyModel::headerData(section, orientation, role);
        }
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const int section = index.column();
        if (section >= 0 && section < m_grid.columnCount()) {
            if (role == Qt::TextAlignmentRole)
                return m_grid.column(section).cellAlignment.toInt();
            if (role == Qt::FontRole && m_grid.column(section).cellFont)
                return *m_grid.column(section).cellFont;
        }
        return QIdentityProxyModel::data(index, role);
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return QIdentityProxyModel::flags(index) & ~Qt::ItemIsEditable;
    }

    void titleChanged(int section) { Q_EMIT headerDataChanged(Qt::Horizontal, section, section); }

private:
    const DataGrid &m_grid;
};

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent)
    , m_proxy(new ColumnsProxy(*this, this))
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    // Rows of one height: the grid need not measure a long report's rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setItemDelegate(new CellDelegate(*this, this));
    setModel(m_proxy);
    // A new or reset model brings default section sizes; the designed widths win.
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &DataGrid::applyColumnWidths);
    connect(m_proxy, &QAbstractItemModel::columnsInserted, this, &DataGrid::applyColumnWidths);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, &DataGrid::applyColumnWidths);
}

DataGrid::~DataGrid()
{
    // The proxy must not reach back into a grid that is being torn down.
    m_proxy->setSourceModel(nullptr);
}

void DataGrid::setColumns(const QList<Column> &columns)
{
    m_columns = columns;
    if (!columns.isEmpty())
        horizontalHeader()->setFont(columns.constFirst().titleFont);
    if (!m_emptyModel || m_proxy->sourceModel() == m_emptyModel)
        resetEmptyModel();
    applyColumnWidths();
}

QString DataGrid::columnTitle(int index) const
{
    return index >= 0 && index < m_columns.size() ? m_columns.at(index).title : QString();
}

void DataGrid::setColumnTitle(int index, const QString &title)
{
    if (index < 0 || index >= m_columns.size())
        return;
    m_columns[index].title = title;
    m_proxy->titleChanged(index);
}

void DataGrid::setDataModel(QAbstractItemModel *model)
{
    if (model) {
        m_proxy->setSourceModel(model);
        applyColumnWidths();
    } else {
        resetEmptyModel();
    }
}

QAbstractItemModel *DataGrid::dataModel() const
{
    QAbstractItemModel *source = m_proxy->sourceModel();
    return source == m_emptyModel ? nullptr : source;
}

void DataGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    // Rows as high as a line of the grid's font, as the designer drew them.
    if (event->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + RowPadding);
}

void DataGrid::setDrawColumnCell(DrawColumnCell draw)
{
    m_drawColumnCell = std::move(draw);
    viewport()->update();
}

QString DataGrid::shownText(const QModelIndex &index) const
{
    const QString text = index.data().toString();
    return m_drawColumnCell ? m_drawColumnCell(index.column(), text) : text;
}

void DataGrid::resetEmptyModel()
{
    // An empty model with the grid's columns, so the titles show before any query.
    auto *empty = new QStandardItemModel(0, static_cast<int>(m_columns.size()), this);
    m_proxy->setSourceModel(empty);
    delete m_emptyModel;
    m_emptyModel = empty;
    applyColumnWidths();
}

void DataGrid::applyColumnWidths()
{
    for (int i = 0; i < m_columns.size(); ++i)
        horizontalHeader()->resizeSection(i, m_columns.at(i).width);
}
