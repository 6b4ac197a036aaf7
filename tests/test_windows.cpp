// The four windows as designed: component order, kinds, parents, bounds and
// fonts, the settings that change behaviour, the status bar and its clock.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "ui/AutoSizeLabel.h"
#include "ui/ClientWindows.h"
#include "ui/DataGrid.h"
#include "ui/DesignFonts.h"
#include "ui/ItemHeightDelegate.h"
#include "ui/StatusPanelBar.h"
#include "ui/StringGrid.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QStringList names(const QList<QAction *> &actions)
{
    QStringList result;
    for (const QAction *action : actions)
        result.append(action->objectName());
    return result;
}

int itemHeight(const QListWidget *list)
{
    const auto *delegate = qobject_cast<const ItemHeightDelegate *>(list->itemDelegate());
    return delegate ? delegate->height() : 0;
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private:
    RecordingMessenger m_messenger;
    ManualClock m_clock;
    std::unique_ptr<ClientWindows> m_windows;

    const DesignedWindow &designed(const QString &window) const
    {
        if (window == u"AboutBox"_s)
            return m_windows->AboutBox;
        if (window == u"fmRegSer"_s)
            return m_windows->fmRegSer;
        if (window == u"frmLang"_s)
            return m_windows->frmLang;
        return m_windows->Form1;
    }
    QWidget *widgetOf(const QString &window) const
    {
        if (window == u"AboutBox"_s)
            return &m_windows->AboutBox;
        if (window == u"fmRegSer"_s)
            return &m_windows->fmRegSer;
        if (window == u"frmLang"_s)
            return &m_windows->frmLang;
        return &m_windows->Form1;
    }
    // Where the controls without a parent of their own sit.
    QWidget *clientArea(const QString &window) const
    {
        if (window == u"Form1"_s)
            return m_windows->Form1.centralWidget();
        return widgetOf(window);
    }
    template <typename T> T *form1(const QString &name) const
    {
        T *found = m_windows->Form1.component<T>(name);
        Q_ASSERT(found);
        return found;
    }

private Q_SLOTS:
    void initTestCase()
    {
        installDesignFontSubstitutions();
        m_windows = std::make_unique<ClientWindows>(m_messenger, m_clock);
    }
    void cleanupTestCase() { m_windows.reset(); }

    void designedComponents_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("previous"); // the component just before; empty: the first
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent"); // empty: the window's client area
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("bold");

        auto row = [](const char *window, const char *previous, const char *kind, const char *name,
                      const char *parent, QRect bounds, const char *family, int size, bool bold) {
            QTest::addRow("%s.%s", window, name)
                << QString::fromLatin1(window) << QString::fromLatin1(previous)
                << QString::fromLatin1(kind) << QString::fromLatin1(name)
                << QString::fromLatin1(parent) << bounds << QString::fromLatin1(family) << size
                << bold;
        };
        // clang-format off
        row("Form1", "", "TPanel", "panQuery", "", {0, 0, 700, 577}, "MS Sans Serif", 8, false);
        row("Form1", "panQuery", "TLabel", "Label9", "panQuery", {289, 21, 71, 18}, "Arial", 12, false);
        row("Form1", "btnQuery", "TDBGrid", "DBGrid3", "panQuery", {1, 64, 698, 385}, "Courier New", 10, false);
        row("Form1", "DBGrid3", "TDateTimePicker", "EndDatePicker", "panQuery", {370, 17, 135, 26}, "Arial", 12, false);
        row("Form1", "StartDatePicker", "TDBMemo", "DBMemo3", "panQuery", {1, 483, 698, 93}, "Courier New", 10, false);
        row("Form1", "DBMemo3", "TPanel", "panSend", "", {0, 0, 700, 577}, "MS Sans Serif", 8, false);
        row("Form1", "Panel3", "TGroupBox", "GroupBox1", "Panel3", {11, 8, 670, 240}, "Arial", 12, true);
        row("Form1", "cboRecpt", "TComboBox", "cboGroupList", "GroupBox1", {367, 28, 200, 24}, "Courier New", 10, false);
        row("Form1", "cboGroupList", "TCheckBox", "chkGroupAll", "GroupBox1", {580, 32, 36, 17}, "Arial", 12, true);
        // A button without a font of its own has the window's, not its group box's.
        row("Form1", "GroupBox4", "TButton", "Button1", "GroupBox4", {368, 18, 80, 22}, "MS Sans Serif", 8, false);
        row("Form1", "Button2", "TListBox", "lstRecpt", "GroupBox4", {15, 41, 610, 110}, "Courier New", 10, false);
        row("Form1", "Label1", "TComboBox", "cboPreMsg", "pnlPreMsg", {112, 42, 428, 24}, "Courier New", 10, false);
        row("Form1", "edtSender", "TGroupBox", "GroupBox3", "GroupBox2", {15, 100, 640, 150}, "Arial", 10, true);
        row("Form1", "Label3", "TLabel", "lblLength", "GroupBox3", {424, 18, 14, 16}, "Arial", 10, true);
        row("Form1", "lblLength", "TMemo", "memMsg", "GroupBox3", {15, 38, 610, 100}, "Courier New", 10, false);
        row("Form1", "Button3", "TPanel", "Panel2", "panSend", {1, 1, 698, 50}, "MS Sans Serif", 8, false);
        row("Form1", "Panel2", "TButton", "btnSend", "Panel2", {16, 8, 70, 40}, "Arial", 12, true);
        row("Form1", "btnExit", "TListBox", "listType", "Panel2", {489, 8, 121, 40}, "Arial", 8, false);
        row("Form1", "listType", "TEdit", "edtNull", "", {309, 179, 1, 1}, "MS Sans Serif", 8, false);
        row("Form1", "edtNull", "TStatusBar", "StatusBar1", "", {0, 577, 698, 24}, "Verdana", 8, false);
        row("AboutBox", "", "TPanel", "Panel1", "", {0, 0, 310, 180}, "MS Sans Serif", 8, false);
        row("AboutBox", "ProductName", "TLabel", "Version", "Panel1", {81, 48, 175, 15}, "Courier New", 9, false);
        row("AboutBox", "Version", "TLabel", "Copyright", "Panel1", {29, 96, 252, 16}, "Arial", 10, false);
        row("AboutBox", "Label1", "TButton", "OKButton", "", {118, 180, 75, 25}, "MS Sans Serif", 8, false);
        row("fmRegSer", "Panel1", "TButton", "btnRecpt", "Panel1", {181, 231, 140, 33}, "Arial", 12, true);
        row("fmRegSer", "btnReg", "TGroupBox", "GroupBox1", "Panel1", {15, 10, 340, 205}, "Arial", 12, true);
        row("fmRegSer", "Label3", "TLabel", "lblVer", "GroupBox1", {145, 165, 70, 18}, "Courier New", 12, true);
        row("fmRegSer", "edtPort", "TEdit", "edtClientID", "GroupBox1", {99, 117, 160, 25}, "Courier New", 11, false);
        row("fmRegSer", "edtClientID", "TEdit", "edtNull", "GroupBox1", {296, 72, 1, 1}, "MS Sans Serif", 8, false);
        row("frmLang", "", "TStringGrid", "StringGrid1", "", {10, 41, 742, 405}, "Tahoma", 9, false);
        row("frmLang", "StringGrid1", "TPanel", "Panel1", "", {16, 1, 729, 35}, "MS Sans Serif", 8, false);
        row("frmLang", "btnSave", "TButton", "btnLoadDef", "Panel1", {120, 5, 137, 24}, "Tahoma", 9, true);
        // clang-format on
    }
    void designedComponents()
    {
        QFETCH(QString, window);
        QFETCH(QString, previous);
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, bounds);
        QFETCH(QString, family);
        QFETCH(int, pointSize);
        QFETCH(bool, bold);

        const ComponentInventory &inventory = designed(window).inventory();
        const qsizetype index = inventory.indexOf(name);
        QVERIFY(index >= 0);
        QCOMPARE(index, previous.isEmpty() ? 0 : inventory.indexOf(previous) + 1);
        const Component &component = inventory.components().at(index);
        QCOMPARE(component.kind, kind);
        QCOMPARE(component.name, name);

        auto *widget = qobject_cast<QWidget *>(component.object.data());
        QVERIFY(widget);
        QCOMPARE(widget->objectName(), name);
        if (parent.isEmpty())
            QCOMPARE(widget->parentWidget(), clientArea(window));
        else
            QCOMPARE(widget->parentWidget(), designed(window).component<QWidget>(parent));
        if (kind == u"TLabel"_s) {
            // A label may only have grown to show its caption in the installed face.
            QCOMPARE(widget->geometry().topLeft(), bounds.topLeft());
            QCOMPARE(widget->height(), bounds.height());
            QVERIFY(widget->width() >= bounds.width());
        } else {
            QCOMPARE(widget->geometry(), bounds);
        }
        QCOMPARE(widget->font().family(), family);
        QCOMPARE(widget->font().pointSize(), pointSize);
        QCOMPARE(widget->font().bold(), bold);
    }

    void everyComponentPrecedesNothingItOwns()
    {
        for (const QString &window : {u"Form1"_s, u"AboutBox"_s, u"fmRegSer"_s, u"frmLang"_s}) {
            const ComponentInventory &inventory = designed(window).inventory();
            for (qsizetype i = 0; i < inventory.components().size(); ++i) {
                const Component &component = inventory.components().at(i);
                QVERIFY2(component.object, qPrintable(window + u'.' + component.name));
                QCOMPARE(inventory.indexOf(component.name), i); // names are unique
                auto *widget = qobject_cast<QWidget *>(component.object.data());
                if (!widget || widget->parentWidget() == clientArea(window))
                    continue;
                QVERIFY2(inventory.indexOf(widget->parentWidget()->objectName()) < i,
                         qPrintable(window + u'.' + component.name));
            }
        }
    }

    void labelsShowTheirWholeCaption()
    {
        for (const QString &window : {u"Form1"_s, u"AboutBox"_s, u"fmRegSer"_s}) {
            for (const Component &component : designed(window).inventory().components()) {
                if (auto *label = qobject_cast<AutoSizeLabel *>(component.object.data()))
                    QVERIFY2(label->width() >= label->captionWidth(),
                             qPrintable(window + u'.' + component.name));
            }
        }
        // Its caption is wider in the installed face than the designer measured it.
        const auto *label = m_windows->fmRegSer.component<AutoSizeLabel>(u"Label3"_s);
        QVERIFY(label->width() > 125);
    }

    void menuThenNonVisualComponentsCloseTheMainWindow()
    {
        const QList<Component> &components = m_windows->Form1.inventory().components();
        const qsizetype statusBar = m_windows->Form1.inventory().indexOf(u"StatusBar1"_s);
        QStringList tail;
        QStringList tailKinds;
        for (qsizetype i = statusBar + 1; i < components.size(); ++i) {
            tail.append(components.at(i).name);
            tailKinds.append(components.at(i).kind);
        }
        const QStringList expected{
            u"MainMenu1"_s, u"Quorvel1"_s,    u"SettSetting1"_s,    u"View1"_s,
            u"Query1"_s,    u"Tool1"_s,       u"SelectLanguage1"_s, u"mnuEnglish"_s,
            u"mnuGerman"_s, u"mnuDutch"_s,    u"mnuItalian"_s,      u"EditLanguageFile1"_s,
            u"Help1"_s,     u"About1"_s,      u"ClientSocket"_s,    u"ADOConnection1"_s,
            u"ADOQuery2"_s, u"DataSource1"_s, u"adoQClientID"_s,    u"IdUDPServer1"_s,
            u"ADOQuery3"_s, u"DataSource2"_s, u"adoQReport"_s,      u"Timer1"_s,
            u"Timer2"_s,    u"TMClose"_s};
        QCOMPARE(tail, expected);
        QStringList expectedKinds{u"TMainMenu"_s};
        for (int i = 0; i < 13; ++i)
            expectedKinds.append(u"TMenuItem"_s);
        expectedKinds << u"TClientSocket"_s << u"TADOConnection"_s << u"TADOQuery"_s
                      << u"TDataSource"_s << u"TADOQuery"_s << u"TIdUDPServer"_s << u"TADOQuery"_s
                      << u"TDataSource"_s << u"TADOQuery"_s << u"TTimer"_s << u"TTimer"_s
                      << u"TTimer"_s;
        QCOMPARE(tailKinds, expectedKinds);
        // Everything before the status bar is a control.
        for (qsizetype i = 0; i < statusBar; ++i)
            QVERIFY(qobject_cast<QWidget *>(components.at(i).object.data()));

        const ComponentInventory &editor = m_windows->frmLang.inventory();
        QCOMPARE(editor.components().at(editor.components().size() - 2).kind, u"TSaveDialog"_s);
        QCOMPARE(editor.components().constLast().kind, u"TOpenDialog"_s);
    }

    void hintsAreEmptyButTheCounters()
    {
        for (const QString &window : {u"Form1"_s, u"AboutBox"_s, u"fmRegSer"_s, u"frmLang"_s}) {
            for (const Component &component : designed(window).inventory().components()) {
                const bool counter = window == u"Form1"_s && component.name == u"lblLength"_s;
                QCOMPARE(component.hint, counter ? u"NULL"_s : QString());
            }
        }
    }

    void mainMenu()
    {
        QMenuBar *bar = m_windows->Form1.menuBar();
        QCOMPARE(m_windows->Form1.component<QMenuBar>(u"MainMenu1"_s), bar);
        QCOMPARE(names(bar->actions()), (QStringList{u"Quorvel1"_s, u"SettSetting1"_s, u"View1"_s,
                                                     u"Tool1"_s, u"Help1"_s}));
        auto menuOf = [this](const QString &item) { return form1<QAction>(item)->menu(); };
        QCOMPARE(names(menuOf(u"View1"_s)->actions()), QStringList{u"Query1"_s});
        QCOMPARE(names(menuOf(u"Tool1"_s)->actions()),
                 (QStringList{u"SelectLanguage1"_s, u"EditLanguageFile1"_s}));
        QCOMPARE(names(menuOf(u"SelectLanguage1"_s)->actions()),
                 (QStringList{u"mnuEnglish"_s, u"mnuGerman"_s, u"mnuDutch"_s, u"mnuItalian"_s}));
        QCOMPARE(names(menuOf(u"Help1"_s)->actions()), QStringList{u"About1"_s});
        QCOMPARE(form1<QAction>(u"SelectLanguage1"_s)->text(), u"Select Language"_s);
        QCOMPARE(form1<QAction>(u"EditLanguageFile1"_s)->text(), u"Edit Language File"_s);

        QVERIFY(form1<QAction>(u"mnuEnglish"_s)->isChecked());
        QActionGroup *group = form1<QAction>(u"mnuEnglish"_s)->actionGroup();
        QVERIFY(group && group->isExclusive());
        QCOMPARE(group->actions().size(), 4);
        form1<QAction>(u"mnuDutch"_s)->trigger();
        QVERIFY(form1<QAction>(u"mnuDutch"_s)->isChecked());
        QVERIFY(!form1<QAction>(u"mnuEnglish"_s)->isChecked());
        form1<QAction>(u"mnuEnglish"_s)->trigger();
        QVERIFY(!form1<QAction>(u"Quorvel1"_s)->isCheckable());
    }

    void behaviourSettings()
    {
        QCOMPARE(form1<QLineEdit>(u"edtSender"_s)->maxLength(), 12);
        QCOMPARE(m_windows->fmRegSer.component<QLineEdit>(u"edtClientID"_s)->maxLength(), 12);
        QVERIFY(!form1<QPushButton>(u"btnSend"_s)->isEnabled());
        QVERIFY(form1<QPushButton>(u"btnExit"_s)->isEnabled());
        QVERIFY(!m_windows->fmRegSer.component<QPushButton>(u"btnRecpt"_s)->isEnabled());
        QVERIFY(form1<QListWidget>(u"listType"_s)->isHidden());
        QVERIFY(!form1<QListWidget>(u"lstRecpt"_s)->isHidden());

        auto *recipients = form1<QComboBox>(u"cboRecpt"_s);
        QVERIFY(recipients->isEditable());
        QVERIFY(!recipients->completer());
        QCOMPARE(recipients->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(!form1<QComboBox>(u"cboGroupList"_s)->isEditable());
        QVERIFY(!form1<QComboBox>(u"cboPreMsg"_s)->isEditable());

        QCOMPARE(form1<QCheckBox>(u"chkGroupAll"_s)->layoutDirection(), Qt::RightToLeft);
        QVERIFY(!form1<QLineEdit>(u"edtNull"_s)->hasFrame());
        QCOMPARE(form1<QPlainTextEdit>(u"memMsg"_s)->verticalScrollBarPolicy(),
                 Qt::ScrollBarAlwaysOn);
        QVERIFY(form1<QPlainTextEdit>(u"DBMemo3"_s)->isReadOnly());
        QVERIFY(!form1<QPlainTextEdit>(u"memMsg"_s)->isReadOnly());
        QCOMPARE(itemHeight(form1<QListWidget>(u"lstRecpt"_s)), 16);
        QCOMPARE(itemHeight(form1<QListWidget>(u"listType"_s)), 14);
        QVERIFY(form1<QDateTimeEdit>(u"StartDatePicker"_s)->calendarPopup());
        QCOMPARE(form1<QDateTimeEdit>(u"StartDatePicker"_s)->date(), QDate(2014, 1, 21));
        QCOMPARE(form1<QDateTimeEdit>(u"EndDatePicker"_s)->displayedSections() &
                     QDateTimeEdit::TimeSections_Mask,
                 0);
        for (const QString &name : {u"txtIP"_s, u"edtPort"_s, u"edtClientID"_s}) {
            const auto *edit = m_windows->fmRegSer.component<QLineEdit>(name);
            QVERIFY2(!(edit->focusPolicy() & Qt::TabFocus), qPrintable(name));
        }
        QVERIFY(m_windows->AboutBox.component<QPushButton>(u"OKButton"_s)->isDefault());
        QVERIFY(!form1<QPushButton>(u"btnExit"_s)->autoDefault());
    }

    void timers()
    {
        const auto *clock = form1<QTimer>(u"Timer2"_s);
        QVERIFY(clock->isActive());
        QCOMPARE(clock->interval(), 1000);
        QVERIFY(!form1<QTimer>(u"Timer1"_s)->isActive());
        QVERIFY(!form1<QTimer>(u"TMClose"_s)->isActive());
        QCOMPARE(form1<QTimer>(u"TMClose"_s)->interval(), 1000);
    }

    void placeholdersStandInForLaterObjects()
    {
        for (const QString &name :
             {u"ClientSocket"_s, u"ADOConnection1"_s, u"adoQReport"_s, u"DataSource2"_s}) {
            QObject *placeholder = form1<QObject>(name);
            QCOMPARE(placeholder->objectName(), name);
            QCOMPARE(placeholder->parent(), &m_windows->Form1);
        }
        // Discovery answers from the start: the session's responder is in place at once.
        QCOMPARE(form1<QObject>(u"IdUDPServer1"_s), &m_windows->session.discovery());

        ComponentInventory inventory;
        QObject owner;
        for (const QString &name : {u"before"_s, u"socket"_s, u"after"_s}) {
            auto *object = new QObject(&owner);
            object->setObjectName(name);
            inventory.add(u"TClientSocket"_s, object, u"hint"_s);
        }
        QObject *placeholder = inventory.find(u"socket"_s)->object;
        auto *real = new QTimer(&owner);
        QCOMPARE(inventory.replace(u"socket"_s, real), placeholder);
        QCOMPARE(inventory.indexOf(u"socket"_s), 1);
        QCOMPARE(inventory.object<QTimer>(u"socket"_s), real);
        QCOMPARE(real->objectName(), u"socket"_s);
        QCOMPARE(inventory.find(u"socket"_s)->kind, u"TClientSocket"_s);
        QCOMPARE(inventory.find(u"socket"_s)->hint, u"hint"_s);
        QCOMPARE(inventory.replace(u"missing"_s, real), nullptr);
    }

    void reportGrid()
    {
        auto *grid = form1<DataGrid>(u"DBGrid3"_s);
        const QStringList titles{u"Sender"_s, u"Rrecipient"_s, u"Send Time"_s, u"Status"_s,
                                 u"Message"_s};
        const QList<int> widths{116, 150, 195, 110, 409};
        QCOMPARE(grid->columnCount(), 5);
        QCOMPARE(grid->model()->columnCount(), 5);
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(grid->model()->headerData(k, Qt::Horizontal).toString(), titles.at(k));
            QCOMPARE(grid->horizontalHeader()->sectionSize(k), widths.at(k));
            const auto titleFont =
                grid->model()->headerData(k, Qt::Horizontal, Qt::FontRole).value<QFont>();
            QCOMPARE(titleFont.family(), u"Arial"_s);
            QCOMPARE(titleFont.pointSize(), 10);
            QVERIFY(titleFont.bold());
            QCOMPARE(grid->model()->headerData(k, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                     (Qt::AlignHCenter | Qt::AlignVCenter).toInt());
        }
        QCOMPARE(grid->column(4).cellAlignment, Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(grid->column(0).cellAlignment, Qt::AlignHCenter | Qt::AlignVCenter);
        QVERIFY(!grid->column(0).cellFont);
        QCOMPARE(grid->column(2).cellFont->family(), u"Courier New"_s);
        QCOMPARE(grid->column(2).cellFont->pointSize(), 9);
        QVERIFY(grid->verticalHeader()->isHidden());
        QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QVERIFY(!grid->horizontalHeader()->sectionsMovable());
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(grid->tabKeyNavigation());
    }

    void reportGridKeepsItsColumnsOverAnyModel()
    {
        DataGrid grid;
        const DataGrid *report = form1<DataGrid>(u"DBGrid3"_s);
        grid.setColumns({report->column(0), report->column(1)});
        QStandardItemModel rows(3, 2);
        rows.setHorizontalHeaderLabels({u"sender"_s, u"recipient"_s});
        rows.setItem(0, 0, new QStandardItem(u"DESK01"_s));
        grid.setDataModel(&rows);
        QCOMPARE(grid.dataModel(), &rows);
        QCOMPARE(grid.model()->rowCount(), 3);
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), u"Rrecipient"_s);
        QCOMPARE(grid.horizontalHeader()->sectionSize(1), 150);
        QVERIFY(!(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable));
        grid.setColumnTitle(0, u"Absender"_s);
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), u"Absender"_s);
        grid.setDataModel(nullptr);
        QCOMPARE(grid.dataModel(), nullptr);
        QCOMPARE(grid.model()->columnCount(), 2);
    }

    void textGrid()
    {
        StringGrid *grid = m_windows->frmLang.StringGrid1();
        QCOMPARE(grid->columnCount(), 4);
        const QList<int> widths{47, 211, 239, 222};
        for (int column = 0; column < 4; ++column)
            QCOMPARE(grid->columnWidth(column), widths.at(column));
        QCOMPARE(grid->gridRowCount(), 50);
        QCOMPARE(grid->rowCount(), 49); // the header row is the column header
        QCOMPARE(grid->fixedColumns(), 3);
        QCOMPARE(grid->rowHeight(0), 20);
        QVERIFY(grid->verticalHeader()->isHidden());

        grid->setCell(3, 0, u"Current"_s);
        grid->setCell(1, 2, u"Form1_btnSend"_s);
        QCOMPARE(grid->cell(3, 0), u"Current"_s);
        QCOMPARE(grid->horizontalHeaderItem(3)->text(), u"Current"_s);
        QCOMPARE(grid->item(1, 1)->text(), u"Form1_btnSend"_s);
        QCOMPARE(grid->cell(1, 2), u"Form1_btnSend"_s);

        // Only the last column opens an editor.
        const QModelIndex fixed = grid->model()->index(1, 2);
        const QModelIndex current = grid->model()->index(1, 3);
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        grid->edit(fixed);
        QVERIFY(!grid->indexWidget(fixed));
        grid->edit(current);
        QVERIFY(grid->indexWidget(current));
        grid->setGridRowCount(3);
        QCOMPARE(grid->rowCount(), 2);
    }

    void windowFrames()
    {
        TForm1 &form = m_windows->Form1;
        QCOMPARE(form.centralWidget()->size(), QSize(698, 601));
        // No smaller than designed, but free to grow: a window manager maximizes
        // only a window whose size hints allow it.
        QCOMPARE(form.size(), form.minimumSize());
        QVERIFY(form.maximumSize().width() > form.minimumSize().width());
        QVERIFY(form.maximumSize().height() > form.minimumSize().height());
        QVERIFY(form.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form.font().family(), u"MS Sans Serif"_s);

        for (QDialog *dialog : {static_cast<QDialog *>(&m_windows->AboutBox),
                                static_cast<QDialog *>(&m_windows->fmRegSer)}) {
            QVERIFY(!(dialog->windowFlags() & Qt::WindowMaximizeButtonHint));
            QVERIFY(!(dialog->windowFlags() & Qt::WindowMinimizeButtonHint));
            QVERIFY(dialog->windowFlags() & Qt::WindowCloseButtonHint);
            QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        }
        QCOMPARE(m_windows->AboutBox.size(), QSize(310, 205));
        QCOMPARE(m_windows->fmRegSer.size(), QSize(370, 281));
        QCOMPARE(m_windows->frmLang.size(), QSize(759, 453));
        QVERIFY(m_windows->frmLang.minimumSize() != m_windows->frmLang.maximumSize());
    }

    void sendPanelLiesInFront()
    {
        QWidget *client = m_windows->Form1.centralWidget();
        const auto *query = form1<QWidget>(u"panQuery"_s);
        const auto *send = form1<QWidget>(u"panSend"_s);
        QVERIFY(client->children().indexOf(send) > client->children().indexOf(query));
        QVERIFY(send->autoFillBackground());
    }

    void statusBarPanels()
    {
        StatusPanelBar *bar = m_windows->Form1.StatusBar1();
        QCOMPARE(bar->panelCount(), 3);
        QCOMPARE(bar->panelWidth(0), 20);
        QCOMPARE(bar->panelWidth(1), 520);
        QCOMPARE(bar->panelWidth(2), 50);
        QCOMPARE(bar->panelText(0), QString());
        // The clock panel reaches to the right edge so the whole time shows.
        QCOMPARE(bar->panelRect(2).right(), bar->width() - 2);
        const int needed = bar->fontMetrics().horizontalAdvance(u"2014/01/21 09:05:07"_s);
        QVERIFY(bar->panelRect(2).width() > needed);
    }

    void statusMessageColour_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QColor>("colour");
        // clang-format off
        QTest::newRow("nothing") << 0 << QColor(0, 0, 0);
        QTest::newRow("notice") << 1 << QColor(0, 0, 0);
        QTest::newRow("failure") << 2 << QColor(255, 0, 0);
        QTest::newRow("unknown") << 3 << QColor(0, 0, 0);
        // clang-format on
    }
    void statusMessageColour()
    {
        QFETCH(int, kind);
        QFETCH(QColor, colour);
        TForm1 &form = m_windows->Form1;
        form.session().state().StatusKind = StatusKind(kind);
        form.setStatusMessage(u" There are 2 data transmission failed."_s);
        QCOMPARE(form.statusMessage(), u" There are 2 data transmission failed."_s);
        QCOMPARE(form.statusMessageColor(), colour);
        form.session().state().StatusKind = StatusKind::Nothing;
        form.setStatusMessage(QString());
    }

    void clockShowsTheTimeFromTheFirstTick()
    {
        ManualClock clock;
        ClientSession session(m_messenger, clock, {.discoveryPort = 0});
        TForm1 form(session, clock);
        QCOMPARE(form.clockText(), QString());
        QTRY_COMPARE(form.clockText(), u"2014/01/21 09:05:07"_s);
        clock.dateTime = QDateTime(QDate(2014, 12, 1), QTime(23, 59, 0));
        form.Timer2Timer();
        QCOMPARE(form.clockText(), u"2014/12/01 23:59:00"_s);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
