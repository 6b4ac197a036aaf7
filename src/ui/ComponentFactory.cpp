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

bool hasChildren(const ComponentSpec &spec, std::span<const ComponentSpec> specs)
{
    return std::any_of(specs.begin(), specs.end(),
                       [&](const ComponentSpec &other) { return other.parent == spec.name; });
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

QFrame *createPanel(const ComponentSpec &spec, QWidget *parent)
{
    auto *panel = new QFrame(parent);
    // A panel paints its whole area, so a panel in front hides the one behind.
    panel->setAutoFillBackground(true);
    if (spec.settings & Setting::NoFrame)
        panel->setFrameStyle(QFrame::NoFrame);
    else if (spec.settings & Setting::LoweredFrame)
        panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    else
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    return panel;
}

QLabel *createLabel(const ComponentSpec &spec, QWidget *parent)
{
    auto *label = new AutoSizeLabel(text(spec.caption), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    if (spec.background) {
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(spec.background));
        label->setPalette(palette);
    }
    return label;
}

QPushButton *createButton(const ComponentSpec &spec, QWidget *parent)
{
    auto *button = new QPushButton(text(spec.caption), parent);
    // Only the designated default button answers the Enter key.
    button->setAutoDefault(false);
    button->setDefault(spec.settings.testFlag(Setting::DefaultButton));
    return button;
}

QLineEdit *createEdit(const ComponentSpec &spec, QWidget *parent)
{
    auto *edit = new QLineEdit(text(spec.caption), parent);
    if (spec.maxLength > 0)
        edit->setMaxLength(spec.maxLength);
    if (spec.settings & Setting::NoFrame)
        edit->setFrame(false);
    if (spec.settings & Setting::ParentColor) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

QComboBox *createComboBox(const ComponentSpec &spec, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    if (spec.settings & Setting::Editable) {
        combo->setEditable(true);
        // Typing neither completes from the list nor adds to it.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    return combo;
}

QListWidget *createListBox(const ComponentSpec &spec, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    if (spec.itemHeight > 0) {
        list->setUniformItemSizes(true);
        list->setItemDelegate(new ItemHeightDelegate(spec.itemHeight, list));
    }
    return list;
}

QPlainTextEdit *createMemo(const ComponentSpec &spec, QWidget *parent)
{
    auto *memo = new QPlainTextEdit(text(spec.caption), parent);
    if (spec.settings & Setting::VerticalScrollBar)
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setReadOnly(spec.settings.testFlag(Setting::ReadOnly));
    return memo;
}

QCheckBox *createCheckBox(const ComponentSpec &spec, QWidget *parent)
{
    auto *check = new QCheckBox(text(spec.caption), parent);
    // The designer's box is 13 pixels with a 4-pixel gap; the designed widths count on that.
    check->setStyleSheet(u"QCheckBox { spacing: 4px; } "
                         u"QCheckBox::indicator { width: 13px; height: 13px; }"_s);
    if (spec.settings & Setting::CaptionLeft)
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

DataGrid *createDataGrid(const ComponentSpec &spec, QWidget *parent, const QFont &gridFont,
                         const QFont &windowFont)
{
    auto *grid = new DataGrid(parent);
    QList<DataGrid::Column> columns;
    if (spec.grid) {
        for (const GridColumnSpec &column : spec.grid->columns) {
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

StringGrid *createStringGrid(const ComponentSpec &spec, QWidget *parent)
{
    auto *grid = new StringGrid(parent);
    if (spec.grid) {
        QList<int> widths;
        for (const GridColumnSpec &column : spec.grid->columns)
            widths.append(column.width);
        grid->setColumnWidths(widths);
        grid->setFixedColumns(spec.grid->fixedColumns);
        grid->setDefaultRowHeight(spec.grid->rowHeight);
        grid->setGridRowCount(spec.grid->rowCount);
    }
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, Qt::white);
    grid->setPalette(palette);
    return grid;
}

StatusPanelBar *createStatusBar(const ComponentSpec &spec, QWidget *parent)
{
    auto *bar = new StatusPanelBar(parent);
    bar->setPanelWidths(QList<int>(spec.panelWidths.begin(), spec.panelWidths.end()));
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

QFont ComponentFactory::fontFor(const FontSpec &spec, const QFont &windowFont)
{
    if (spec.family.isEmpty())
        return windowFont;
    QFont font(text(spec.family), spec.pointSize);
    // Whole-pixel glyph advances, as the designer measured its captions.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setBold(spec.bold);
    font.setUnderline(spec.underline);
    return font;
}

QSize ComponentFactory::contentSize(std::span<const ComponentSpec> specs)
{
    QRect extent;
    for (const ComponentSpec &spec : specs) {
        if (spec.parent.isEmpty() && spec.bounds.isValid())
            extent |= spec.bounds;
    }
    return {extent.right() + 1, extent.bottom() + 1};
}

void ComponentFactory::build(std::span<const ComponentSpec> specs)
{
    for (const ComponentSpec &spec : specs) {
        Q_ASSERT_X(!m_inventory.find(text(spec.name)), "ComponentFactory::build",
                   "component names are unique within a window");
        QObject *object = create(spec, specs);
        object->setObjectName(text(spec.name));
        m_inventory.add(text(spec.kind), object, text(spec.hint));
    }
}

QObject *ComponentFactory::create(const ComponentSpec &spec, std::span<const ComponentSpec> specs)
{
    if (spec.kind == u"TMenuItem")
        return createMenuItem(spec, specs);
    if (spec.kind == u"TMainMenu") {
        if (auto *mainWindow = qobject_cast<QMainWindow *>(&m_window))
            return mainWindow->menuBar();
        return new QMenuBar(&m_window);
    }
    if (spec.kind == u"TTimer" || isPlaceholderKind(spec.kind))
        return createNonVisual(spec);
    QWidget *widget = createWidget(spec);
    applyCommon(*widget, spec);
    // Where the installed face is wider than the designer's, a label grows
    // to show its whole caption; it never shrinks below its designed width.
    if (auto *label = qobject_cast<AutoSizeLabel *>(widget);
        label && label->captionWidth() > label->width())
        label->resize(label->captionWidth(), label->height());
    return widget;
}

QWidget *ComponentFactory::createWidget(const ComponentSpec &spec)
{
    QWidget *parent = parentWidgetFor(spec);
    const QFont windowFont = m_window.font();
    const QStringView kind = spec.kind;
    if (kind == u"TPanel")
        return createPanel(spec, parent);
    if (kind == u"TLabel")
        return createLabel(spec, parent);
    if (kind == u"TButton")
        return createButton(spec, parent);
    if (kind == u"TEdit")
        return createEdit(spec, parent);
    if (kind == u"TComboBox")
        return createComboBox(spec, parent);
    if (kind == u"TListBox")
        return createListBox(spec, parent);
    if (kind == u"TMemo" || kind == u"TDBMemo")
        return createMemo(spec, parent);
    if (kind == u"TCheckBox")
        return createCheckBox(spec, parent);
    if (kind == u"TGroupBox")
        return new FramedGroupBox(text(spec.caption), parent);
    if (kind == u"TDateTimePicker")
        return createDatePicker(parent);
    if (kind == u"TDBGrid")
        return createDataGrid(spec, parent, fontFor(spec.font, windowFont), windowFont);
    if (kind == u"TStringGrid")
        return createStringGrid(spec, parent);
    if (kind == u"TStatusBar")
        return createStatusBar(spec, parent);
    qFatal("No widget for component kind %s", qPrintable(text(kind)));
}

void ComponentFactory::applyCommon(QWidget &widget, const ComponentSpec &spec)
{
    widget.setGeometry(spec.bounds);
    widget.setFont(fontFor(spec.font, m_window.font()));

    // A control without a colour of its own still shows black text inside a coloured parent.
    const QRgb inherited = m_textColors.value(text(spec.parent), 0);
    const QRgb color = spec.textColor ? spec.textColor : (inherited ? qRgb(0, 0, 0) : 0);
    if (color)
        setTextColor(widget, QColor::fromRgb(color));
    if (spec.textColor)
        m_textColors.insert(text(spec.name), spec.textColor);

    if (spec.settings & Setting::Disabled)
        widget.setEnabled(false);
    if (spec.settings & Setting::Hidden)
        widget.hide();
    if (spec.settings & Setting::NotTabStop)
        widget.setFocusPolicy(Qt::ClickFocus);
    if (spec.settings & Setting::HandCursor)
        widget.setCursor(Qt::PointingHandCursor);
}

QObject *ComponentFactory::createMenuItem(const ComponentSpec &spec,
                                          std::span<const ComponentSpec> specs)
{
    QObject *parentObject = m_inventory.find(text(spec.parent))
                                ? m_inventory.find(text(spec.parent))->object.data()
                                : nullptr;
    QWidget *container = qobject_cast<QMenuBar *>(parentObject);
    if (!container) {
        auto *parentItem = qobject_cast<QAction *>(parentObject);
        container = parentItem ? parentItem->menu() : nullptr;
    }
    Q_ASSERT_X(container, "ComponentFactory::createMenuItem", "a menu item hangs under a menu");

    QAction *action = nullptr;
    if (hasChildren(spec, specs)) {
        // An item with sub-items is a menu; its action stands for it in the inventory.
        auto *menu = new QMenu(text(spec.caption), container);
        menu->setObjectName(text(spec.name));
        action = menu->menuAction();
    } else {
        action = new QAction(text(spec.caption), &m_window);
    }
    container->addAction(action);

    action->setCheckable(spec.settings.testAnyFlags(Setting::Checkable | Setting::RadioItem));
    action->setChecked(spec.settings.testFlag(Setting::Checked));
    if (spec.settings & Setting::RadioItem) {
        QActionGroup *&group = m_radioGroups[container];
        if (!group)
            group = new QActionGroup(container);
        group->addAction(action);
    }
    return action;
}

QObject *ComponentFactory::createNonVisual(const ComponentSpec &spec)
{
    if (spec.kind == u"TTimer") {
        auto *timer = new QTimer(&m_window);
        timer->setInterval(spec.interval);
        if (!(spec.settings & Setting::Disabled))
            timer->start();
        return timer;
    }
    return new QObject(&m_window);
}

QWidget *ComponentFactory::parentWidgetFor(const ComponentSpec &spec) const
{
    if (spec.parent.isEmpty())
        return &m_clientArea;
    QWidget *parent = m_inventory.object<QWidget>(text(spec.parent));
    Q_ASSERT_X(parent, "ComponentFactory::parentWidgetFor", "a parent precedes its children");
    return parent;
}
