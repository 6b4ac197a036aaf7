#include "ui/TForm1.h"

#include "app/ClientSession.h"
#include "app/Clock.h"
#include "app/Version.h"
#include "link/ServerLink.h"
#include "report/ReportTableModel.h"
#include "ui/DataGrid.h"
#include "ui/StatusPanelBar.h"
#include "ui/TfmRegSer.h"
#include "ui/WindowDesigns.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLayout>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTcpSocket>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

void fillPickList(QComboBox *combo, const QStringList &items)
{
    // Filling and preselecting is not the operator's pick.
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(items.isEmpty() ? -1 : 0);
}

} // namespace

TForm1::TForm1(ClientSession &session, const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_clock(clock)
    , m_report(session)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Quorvel Client Version %1"_s.arg(QStringView(Version::Text)));
    // A single fixed border with minimize and maximize boxes.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto *clientArea = new QWidget(this);
    setCentralWidget(clientArea);
    buildComponents(*this, *clientArea, WindowDesigns::Form1());
    m_ui = resolveComponents();

    // The operator cannot drag the window to another size: the client area
    // is fixed, and the window follows it and the menu bar.
    clientArea->setFixedSize(WindowDesigns::Form1ClientSize);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    const QDate today = m_clock.now().date();
    m_ui.StartDatePicker->setDate(today);
    m_ui.EndDatePicker->setDate(today);

    m_ui.StatusBar1->setOwnerDrawn(StatusMessagePanel,
                                   [this](QPainter &painter, int panel, const QRect &rect) {
                                       StatusBar1DrawPanel(painter, panel, rect);
                                   });
    connect(m_ui.Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(m_ui.Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(m_ui.TMClose, &QTimer::timeout, this, &TForm1::TMCloseTimer);
    connect(m_ui.btnExit, &QPushButton::clicked, this, &TForm1::btnExitClick);
    connect(m_ui.SettSetting1, &QAction::triggered, this, &TForm1::SettSetting1Click);
    connectReport();
    placeRealObject(u"IdUDPServer1"_s, &m_session.discovery());
    connectSession();
}

TForm1::~TForm1()
{
    // The grid outlives this part of the window: it lets go of the report's
    // rows, which go with the window's members, and tells the window nothing more.
    m_ui.DBGrid3->model()->disconnect(this);
    m_ui.DBGrid3->selectionModel()->disconnect(this);
    m_ui.DBGrid3->setDataModel(nullptr);
}

TForm1::Components TForm1::resolveComponents() const
{
    return {
        require<QPushButton>(u"btnSend"_s),
        require<QPushButton>(u"btnExit"_s),
        require<QComboBox>(u"cboRecpt"_s),
        require<QComboBox>(u"cboGroupList"_s),
        require<QComboBox>(u"cboPreMsg"_s),
        require<QListWidget>(u"lstRecpt"_s),
        require<QListWidget>(u"listType"_s),
        require<QPlainTextEdit>(u"memMsg"_s),
        require<QDateTimeEdit>(u"StartDatePicker"_s),
        require<QDateTimeEdit>(u"EndDatePicker"_s),
        require<StatusPanelBar>(u"StatusBar1"_s),
        require<QTimer>(u"Timer1"_s),
        require<QTimer>(u"Timer2"_s),
        require<QTimer>(u"TMClose"_s),
        require<QAction>(u"SettSetting1"_s),
        require<QAction>(u"Quorvel1"_s),
        require<QAction>(u"Query1"_s),
        require<QWidget>(u"panQuery"_s),
        require<QWidget>(u"panSend"_s),
        require<QPushButton>(u"btnQuery"_s),
        require<DataGrid>(u"DBGrid3"_s),
        require<QPlainTextEdit>(u"DBMemo3"_s),
    };
}

void TForm1::connectSession()
{
    connect(&m_session, &ClientSession::registrationLoaded, this, &TForm1::registrationLoaded);
    connect(&m_session, &ClientSession::compositionCleared, this, &TForm1::clearComposition);
    connect(&m_session, &ClientSession::listsChanged, this, &TForm1::LoadComposeLists);
    connect(&m_session, &ClientSession::registrationAccepted, this, &TForm1::registrationAccepted);
    connect(&m_session, &ClientSession::statusNotice, this, &TForm1::showStatusNotice);
    connect(&m_session, &ClientSession::statusFailure, this, &TForm1::setStatusMessage);
    connect(&m_session, &ClientSession::statusCleared, this, [this] { setStatusMessage({}); });
    connect(&m_session, &ClientSession::closeGranted, this, &QWidget::close);
}

void TForm1::setRegistrationWindow(TfmRegSer *window)
{
    m_regSer = window;
    connect(&m_session, &ClientSession::listVersionChanged, window, &TfmRegSer::setVersionLabel);
    connect(&window->registration(), &RegistrationFlow::waitChanged, this, &TForm1::showWaitStatus);
}

void TForm1::placeRealObject(const QString &name, QObject *object)
{
    // The placeholder is a child of this window; the real object has its own owner.
    delete mutableInventory().replace(name, object);
}

void TForm1::FormCreate()
{
    m_session.start(QDir::currentPath());
    placeRealObject(u"ClientSocket"_s, m_session.link()->ClientSocket());
    showReport();
}

void TForm1::FormShow()
{
    if (!m_session.isStarted())
        return;
    m_session.signOn();
    LoadComposeLists();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    m_session.resumeWorker();
}

void TForm1::SettSetting1Click()
{
    if (m_regSer)
        m_regSer->open();
}

void TForm1::connectReport()
{
    connect(m_ui.Query1, &QAction::triggered, this, &TForm1::Query1Click);
    connect(m_ui.Quorvel1, &QAction::triggered, this, &TForm1::Quorvel1Click);
    connect(m_ui.btnQuery, &QPushButton::clicked, this, &TForm1::btnQueryClick);
    DataGrid *grid = m_ui.DBGrid3;
    connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TForm1::DBGrid3TitleClick);
    grid->setDrawColumnCell(
        [this](int column, const QString &text) { return DBGrid3DrawColumnCell(column, text); });
    connect(grid->model(), &QAbstractItemModel::modelReset, this, &TForm1::reportRowsArrived);
    connect(grid->model(), &QAbstractItemModel::rowsInserted, this, &TForm1::reportRowsArrived);
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { showReportMessage(current.row()); });
}

void TForm1::showReport()
{
    // The grid shows the report's query object from the start: empty until
    // the first answer opens it.
    if (ReportTableModel *rows = m_report.model())
        m_ui.DBGrid3->setDataModel(rows);
}

void TForm1::Query1Click()
{
    m_ui.StartDatePicker->setDateTime(m_clock.now());
    m_ui.EndDatePicker->setDateTime(m_clock.now());
    m_ui.panQuery->raise();
}

void TForm1::Quorvel1Click()
{
    m_ui.panSend->raise();
}

void TForm1::btnQueryClick()
{
    m_report.btnQueryClick(m_ui.StartDatePicker->dateTime(), m_ui.EndDatePicker->dateTime());
}

void TForm1::DBGrid3TitleClick(int column)
{
    DataGrid *grid = m_ui.DBGrid3;
    QStringList titles;
    for (int k = 0; k < grid->columnCount(); ++k)
        titles.append(grid->columnTitle(k));
    const ReportBrowser::TitleClick click = m_report.DBGrid3TitleClick(column, titles);
    for (int k = 0; k < click.titles.size(); ++k)
        grid->setColumnTitle(k, click.titles.at(k));
}

QString TForm1::DBGrid3DrawColumnCell(int column, const QString &text) const
{
    return ReportBrowser::cellText(column, text);
}

void TForm1::reportRowsArrived()
{
    // The first row becomes current when a result opens (a query's answer,
    // a sort) and when the first rows of an empty one arrive.
    DataGrid *grid = m_ui.DBGrid3;
    if (grid->currentIndex().isValid())
        return;
    if (grid->model()->rowCount() == 0) {
        showReportMessage(-1);
        return;
    }
    grid->setCurrentIndex(grid->model()->index(0, 0));
    grid->scrollToTop();
}

void TForm1::showReportMessage(int row)
{
    m_ui.DBMemo3->setPlainText(m_report.memoText(row));
}

void TForm1::LoadComposeLists()
{
    if (const std::optional<ComposeLists> lists = m_session.composeLists()) {
        fillPickList(m_ui.cboRecpt, lists->recipients);
        fillPickList(m_ui.cboGroupList, lists->groups);
        fillPickList(m_ui.cboPreMsg, lists->canned);
    }
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

bool TForm1::FormCloseQuery()
{
    if (m_session.mayClose())
        return true;
    m_ui.btnExit->setEnabled(false);
    m_ui.TMClose->start(m_session.options().closeWaitInterval);
    return false;
}

void TForm1::FormClose()
{
    m_ui.TMClose->stop();
    m_session.closeDown();
}

void TForm1::btnExitClick()
{
    close();
}

void TForm1::TMCloseTimer()
{
    if (m_session.closeWaitTick())
        close();
}

void TForm1::Timer1Timer()
{
    m_ui.Timer1->stop();
    m_session.clearStatusNotice();
}

void TForm1::clearComposition(bool alsoMessage)
{
    m_ui.lstRecpt->clear();
    m_ui.listType->clear();
    if (alsoMessage)
        m_ui.memMsg->clear();
}

void TForm1::showStatusNotice(const QString &text)
{
    m_ui.Timer1->start(m_session.options().noticeInterval);
    setStatusMessage(text);
}

void TForm1::registrationLoaded(const Registration &registration)
{
    if (m_regSer)
        m_regSer->setFields(registration);
}

void TForm1::registrationAccepted()
{
    m_ui.btnSend->setEnabled(true);
    if (!m_regSer)
        return;
    m_regSer->setRegisterEnabled(false);
    m_regSer->setVersionUpdateEnabled(true);
}

void TForm1::showWaitStatus(const QString &text)
{
    // The end of a wait clears only its own text, not a newer one.
    if (text.isEmpty() && m_statusMessage != m_waitStatus) {
        m_waitStatus.clear();
        return;
    }
    m_ui.Timer1->stop();
    m_session.state().StatusKind = text.isEmpty() ? StatusKind::Nothing : StatusKind::Notice;
    m_waitStatus = text;
    setStatusMessage(text);
}

void TForm1::setStatusMessage(const QString &text)
{
    m_statusMessage = text;
    m_ui.StatusBar1->update(m_ui.StatusBar1->panelRect(StatusMessagePanel));
}

QColor TForm1::statusMessageColor() const
{
    return m_session.state().StatusKind == StatusKind::Failure ? QColor(255, 0, 0)
                                                               : QColor(0, 0, 0);
}

QString TForm1::clockText() const
{
    return m_ui.StatusBar1->panelText(ClockPanel);
}

void TForm1::Timer2Timer()
{
    m_ui.StatusBar1->setPanelText(ClockPanel, m_clock.now().toString(u"yyyy/MM/dd HH:mm:ss"_s));
}

void TForm1::StatusBar1DrawPanel(QPainter &painter, int panel, const QRect &rect)
{
    if (panel != StatusMessagePanel)
        return;
    // The bar's own background shows through: nothing is filled.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(statusMessageColor());
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_statusMessage);
}
