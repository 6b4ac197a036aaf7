#include "ui/ComponentFactory.h"

#include "ui/AutoSizeLabel.h"
#include "ui/ComponentInventory.h"
#include "ui/DataGrid.h"
#include "ui/FramedGroupBox.h"
#include "ui/ItemHeightDelegate.h"
#include "ui/StatusPanelBar.h"
#include "ui/StringGrid.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

using namespace Qt::StringLiterals;

QString text(QStringView view)
{
    return view.toString();
}

// Components that later work turns into real objects (sockets, database
// objects, file dialogs); until then a named stand-in holds their place.
bool isPlaceholderKind(QStringView kind)
{
    static const QStringView kinds[] = {u"TClientSocket", u"TADOConnection", u"TADOQuery",
                                        u"TDataSource",   u"TIdUDPServer",   u"TSaveDialog",
                                        u"TOpenDialog"};
    return std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds);
}

bool hasChildren(const ComponentSpec &design, std::span<const ComponentSpec> specs)
{
    return std::any_of(specs.begin(), specs.end(),
                       [&](const ComponentSpec &other) { return other.parent == design.name; });
}

void setTextColor(QWidget &widget, const QColor &color)
{
    // The disabled group keeps its greyed text.
    QPalette palette = widget.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::Text, color);
        palette.setColor(group, QPalette::ButtonText, color);
    }
    widget.setPalette(palette);
}

QFrame *createPanel(const ComponentSpec &design, QWidget *parent)
{
    auto *panel = new QFrame(parent);
    // A panel paints its whole area, so a panel in front hides the one behind.
    panel->setAutoFillBackground(true);
    if (design.settings & Setting::NoFrame)
        panel->setFrameStyle(QFrame::NoFrame);
    else if (design.settings & Setting::LoweredFrame)
        panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    else
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    return panel;
}

QLabel *createLabel(const ComponentSpec &design, QWidget *parent)
{
    auto *label = new AutoSizeLabel(text(design.caption), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    if (design.background) {
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(design.background));
        label->setPalette(palette);
    }
    return label;
}

QPushButton *createButton(const ComponentSpec &design, QWidget *parent)
{
    auto *button = new QPushButton(text(design.caption), parent);
    // Only the designated default button answers the Enter key.
    button->setAutoDefault(false);
    button->setDefault(design.settings.testFlag(Setting::DefaultButton));
    return button;
}

QLineEdit *createEdit(const ComponentSpec &design, QWidget *parent)
{
    auto *edit = new QLineEdit(text(design.caption), parent);
    if (design.maxLength > 0)
        edit->setMaxLength(design.maxLength);
    if (design.settings & Setting::NoFrame)
        edit->setFrame(false);
    if (design.settings & Setting::ParentColor) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

QComboBox *createComboBox(const ComponentSpec &design, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    if (design.settings & Setting::Editable) {
        combo->setEditable(true);
        // Typing neither completes from the list nor adds to it.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    return combo;
}

QListWidget *createListBox(const ComponentSpec &design, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    if (design.itemHeight > 0) {
        list->setUniformItemSizes(true);
        list->setItemDelegate(new ItemHeightDelegate(design.itemHeight, list));
    }
    return list;
}

QPlainTextEdit *createMemo(const ComponentSpec &design, QWidget *parent)
{
    auto *memo = new QPlainTextEdit(text(design.caption), parent);
    if (design.settings & Setting::VerticalScrollBar)
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setReadOnly(design.settings.testFlag(Setting::ReadOnly));
    return memo;
}

QCheckBox *createCheckBox(const ComponentSpec &design, QWidget *parent)
{
    auto *check = new QCheckBox(text(design.caption), parent);
    // The designer's box is 13 pixels with a 3-pixel gap; the designed widths
    // count on that ("All" needs all of 36 pixels, "Alle" all of 45).
    check->setStyleSheet(u"QCheckBox { spacing: 3px; } "
                         u"QCheckBox::indicator { width: 13px; height: 13px; }"_s);
    if (design.settings & Setting::CaptionLeft)
        check->setLayoutDirection(Qt::RightToLeft);
    return check;
}

QDateTimeEdit *createDatePicker(QWidget *parent)
{
    auto *picker = new QDateTimeEdit(parent);
    picker->setCalendarPopup(true);
    // Date sections only, in the system's short form.
    picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return picker;
}

DataGrid *createDataGrid(const ComponentSpec &design, QWidget *parent, const QFont &gridFont,
                         const QFont &windowFont)
{
    auto *grid = new DataGrid(parent);
    QList<DataGrid::Column> columns;
    if (design.grid) {
        for (const GridColumnSpec &column : design.grid->columns) {
            DataGrid::Column made{
                text(column.field),    text(column.title), column.width, column.cellAlignment,
                column.titleAlignment, std::nullopt,       gridFont};
            if (!column.cellFont.family.isEmpty())
                made.cellFont = ComponentFactory::fontFor(column.cellFont, windowFont);
            if (!column.titleFont.family.isEmpty())
                made.titleFont = ComponentFactory::fontFor(column.titleFont, windowFont);
            columns.append(made);
        }
    }
    grid->setColumns(columns);
    return grid;
}

StringGrid *createStringGrid(const ComponentSpec &design, QWidget *parent)
{
    auto *grid = new StringGrid(parent);
    if (design.grid) {
        QList<int> widths;
        for (const GridColumnSpec &column : design.grid->columns)
            widths.append(column.width);
        grid->setColumnWidths(widths);
        grid->setFixedColumns(design.grid->fixedColumns);
        grid->setDefaultRowHeight(design.grid->rowHeight);
        grid->setGridRowCount(design.grid->rowCount);
    }
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, Qt::white);
    grid->setPalette(palette);
    return grid;
}

StatusPanelBar *createStatusBar(const ComponentSpec &design, QWidget *parent)
{
    auto *bar = new StatusPanelBar(parent);
    bar->setPanelWidths(QList<int>(design.panelWidths.begin(), design.panelWidths.end()));
    return bar;
}

} // namespace

ComponentFactory::ComponentFactory(QWidget &window, QWidget &clientArea,
                                   ComponentInventory &inventory)
    : m_window(window)
    , m_clientArea(clientArea)
    , m_inventory(inventory)
{
}

QFont ComponentFactory::fontFor(const FontSpec &design, const QFont &windowFont)
{
    if (design.family.isEmpty())
        return windowFont;
    QFont font(text(design.family), design.pointSize);
    // Whole-pixel glyph advances, as the designer measured its captions.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setBold(design.bold);
    font.setUnderline(design.underline);
    return font;
}

QSize ComponentFactory::contentSize(std::span<const ComponentSpec> specs)
{
    QRect extent;
    for (const ComponentSpec &design : specs) {
        if (design.parent.isEmpty() && design.bounds.isValid())
            extent |= design.bounds;
    }
    return {extent.right() + 1, extent.bottom() + 1};
}

void ComponentFactory::build(std::span<const ComponentSpec> specs)
{
    for (const ComponentSpec &design : specs) {
        Q_ASSERT_X(!m_inventory.find(text(design.name)), "ComponentFactory::build",
                   "component names are unique within a window");
        QObject *object = create(design, specs);
        object->setObjectName(text(design.name));
        m_inventory.add(text(design.kind), object, text(design.hint));
    }
}

QObject *ComponentFactory::create(const ComponentSpec &design, std::span<const ComponentSpec> specs)
{
    if (design.kind == u"TMenuItem")
        return createMenuItem(design, specs);
    if (design.kind == u"TMainMenu") {
        if (auto *mainWindow = qobject_cast<QMainWindow *>(&m_window))
            return mainWindow->menuBar();
        return new QMenuBar(&m_window);
    }
    if (design.kind == u"TTimer" || isPlaceholderKind(design.kind))
        return createNonVisual(design);
    QWidget *widget = createWidget(design);
    applyCommon(*widget, design);
    // Where the installed face is wider than the designer's, a label grows
    // to show its whole caption; it never shrinks below its designed width.
    if (auto *label = qobject_cast<AutoSizeLabel *>(widget);
        label && label->captionWidth() > label->width())
        label->resize(label->captionWidth(), label->height());
    return widget;
}

QWidget *ComponentFactory::createWidget(const ComponentSpec &design)
{
    QWidget *parent = parentWidgetFor(design);
    const QFont windowFont = m_window.font();
    const QStringView kind = design.kind;
    if (kind == u"TPanel")
        return createPanel(design, parent);
    if (kind == u"TLabel")
        return createLabel(design, parent);
    if (kind == u"TButton")
        return createButton(design, parent);
    if (kind == u"TEdit")
        return createEdit(design, parent);
    if (kind == u"TComboBox")
        return createComboBox(design, parent);
    if (kind == u"TListBox")
        return createListBox(design, parent);
    if (kind == u"TMemo" || kind == u"TDBMemo")
        return createMemo(design, parent);
    if (kind == u"TCheckBox")
        return createCheckBox(design, parent);
    if (kind == u"TGroupBox")
        return new FramedGroupBox(text(design.caption), parent);
    if (kind == u"TDateTimePicker")
        return createDatePicker(parent);
    if (kind == u"TDBGrid")
        return createDataGrid(design, parent, fontFor(design.font, windowFont), windowFont);
    if (kind == u"TStringGrid")
        return createStringGrid(design, parent);
    if (kind == u"TStatusBar")
        return createStatusBar(design, parent);
    qFatal("No widget for component kind %s", qPrintable(text(kind)));
}

void ComponentFactory::applyCommon(QWidget &widget, const ComponentSpec &design)
{
    widget.setGeometry(design.bounds);
    widget.setFont(fontFor(design.font, m_window.font()));

    // A control without a colour of its own still shows black text inside a coloured parent.
    const QRgb inherited = m_textColors.value(text(design.parent), 0);
    const QRgb color = design.textColor ? design.textColor : (inherited ? qRgb(0, 0, 0) : 0);
    if (color)
        setTextColor(widget, QColor::fromRgb(color));
    if (design.textColor)
        m_textColors.insert(text(design.name), design.textColor);

    if (design.settings & Setting::Disabled)
        widget.setEnabled(false);
    if (design.settings & Setting::Hidden)
        widget.hide();
    if (design.settings & Setting::NotTabStop)
        widget.setFocusPolicy(Qt::ClickFocus);
    if (design.settings & Setting::HandCursor)
        widget.setCursor(Qt::PointingHandCursor);
}

QObject *ComponentFactory::createMenuItem(const ComponentSpec &design,
                                          std::span<const ComponentSpec> specs)
{
    QObject *parentObject = m_inventory.find(text(design.parent))
                                ? m_inventory.find(text(design.parent))->object.data()
                                : nullptr;
    QWidget *container = qobject_cast<QMenuBar *>(parentObject);
    if (!container) {
        auto *parentItem = qobject_cast<QAction *>(parentObject);
        container = parentItem ? parentItem->menu() : nullptr;
    }
    Q_ASSERT_X(container, "ComponentFactory::createMenuItem", "a menu item hangs under a menu");

    QAction *action = nullptr;
    if (hasChildren(design, specs)) {
        // An item with sub-items is a menu; its action stands for it in the inventory.
        auto *menu = new QMenu(text(design.caption), container);
        menu->setObjectName(text(design.name));
        action = menu->menuAction();
    } else {
        action = new QAction(text(design.caption), &m_window);
    }
    container->addAction(action);

    action->setCheckable(design.settings.testAnyFlags(Setting::Checkable | Setting::RadioItem));
    action->setChecked(design.settings.testFlag(Setting::Checked));
    if (design.settings & Setting::RadioItem) {
        QActionGroup *&group = m_radioGroups[container];
        if (!group)
            group = new QActionGroup(container);
        group->addAction(action);
    }
    return action;
}

QObject *ComponentFactory::createNonVisual(const ComponentSpec &design)
{
    if (design.kind == u"TTimer") {
        auto *timer = new QTimer(&m_window);
        timer->setInterval(design.interval);
        if (!(design.settings & Setting::Disabled))
            timer->start();
        return timer;
    }
    return new QObject(&m_window);
}

QWidget *ComponentFactory::parentWidgetFor(const ComponentSpec &design) const
{
    if (design.parent.isEmpty())
        return &m_clientArea;
    QWidget *parent = m_inventory.object<QWidget>(text(design.parent));
    Q_ASSERT_X(parent, "ComponentFactory::parentWidgetFor", "a parent precedes its children");
    return parent;
}
