// Captions from the language file: which kinds take part, the "NULL" hint,
// combo box items and grid titles, key matching, and the shipped file's
// coverage of every caption the windows ask for.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "WorkingDirectory.h"
#include "lang/LangFile.h"
#include "ui/AutoSizeLabel.h"
#include "ui/CaptionWalk.h"
#include "ui/ClientWindows.h"
#include "ui/DataGrid.h"
#include "ui/DesignFonts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Fixture = "[Setting]\r\nLanguage=German\r\n"
                           "[German]\r\n"
                           "Host_lblPlain=Beschriftung\r\n"
                           "Host_lblHintMiddle=Geschuetzt\r\n"
                           "Host_lblHintLower=Klein\r\n"
                           "Host_lblEmpty=\r\n"
                           "Host_stcText=Statisch\r\n"
                           "Host_frmChild=Fenster\r\n"
                           "Host_btnNull=Knopf\r\n"
                           "Host_bbtNull=Bildknopf\r\n"
                           "Host_rdoNull=Auswahl\r\n"
                           "host_BTNUPPER=Gross\r\n"
                           "Host_mnuFile=&Datei\r\n"
                           "Host_mnuNull=&Nein\r\n"
                           "Host_grpBox=Gruppe\r\n"
                           "Host_grpNull=Nein\r\n"
                           "Host_chkBox=Alle\r\n"
                           "Host_chkNull=Nein\r\n"
                           "Host_edtText=Nein\r\n"
                           "Host_lblDerived=Nein\r\n"
                           "Host_cboEmptyItem0=Nein\r\n"
                           "Host_cboThreeItem0=eins\r\n"
                           "Host_cboThreeItem2=drei\r\n"
                           "Host_cboThreeItem3=vier\r\n"
                           "Host_cboNullItem0=Nein\r\n"
                           "Host_grdReportColumn1=Empfaenger\r\n"
                           "Host_grdReportColumn3=Nein\r\n"
                           "Host_grdNullColumn0=Absender\r\n"
                           "Form1_btnSend=Senden\r\n"
                           "form1_BTNEXIT=Beenden\r\n"
                           "Form1_lblLength=99\r\n"
                           "Form1_Label5=Persoenliche Empfaenger\r\n"
                           "Form1_mnuGerman=&Deutsch\r\n"
                           "Form1_DBGrid3Column1=Empfaenger\r\n"
                           "Form1_Form1=Nein\r\n"
                           "AboutBox_OKButton=Gut\r\n"
                           "fmRegSer_GroupBox1=Registrierung\r\n";

// A caption of any kind, whatever widget carries it.
QString captionOf(QObject *object)
{
    if (auto *label = qobject_cast<QLabel *>(object))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(object))
        return button->text();
    if (auto *action = qobject_cast<QAction *>(object))
        return action->text();
    if (auto *group = qobject_cast<QGroupBox *>(object))
        return group->title();
    if (auto *edit = qobject_cast<QLineEdit *>(object))
        return edit->text();
    if (auto *widget = qobject_cast<QWidget *>(object))
        return widget->windowTitle();
    return {};
}

QObject *makeComponent(const QString &kind, const QString &text, QWidget *host)
{
    if (kind == u"TLabel"_s || kind == u"TStaticText"_s || kind == u"TLabelEx"_s)
        return new QLabel(text, host);
    if (kind == u"TButton"_s || kind == u"TBitBtn"_s)
        return new QPushButton(text, host);
    if (kind == u"TRadioButton"_s)
        return new QRadioButton(text, host);
    if (kind == u"TCheckBox"_s)
        return new QCheckBox(text, host);
    if (kind == u"TGroupBox"_s)
        return new QGroupBox(text, host);
    if (kind == u"TMenuItem"_s)
        return new QAction(text, host);
    if (kind == u"TEdit"_s)
        return new QLineEdit(text, host);
    auto *form = new QWidget(host);
    form->setWindowTitle(text);
    return form;
}

} // namespace

class TestCaptions : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<LangFile> m_file;
    std::unique_ptr<QWidget> m_host;
    ComponentInventory m_inventory;

    template <typename T>
    T *add(const QString &kind, const QString &name, T *object, const QString &hint = {})
    {
        object->setObjectName(name);
        m_inventory.add(kind, object, hint);
        return object;
    }
    DataGrid *addGrid(const QString &name, const QString &hint)
    {
        auto *grid = new DataGrid(m_host.get());
        QList<DataGrid::Column> columns;
        for (const QString &title : {u"Sender"_s, u"Recipient"_s, u"Status"_s})
            columns.append({title.toLower(), title, 100, Qt::AlignCenter, Qt::AlignCenter,
                            std::nullopt, grid->font()});
        grid->setColumns(columns);
        return add(u"TDBGrid"_s, name, grid, hint);
    }
    QComboBox *addCombo(const QString &name, const QStringList &items, const QString &hint = {})
    {
        auto *combo = new QComboBox(m_host.get());
        combo->addItems(items);
        return add(u"TComboBox"_s, name, combo, hint);
    }
    QStringList items(const QString &name) const
    {
        QStringList result;
        const auto *combo = m_inventory.object<QComboBox>(name);
        for (int j = 0; j < combo->count(); ++j)
            result.append(combo->itemText(j));
        return result;
    }

private Q_SLOTS:
    void initTestCase() { installDesignFontSubstitutions(); }

    void init()
    {
        m_dir = std::make_unique<WorkingDirectory>();
        m_dir->write(LangFile::FileName, Fixture);
        m_file = std::make_unique<LangFile>(m_dir->filePath(LangFile::FileName));
        m_host = std::make_unique<QWidget>();
        m_inventory = ComponentInventory();
    }
    void cleanup()
    {
        m_inventory = ComponentInventory();
        m_host.reset();
        m_file.reset();
        m_dir.reset();
    }

    void captionOfEachKind_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("expected");

        // clang-format off
        QTest::newRow("label") << u"TLabel"_s << u"lblPlain"_s << QString() << u"Beschriftung"_s;
        QTest::newRow("label, NULL inside its hint") << u"TLabel"_s << u"lblHintMiddle"_s << u"keepNULLcaption"_s << u"Designed"_s;
        QTest::newRow("label, lower-case null") << u"TLabel"_s << u"lblHintLower"_s << u"null"_s << u"Klein"_s;
        QTest::newRow("label, empty value") << u"TLabel"_s << u"lblEmpty"_s << QString() << QString();
        QTest::newRow("label, no entry") << u"TLabel"_s << u"lblMissing"_s << QString() << u"Designed"_s;
        QTest::newRow("static text") << u"TStaticText"_s << u"stcText"_s << QString() << u"Statisch"_s;
        QTest::newRow("owned form") << u"TForm"_s << u"frmChild"_s << QString() << u"Fenster"_s;
        QTest::newRow("button despite NULL") << u"TButton"_s << u"btnNull"_s << u"NULL"_s << u"Knopf"_s;
        QTest::newRow("bitmap button despite NULL") << u"TBitBtn"_s << u"bbtNull"_s << u"NULL"_s << u"Bildknopf"_s;
        QTest::newRow("radio button despite NULL") << u"TRadioButton"_s << u"rdoNull"_s << u"NULL"_s << u"Auswahl"_s;
        QTest::newRow("key in another case") << u"TButton"_s << u"btnUpper"_s << QString() << u"Gross"_s;
        QTest::newRow("menu item keeps its &") << u"TMenuItem"_s << u"mnuFile"_s << QString() << u"&Datei"_s;
        QTest::newRow("menu item, NULL") << u"TMenuItem"_s << u"mnuNull"_s << u"NULL"_s << u"Designed"_s;
        QTest::newRow("group box") << u"TGroupBox"_s << u"grpBox"_s << QString() << u"Gruppe"_s;
        QTest::newRow("group box, NULL") << u"TGroupBox"_s << u"grpNull"_s << u"NULL"_s << u"Designed"_s;
        QTest::newRow("check box") << u"TCheckBox"_s << u"chkBox"_s << QString() << u"Alle"_s;
        QTest::newRow("check box, NULL") << u"TCheckBox"_s << u"chkNull"_s << u"NULL"_s << u"Designed"_s;
        QTest::newRow("edit is no caption") << u"TEdit"_s << u"edtText"_s << QString() << u"Designed"_s;
        QTest::newRow("kinds match exactly") << u"TLabelEx"_s << u"lblDerived"_s << QString() << u"Designed"_s;
        // clang-format on
    }
    void captionOfEachKind()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(QString, expected);
        QObject *component =
            add(kind, name, makeComponent(kind, u"Designed"_s, m_host.get()), hint);
        ApplyCaptions(m_inventory, u"Host"_s, *m_file, u"German"_s);
        QCOMPARE(captionOf(component), expected);
    }

    void comboBoxItemsByIndex()
    {
        addCombo(u"cboEmpty"_s, {});
        addCombo(u"cboThree"_s, {u"one"_s, u"two"_s, u"three"_s});
        addCombo(u"cboNull"_s, {u"one"_s}, u"NULL"_s);
        QCOMPARE(captionKeys(m_inventory, u"Host"_s),
                 (QStringList{u"Host_cboThreeItem0"_s, u"Host_cboThreeItem1"_s,
                              u"Host_cboThreeItem2"_s}));
        ApplyCaptions(m_inventory, u"Host"_s, *m_file, u"German"_s);
        QCOMPARE(items(u"cboEmpty"_s), QStringList());
        QCOMPARE(items(u"cboThree"_s), (QStringList{u"eins"_s, u"two"_s, u"drei"_s}));
        QCOMPARE(items(u"cboNull"_s), QStringList{u"one"_s});
    }

    void gridColumnTitlesByIndex()
    {
        DataGrid *report = addGrid(u"grdReport"_s, {});
        DataGrid *protectedGrid = addGrid(u"grdNull"_s, u"NULL"_s); // grids ignore the hint
        ApplyCaptions(m_inventory, u"Host"_s, *m_file, u"German"_s);
        QCOMPARE(report->columnTitle(0), u"Sender"_s);
        QCOMPARE(report->columnTitle(1), u"Empfaenger"_s);
        QCOMPARE(report->columnTitle(2), u"Status"_s); // Column3 is past the last column
        QCOMPARE(report->model()->headerData(1, Qt::Horizontal).toString(), u"Empfaenger"_s);
        QCOMPARE(protectedGrid->columnTitle(0), u"Absender"_s);
    }

    void missingSectionLeavesTheDesign()
    {
        auto *label = add(u"TLabel"_s, u"lblPlain"_s, new QLabel(u"Designed"_s, m_host.get()));
        addCombo(u"cboThree"_s, {u"one"_s, u"two"_s, u"three"_s});
        ApplyCaptions(m_inventory, u"Host"_s, *m_file, u"Dutch"_s);
        QCOMPARE(label->text(), u"Designed"_s);
        QCOMPARE(items(u"cboThree"_s), (QStringList{u"one"_s, u"two"_s, u"three"_s}));
    }

    void emptiedCaptionStaysEmptyOnceTheEntryIsGone()
    {
        auto *label = add(u"TLabel"_s, u"lblEmpty"_s, new QLabel(u"Designed"_s, m_host.get()));
        ApplyCaptions(m_inventory, u"Host"_s, *m_file, u"German"_s);
        QCOMPARE(label->text(), QString());
        m_dir->write(LangFile::FileName, "[German]\r\n");
        ApplyCaptions(m_inventory, u"Host"_s, *m_file, u"German"_s);
        QCOMPARE(label->text(), QString());
    }

    void windowsTakeTheirCaptions()
    {
        RecordingMessenger messenger;
        ManualClock clock;
        ClientWindows windows(messenger, clock);
        TForm1 &form = windows.Form1;
        ApplyCaptions(form.inventory(), u"Form1"_s, *m_file, u"German"_s);
        QCOMPARE(form.component<QPushButton>(u"btnSend"_s)->text(), u"Senden"_s);
        QCOMPARE(form.component<QPushButton>(u"btnExit"_s)->text(), u"Beenden"_s);
        QCOMPARE(form.component<QLabel>(u"lblLength"_s)->text(), u"00"_s);
        QCOMPARE(form.component<QAction>(u"mnuGerman"_s)->text(), u"&Deutsch"_s);
        QCOMPARE(form.component<DataGrid>(u"DBGrid3"_s)->columnTitle(1), u"Empfaenger"_s);
        QCOMPARE(form.windowTitle(), u"Quorvel Client Version 1.7.7"_s); // the project's version
        // A label fits its width to a caption replaced from the file.
        const auto *label = form.component<AutoSizeLabel>(u"Label5"_s);
        QCOMPARE(label->text(), u"Persoenliche Empfaenger"_s);
        QCOMPARE(label->width(), label->captionWidth());
        QCOMPARE(label->pos(), QPoint(11, 31));

        ApplyCaptions(windows.AboutBox.inventory(), u"AboutBox"_s, *m_file, u"German"_s);
        QCOMPARE(windows.AboutBox.component<QPushButton>(u"OKButton"_s)->text(), u"Gut"_s);
        ApplyCaptions(windows.fmRegSer.inventory(), u"fmRegSer"_s, *m_file, u"German"_s);
        QCOMPARE(windows.fmRegSer.component<QGroupBox>(u"GroupBox1"_s)->title(),
                 u"Registrierung"_s);
    }

    void shippedFileHasEveryCaption()
    {
        const QString shipped = QDir(QStringLiteral(QUORVEL_DATA_DIR)).filePath(LangFile::FileName);
        if (!QFile::exists(shipped))
            QSKIP("no Language.ini in the data folder");
        RecordingMessenger messenger;
        ManualClock clock;
        ClientWindows windows(messenger, clock);
        const QStringList keys = captionKeys(windows.Form1.inventory(), u"Form1"_s) +
                                 captionKeys(windows.AboutBox.inventory(), u"AboutBox"_s) +
                                 captionKeys(windows.fmRegSer.inventory(), u"fmRegSer"_s);
        QVERIFY(keys.contains(u"Form1_DBGrid3Column4"_s));
        QVERIFY(!keys.contains(u"Form1_lblLength"_s));

        const LangFile file(shipped);
        const QString absent = u"\u0001absent"_s;
        for (const QString &language : {u"English"_s, u"German"_s, u"Dutch"_s, u"Italian"_s}) {
            QStringList missing;
            for (const QString &key : keys) {
                if (file.ReadLangValue(language, key, absent) == absent)
                    missing.append(key);
            }
            QVERIFY2(missing.isEmpty(), qPrintable(language + u": "_s + missing.join(u", "_s)));
        }
    }
};

QTEST_MAIN(TestCaptions)
#include "test_captions.moc"
