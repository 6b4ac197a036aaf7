// Every caption of every window fits its control in each of the four
// languages, measured with the installed faces that stand in for the
// designed ones: a translation that runs out of its control fails here.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "WorkingDirectory.h"
#include "lang/LangFile.h"
#include "ui/CaptionWalk.h"
#include "ui/ClientWindows.h"
#include "ui/DataGrid.h"
#include "ui/DesignFonts.h"
#include "ui/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Room a push button's bevel takes on either side of its caption.
constexpr int ButtonMargin = 3;
// A group box caption starts 8 pixels in, with 2 pixels of padding around it.
constexpr int GroupCaptionRoom = 8 + 2 * 2 + 8;

int textWidth(const QFont &font, const QString &text)
{
    QString shown = text;
    shown.remove(u'&');
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(shown)));
}

// What does not fit in one component, or nothing.
QStringList overflowsOf(const Component &component)
{
    QStringList problems;
    QWidget *widget = qobject_cast<QWidget *>(component.object.data());
    if (!widget || widget->isHidden())
        return problems;
    const auto report = [&](const QString &text, int needed, int available) {
        if (needed > available)
            problems.append(
                u"%1 \"%2\": %3 > %4"_s.arg(component.name, text).arg(needed).arg(available));
    };
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        report(label->text(), textWidth(label->font(), label->text()), label->width());
        // A label fits its caption by growing: it must stay inside its parent
        // and clear of the controls beside it.
        const QRect bounds = label->geometry();
        report(label->text(), bounds.right() + 1, label->parentWidget()->width());
        for (QObject *child : label->parentWidget()->children()) {
            auto *sibling = qobject_cast<QWidget *>(child);
            if (sibling && sibling != label && !sibling->isHidden() &&
                bounds.intersects(sibling->geometry()))
                problems.append(component.name + u" runs into "_s + sibling->objectName());
        }
    } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(check);
        option.text = check->text();
        const QRect text =
            check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
        report(check->text(), textWidth(check->font(), check->text()), text.width());
    } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
        report(button->text(), textWidth(button->font(), button->text()) + 2 * ButtonMargin,
               button->width());
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        report(group->title(), textWidth(group->font(), group->title()) + GroupCaptionRoom,
               group->width());
    } else if (auto *grid = qobject_cast<DataGrid *>(widget)) {
        for (int k = 0; k < grid->columnCount(); ++k) {
            const QFont font = grid->column(k).titleFont;
            report(grid->columnTitle(k), textWidth(font, grid->columnTitle(k)),
                   grid->horizontalHeader()->sectionSize(k));
        }
    } else if (auto *texts = qobject_cast<StringGrid *>(widget)) {
        for (int column = 0; column < texts->columnCount(); ++column)
            report(texts->cell(column, 0),
                   textWidth(texts->horizontalHeader()->font(), texts->cell(column, 0)),
                   texts->columnWidth(column));
    }
    return problems;
}

} // namespace

class TestCaptionFit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installDesignFontSubstitutions(); }

    void everyCaptionFits_data()
    {
        QTest::addColumn<QString>("item");
        for (const char *item : {"mnuEnglish", "mnuGerman", "mnuDutch", "mnuItalian"})
            QTest::newRow(item) << QString::fromLatin1(item);
    }
    void everyCaptionFits()
    {
        QFETCH(QString, item);
        WorkingDirectory directory;
        directory.copyData(LangFile::FileName);
        RecordingMessenger messenger;
        ManualClock clock;
        ClientWindows windows(messenger, clock, {.discoveryPort = 0});
        windows.Form1.FormCreate();
        windows.Form1.component<QAction>(item)->trigger();
        const QString language = windows.session.state().CurrentLanguage;
        QCOMPARE(u"mnu"_s + language, item);
        // The windows as the operator sees them in this language.
        windows.AboutBox.show();
        ApplyCaptions(windows.fmRegSer.inventory(), windows.fmRegSer.objectName(),
                      *windows.session.langFile(), language);
        windows.frmLang.show();
        QCOMPARE(windows.frmLang.StringGrid1()->cell(3, 0),
                 LangFile(directory.filePath(LangFile::FileName))
                     .ReadLangValue(language, u"Current"_s, {}));

        QStringList problems;
        const DesignedWindow *designed[] = {&windows.Form1, &windows.AboutBox, &windows.fmRegSer,
                                            &windows.frmLang};
        for (const DesignedWindow *window : designed) {
            for (const Component &component : window->inventory().components())
                problems += overflowsOf(component);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"\n"_s)));
        QVERIFY(messenger.messages.isEmpty());
    }
};

QTEST_MAIN(TestCaptionFit)
#include "test_caption_fit.moc"
