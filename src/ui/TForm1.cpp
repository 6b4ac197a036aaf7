#include "ui/TForm1.h"

#include "app/ClientSession.h"
#include "app/Clock.h"
#include "app/Version.h"
#include "lang/LangFile.h"
#include "lang/LanguageSwitch.h"
#include "lang/Languages.h"
#include "lang/LocaleSeparators.h"
#include "link/ServerLink.h"
#include "paging/ComposeKeys.h"
#include "paging/MessageText.h"
#include "report/ReportTableModel.h"
#include "ui/AutoSizeLabel.h"
#include "ui/CaptionWalk.h"
#include "ui/DataGrid.h"
#include "ui/EventHook.h"
#include "ui/StatusPanelBar.h"
#include "ui/TAboutBox.h"
#include "ui/TfmRegSer.h"
#include "ui/TfrmLang.h"
#include "ui/WindowDesigns.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTcpSocket>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

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

bool isEnterKey(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// What kind of key the compose rules see: shortcuts (Ctrl without Alt, which
// would be AltGr) and keys that type nothing printable are never refused.
ComposeKeys::Key composeKey(const QKeyEvent &event)
{
    using Key = ComposeKeys::Key;
    if (isEnterKey(event))
        return Key::Enter;
    if (event.key() == Qt::Key_Backspace)
        return Key::Backspace;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier))
        return Key::Other;
    const QString text = event.text();
    const bool printable = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(),
                                                          [](QChar c) { return c.isPrint(); });
    return printable ? Key::Character : Key::Other;
}

// A focus entry the operator or the program caused, as against the window
// becoming active again or a popup (a combo's list, the memo's own context
// menu) closing.
bool isFocusEntry(const QFocusEvent &event)
{
    switch (event.reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

} // namespace

TForm1::TForm1(ClientSession &session, const Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_clock(clock)
    , m_scaler(*this, inventory(), ExcludedKinds)
    , m_report(session)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Quorvel Client Version %1"_s.arg(Version::Text));
    // A single fixed border with minimize and maximize boxes.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto *clientArea = new QWidget(this);
    setCentralWidget(clientArea);
    buildComponents(*this, *clientArea, WindowDesigns::Form1());
    m_ui = resolveComponents();

    fixDesignedSize();

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
    connectLanguageMenu();
    connect(m_ui.SettSetting1, &QAction::triggered, this, &TForm1::SettSetting1Click);
    connectReport();
    placeRealObject(u"IdUDPServer1"_s, &m_session.discovery());
    connectSession();
    connectSendPanel();
}

TForm1::~TForm1()
{
    // The grid outlives this part of the window: it lets go of the report's
    // rows, which go with the window's members, and tells the window nothing more.
    m_ui.DBGrid3->model()->disconnect(this);
    m_ui.DBGrid3->selectionModel()->disconnect(this);
    m_ui.DBGrid3->setDataModel(nullptr);
}

void TForm1::fixDesignedSize()
{
    // The designed size is the smallest. A window manager maximizes only a
    // window whose size hints let it grow, so the window may grow, and its
    // controls grow with it (FormResize).
    centralWidget()->setMinimumSize(WindowDesigns::Form1ClientSize);
    layout()->activate();
    setMinimumSize(minimumSizeHint());
    resize(minimumSize());
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm1::connectLanguageMenu()
{
    const auto bind = [this](const QString &item, void (TForm1::*handler)()) {
        connect(require<QAction>(item), &QAction::triggered, this, handler);
    };
    bind(u"mnuEnglish"_s, &TForm1::mnuEnglishClick);
    bind(u"mnuGerman"_s, &TForm1::mnuGermanClick);
    bind(u"mnuDutch"_s, &TForm1::mnuDutchClick);
    bind(u"mnuItalian"_s, &TForm1::mnuItalianClick);
    bind(u"About1"_s, &TForm1::About1Click);
    bind(u"EditLanguageFile1"_s, &TForm1::EditLanguageFile1Click);
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

TForm1::SendComponents TForm1::resolveSendComponents() const
{
    return {
        require<QCheckBox>(u"chkGroupAll"_s), require<QLineEdit>(u"edtSender"_s),
        require<QLineEdit>(u"edtNull"_s),     require<AutoSizeLabel>(u"lblLength"_s),
        require<QPushButton>(u"Button1"_s),   require<QPushButton>(u"Button2"_s),
        require<QPushButton>(u"Button3"_s),
    };
}

void TForm1::connectSendPanel()
{
    m_send = resolveSendComponents();
    // activated: a pick by mouse or keyboard, also of the item already shown;
    // filling the lists does not emit it.
    connect(m_ui.cboRecpt, &QComboBox::activated, this, &TForm1::cboRecptClick);
    connect(m_ui.cboGroupList, &QComboBox::activated, this, &TForm1::cboGroupListClick);
    connect(m_ui.cboPreMsg, &QComboBox::activated, this, &TForm1::cboPreMsgClick);
    connect(m_send.Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(m_send.Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(m_send.Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(m_ui.btnSend, &QPushButton::clicked, this, &TForm1::btnSendClick);
    connect(m_ui.memMsg, &QPlainTextEdit::textChanged, this, &TForm1::memMsgChange);

    connect(&m_recipients, &RecipientList::entryAppended, this, &TForm1::showRecipientAppended);
    connect(&m_recipients, &RecipientList::entryRemoved, this, &TForm1::showRecipientRemoved);
    connect(&m_recipients, &RecipientList::cleared, this, &TForm1::showRecipientsCleared);

    EventHook::install(m_ui.memMsg, QEvent::KeyPress, [this](QEvent &event) {
        return memMsgKeyPress(static_cast<const QKeyEvent &>(event));
    });
    EventHook::install(m_ui.memMsg, QEvent::FocusIn, [this](QEvent &event) {
        memMsgEnter(static_cast<const QFocusEvent &>(event));
        return false;
    });
    EventHook::install(m_send.edtSender, QEvent::KeyPress, [this](QEvent &event) {
        return edtSenderKeyPress(static_cast<const QKeyEvent &>(event));
    });
    // A name typed into the personal pick list is never used: Return there
    // would otherwise pick the item of that name.
    const EventHook::Handler swallowEnter = [](QEvent &event) {
        return isEnterKey(static_cast<const QKeyEvent &>(event));
    };
    EventHook::install(m_ui.cboRecpt, QEvent::KeyPress, swallowEnter);
    if (QLineEdit *typed = m_ui.cboRecpt->lineEdit())
        EventHook::install(typed, QEvent::KeyPress, swallowEnter);
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

void TForm1::setLanguageWindows(TAboutBox *about, TfrmLang *editor)
{
    m_about = about;
    m_editor = editor;
}

void TForm1::placeRealObject(const QString &name, QObject *object)
{
    // The placeholder is a child of this window; the real object has its own owner.
    delete mutableInventory().replace(name, object);
}

bool TForm1::FormCreate()
{
    if (!m_session.start(QDir::currentPath()))
        return false;
    placeRealObject(u"ClientSocket"_s, m_session.link()->ClientSocket());
    showReport();
    m_scaler.RecordLayout();
    selectStoredLanguage();
    return true;
}

void TForm1::selectStoredLanguage()
{
    // Only the exact name selects; any other leaves the designed captions,
    // while messages still come from the section it names.
    if (const Language *language = LanguageSwitch::startupLanguage(m_session.state())) {
        checkLanguage(language->name.toString());
        selectLanguage(*language);
    }
}

void TForm1::selectLanguage(const Language &language)
{
    if (!m_session.langFile())
        return;
    try {
        LanguageSwitch::select(m_session.state(), *m_session.langFile(), language, *this);
    } catch (const LangFileError &error) {
        m_session.showError(error.text());
    }
}

void TForm1::mnuEnglishClick()
{
    selectLanguage(*Languages::find(u"English"));
}

void TForm1::mnuGermanClick()
{
    selectLanguage(*Languages::find(u"German"));
}

void TForm1::mnuDutchClick()
{
    selectLanguage(*Languages::find(u"Dutch"));
}

void TForm1::mnuItalianClick()
{
    selectLanguage(*Languages::find(u"Italian"));
}

void TForm1::checkLanguage(const QString &language)
{
    // The checked item first: its group then unchecks the others.
    require<QAction>(u"mnu"_s + language)->setChecked(true);
    for (const Language &other : Languages::all()) {
        if (other.name != language)
            require<QAction>(u"mnu"_s + other.name)->setChecked(false);
    }
}

void TForm1::applyCaptions(const QString &language)
{
    if (const LangFile *file = m_session.langFile())
        ApplyCaptions(inventory(), objectName(), *file, language);
}

void TForm1::setMainTitle(const QString &title)
{
    setWindowTitle(title);
}

void TForm1::applyPlacements(const QList<Placement> &placements)
{
    for (const Placement &placement : placements) {
        auto *control = require<QWidget>(placement.control.toString());
        if (placement.left)
            control->move(*placement.left, control->y());
        if (placement.width)
            control->resize(*placement.width, control->height());
    }
}

void TForm1::settleLayout()
{
    // Only the window at its designed size takes the new positions as its
    // reference. Where the window manager lets the operator drag the window
    // larger (one that can be maximized can be resized), it counts as
    // maximized: the reference is scaled back to the present size.
    const bool designedSize = size() == minimumSize();
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized) || !designedSize)
        m_scaler.ScaleLayout();
    else
        m_scaler.RecordLayout();
}

void TForm1::About1Click()
{
    if (m_about)
        m_about->exec();
}

void TForm1::EditLanguageFile1Click()
{
    if (m_editor)
        m_editor->exec();
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

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    m_scaler.ScaleLayout();
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
    m_recipients.clear();
    if (alsoMessage)
        clearMessage();
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
    m_ui.StatusBar1->setPanelText(ClockPanel, LocaleSeparators::clockText(m_clock.now()));
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

void TForm1::cboRecptClick(int index)
{
    m_recipients.add(m_ui.cboRecpt->itemText(index), RecipientKind::Person);
}

void TForm1::cboGroupListClick(int index)
{
    m_recipients.add(m_ui.cboGroupList->itemText(index), RecipientKind::Group);
}

void TForm1::cboPreMsgClick(int index)
{
    m_ui.memMsg->setPlainText(m_ui.cboPreMsg->itemText(index));
}

void TForm1::Button1Click()
{
    const QList<QListWidgetItem *> selected = m_ui.lstRecpt->selectedItems();
    if (!selected.isEmpty())
        m_recipients.removeAt(m_ui.lstRecpt->row(selected.first()));
}

void TForm1::Button2Click()
{
    m_recipients.clear();
}

void TForm1::Button3Click()
{
    clearMessage();
}

void TForm1::clearMessage()
{
    // Emptying an empty memo is no change: the counter keeps what it shows.
    if (!m_ui.memMsg->toPlainText().isEmpty())
        m_ui.memMsg->setPlainText(QString());
}

void TForm1::showRecipientAppended(const RecipientEntry &entry)
{
    m_ui.lstRecpt->addItem(entry.text);
    m_ui.listType->addItem(kindLetter(entry.kind));
}

void TForm1::showRecipientRemoved(qsizetype index)
{
    const int row = static_cast<int>(index);
    delete m_ui.listType->takeItem(row);
    delete m_ui.lstRecpt->takeItem(row);
    // The list would select the next line; a second DEL must not remove it unseen.
    m_ui.lstRecpt->clearSelection();
}

void TForm1::showRecipientsCleared()
{
    m_ui.lstRecpt->clear();
    m_ui.listType->clear();
}

void TForm1::memMsgChange()
{
    const QString text = m_ui.memMsg->toPlainText();
    const MessageText::Accepted accepted = MessageText::accept(m_acceptedMessage, text);
    m_acceptedMessage = accepted.text;
    if (accepted.text != text) {
        // The corrected text is this same change, not another one.
        const QSignalBlocker blocker(m_ui.memMsg);
        m_ui.memMsg->setPlainText(accepted.text);
        QTextCursor cursor = m_ui.memMsg->textCursor();
        cursor.setPosition(static_cast<int>(accepted.cursor));
        m_ui.memMsg->setTextCursor(cursor);
    }
    m_send.lblLength->setCaption(QString::number(accepted.text.size()));
}

bool TForm1::memMsgKeyPress(const QKeyEvent &event)
{
    if (ComposeKeys::memoKey(composeKey(event)) != ComposeKeys::Verdict::LeaveField)
        return false;
    m_send.edtNull->setFocus();
    return true;
}

void TForm1::memMsgEnter(const QFocusEvent &event)
{
    // Entering the memo starts the message again, so a canned text is sent as picked.
    if (isFocusEntry(event))
        clearMessage();
}

bool TForm1::edtSenderKeyPress(const QKeyEvent &event)
{
    switch (ComposeKeys::senderKey(composeKey(event), m_send.edtSender->text())) {
    case ComposeKeys::Verdict::Pass:
        return false;
    case ComposeKeys::Verdict::Refuse:
        return true;
    case ComposeKeys::Verdict::LeaveField:
        m_send.edtNull->setFocus();
        return true;
    }
    return false;
}

void TForm1::btnSendClick()
{
    const PageDraft draft{m_recipients.entries(), m_send.chkGroupAll->isChecked(),
                          m_send.edtSender->text(), m_ui.memMsg->toPlainText(),
                          m_regSer ? m_regSer->fields().clientId : QString()};
    switch (m_pageSender.send(draft)) {
    case PageSender::Outcome::NoRecipients:
        m_ui.cboRecpt->setFocus();
        break;
    case PageSender::Outcome::NoMessage:
        m_ui.memMsg->setFocus();
        break;
    case PageSender::Outcome::Sent:
    case PageSender::Outcome::Refused:
        break;
    }
}
