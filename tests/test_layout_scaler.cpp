// The proportional layout: controls scaled from their recorded reference,
// truncated, fonts by the smaller factor, the reference restored exactly,
// and what never takes part; the main window maximized and restored, the
// editor shrunk.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "WorkingDirectory.h"
#include "ui/ClientWindows.h"
#include "ui/ComponentInventory.h"
#include "ui/DesignFonts.h"
#include "ui/LayoutScaler.h"
#include "ui/StringGrid.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QFont pointFont(int points)
{
    QFont font(u"Arial"_s);
    font.setPointSize(points);
    return font;
}

// A hidden window of 200 by 100 (hidden, so it has no frame) with a few
// controls, a nested one among them, and components that never move.
struct ScaledWindow {
    ScaledWindow()
    {
        window.resize(200, 100);
        add(u"TButton"_s, u"btnSend"_s, new QPushButton(&window), {15, 10, 70, 40}, 12);
        add(u"TPanel"_s, u"Panel1"_s, new QFrame(&window), {10, 50, 100, 40}, 8);
        add(u"TLabel"_s, u"Label1"_s, new QLabel(object<QWidget>(u"Panel1"_s)), {3, 5, 41, 16}, 10);
        // A widget of an excluded kind, named in another letter case.
        auto *menu = new QMenuBar(&window);
        menu->setObjectName(u"MainMenu1"_s);
        menu->setGeometry(0, 0, 200, 20);
        inventory.add(u"TMainMenu"_s, menu);
        auto *item = new QAction(u"File"_s, &window);
        item->setObjectName(u"File1"_s);
        inventory.add(u"TMenuItem"_s, item);
        auto *timer = new QTimer(&window);
        timer->setObjectName(u"Timer1"_s);
        inventory.add(u"TTimer"_s, timer);
    }
    QWidget *add(const QString &kind, const QString &name, QWidget *control, QRect bounds,
                 int points)
    {
        control->setObjectName(name);
        control->setGeometry(bounds);
        control->setFont(pointFont(points));
        inventory.add(kind, control);
        return control;
    }
    template <typename T> T *object(const QString &name) { return inventory.object<T>(name); }

    QWidget window;
    ComponentInventory inventory;
    LayoutScaler scaler{window, inventory, {u"tmainmenu"_s, u"TTIMER"_s}};
};

// Every control's bounds and font size, to compare a layout with another.
QList<std::pair<QRect, int>> snapshot(const ComponentInventory &inventory)
{
    QList<std::pair<QRect, int>> result;
    for (const Component &component : inventory.components()) {
        if (auto *widget = qobject_cast<QWidget *>(component.object.data()))
            result.append({widget->geometry(), widget->font().pointSize()});
    }
    return result;
}

int truncated(int value, double factor)
{
    return static_cast<int>(std::trunc(value * factor));
}

} // namespace

class TestLayoutScaler : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installDesignFontSubstitutions(); }

    void grownWindowScalesEveryControl_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<int>("points");
        // The window grown by 1.5 in width and 1.2 in height.
        // clang-format off
        QTest::newRow("button: 12 pt becomes 14") << u"btnSend"_s << QRect(22, 12, 105, 48) << 14;
        QTest::newRow("panel") << u"Panel1"_s << QRect(15, 60, 150, 48) << 9;
        QTest::newRow("label, relative to its panel") << u"Label1"_s << QRect(4, 6, 61, 19) << 12;
        // clang-format on
    }
    void grownWindowScalesEveryControl()
    {
        QFETCH(QString, name);
        QFETCH(QRect, bounds);
        QFETCH(int, points);
        ScaledWindow fixture;
        fixture.scaler.RecordLayout();
        fixture.window.resize(300, 120);
        fixture.scaler.ScaleLayout();
        QCOMPARE(fixture.scaler.horizontalFactor(), 1.5);
        QCOMPARE(fixture.scaler.verticalFactor(), 1.2);
        const QWidget *control = fixture.object<QWidget>(name);
        QCOMPARE(control->geometry(), bounds);
        QCOMPARE(control->font().pointSize(), points);
    }

    void referenceSizeRestoresTheReferenceExactly()
    {
        ScaledWindow fixture;
        fixture.scaler.RecordLayout();
        const auto reference = snapshot(fixture.inventory);
        for (const QSize size : {QSize(300, 120), QSize(131, 77), QSize(200, 100)}) {
            fixture.window.resize(size);
            fixture.scaler.ScaleLayout();
        }
        QCOMPARE(snapshot(fixture.inventory), reference);
    }

    void whatDoesNotTakePartStaysPut()
    {
        ScaledWindow fixture;
        fixture.window.resize(100, 50); // before the record: nothing happens
        fixture.scaler.ScaleLayout();
        QCOMPARE(fixture.object<QWidget>(u"btnSend"_s)->geometry(), QRect(15, 10, 70, 40));

        fixture.window.resize(200, 100);
        fixture.scaler.RecordLayout();
        auto *late = fixture.add(u"TButton"_s, u"btnLate"_s, new QPushButton(&fixture.window),
                                 {20, 20, 50, 20}, 8);
        fixture.window.resize(400, 200);
        fixture.scaler.ScaleLayout();
        QCOMPARE(late->geometry(), QRect(20, 20, 50, 20));
        QCOMPARE(late->font().pointSize(), 8);
        QCOMPARE(fixture.object<QMenuBar>(u"MainMenu1"_s)->geometry(), QRect(0, 0, 200, 20));
        QCOMPARE(fixture.object<QTimer>(u"Timer1"_s)->interval(), 0);
        QCOMPARE(fixture.object<QWidget>(u"btnSend"_s)->geometry(), QRect(30, 20, 140, 80));
    }

    void refusedValueEndsOnlyThatControl()
    {
        ScaledWindow fixture;
        fixture.object<QWidget>(u"btnSend"_s)->setMaximumWidth(80);
        fixture.object<QWidget>(u"Label1"_s)->setFont(QFont(u"Arial"_s, -1)); // no point size
        fixture.object<QWidget>(u"Label1"_s)->setStyleSheet(u"font-size: 13px"_s);
        fixture.scaler.RecordLayout();
        fixture.window.resize(300, 120);
        fixture.scaler.ScaleLayout();
        // Moved, but the refused width leaves its height and font as they were.
        const QWidget *button = fixture.object<QWidget>(u"btnSend"_s);
        QCOMPARE(button->geometry(), QRect(22, 12, 80, 40));
        QCOMPARE(button->font().pointSize(), 12);
        QCOMPARE(fixture.object<QWidget>(u"Panel1"_s)->geometry(), QRect(15, 60, 150, 48));
        QCOMPARE(fixture.object<QWidget>(u"Label1"_s)->geometry(), QRect(4, 6, 61, 19));
    }

    void mainWindowMaximizedAndRestored()
    {
        WorkingDirectory directory;
        RecordingMessenger messenger;
        ManualClock clock;
        ClientWindows windows(messenger, clock, {.discoveryPort = 0});
        TForm1 &form = windows.Form1;
        form.FormCreate();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const auto reference = snapshot(form.inventory());
        const QSize referenceOuter = form.frameGeometry().size();
        const QFont menuFont = form.menuBar()->font();

        form.showMaximized();
        QTRY_VERIFY(form.isMaximized());
        QTRY_VERIFY(form.frameGeometry().size() != referenceOuter);
        const double horizontal = double(form.frameGeometry().width()) / referenceOuter.width();
        const double vertical = double(form.frameGeometry().height()) / referenceOuter.height();
        auto *send = form.component<QPushButton>(u"btnSend"_s);
        QTRY_COMPARE(send->geometry(), QRect(truncated(16, horizontal), truncated(8, vertical),
                                             truncated(70, horizontal), truncated(40, vertical)));
        QCOMPARE(send->font().pointSize(), truncated(12, qMin(horizontal, vertical)));
        QCOMPARE(form.menuBar()->font(), menuFont);

        form.showNormal();
        QTRY_VERIFY(!form.isMaximized());
        QTRY_COMPARE(snapshot(form.inventory()), reference);
    }

    void editorAtHalfSize()
    {
        RecordingMessenger messenger;
        ManualClock clock;
        ClientWindows windows(messenger, clock, {.discoveryPort = 0});
        TfrmLang &editor = windows.frmLang;
        QVERIFY(editor.scaler().isRecorded()); // at creation, before any showing
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const QSize referenceOuter = editor.frameGeometry().size();
        const QSize margins = referenceOuter - editor.size();

        editor.resize(referenceOuter / 2 - margins);
        const double horizontal = double(editor.frameGeometry().width()) / referenceOuter.width();
        const double vertical = double(editor.frameGeometry().height()) / referenceOuter.height();
        const StringGrid *grid = editor.StringGrid1();
        QTRY_COMPARE(grid->font().pointSize(), 4); // 9 pt halved: 4.5, truncated
        QCOMPARE(grid->geometry(), QRect(truncated(10, horizontal), truncated(41, vertical),
                                         truncated(742, horizontal), truncated(405, vertical)));

        editor.resize(referenceOuter - margins);
        QTRY_COMPARE(grid->geometry(), QRect(10, 41, 742, 405));
        QCOMPARE(grid->font().pointSize(), 9);
    }
};

QTEST_MAIN(TestLayoutScaler)
#include "test_layout_scaler.moc"
