#include "ui/TForm1.h"

#include "app/Clock.h"
#include "app/Messenger.h"
#include "link/StandardFrames.h"
#include "store/DatabaseError.h"
#include "ui/StatusPanelBar.h"
#include "ui/TfmRegSer.h"
#include "ui/WindowDesigns.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QLabel>
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
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString ProductTitle = u"Quorvel Client"_s;

void fillPickList(QComboBox *combo, const QStringList &items)
{
    if (!combo)
        return;
    // Filling and preselecting is not the operator's pick.
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(items.isEmpty() ? -1 : 0);
}

void enableWidget(QWidget *widget, bool enabled)
{
    if (widget)
        widget->setEnabled(enabled);
}

} // namespace

TForm1::TForm1(Messenger &messenger, Clock &clock, const Options &options, QWidget *parent)
    : QMainWindow(parent)
    , m_messenger(messenger)
    , m_clock(clock)
    , m_options(options)
    , m_discovery(new DiscoveryResponder(options.discoveryPort, this))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Quorvel Client Version 1.7.7"_s);
    // A single fixed border with minimize and maximize boxes.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto *clientArea = new QWidget(this);
    setCentralWidget(clientArea);
    buildComponents(*this, *clientArea, WindowDesigns::Form1());

    // The operator cannot drag the window to another size: the client area
    // is fixed, and the window follows it and the menu bar.
    clientArea->setFixedSize(WindowDesigns::Form1ClientSize);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    const QDate today = m_clock.now().date();
    for (const QString &name : {u"StartDatePicker"_s, u"EndDatePicker"_s}) {
        if (auto *picker = component<QDateTimeEdit>(name))
            picker->setDate(today);
    }

    StatusBar1()->setOwnerDrawn(StatusMessagePanel,
                                [this](QPainter &painter, int panel, const QRect &rect) {
                                    StatusBar1DrawPanel(painter, panel, rect);
                                });
    connect(component<QTimer>(u"Timer2"_s), &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(component<QTimer>(u"Timer1"_s), &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(component<QTimer>(u"TMClose"_s), &QTimer::timeout, this, &TForm1::TMCloseTimer);
    if (auto *button = component<QPushButton>(u"btnExit"_s))
        connect(button, &QPushButton::clicked, this, &TForm1::btnExitClick);
    placeRealObject(u"IdUDPServer1"_s, m_discovery);
}

TForm1::~TForm1()
{
    // The worker goes first: nothing it posts may reach a half-destroyed window.
    m_worker.reset();
    m_link.reset();
}

void TForm1::placeRealObject(const QString &name, QObject *object)
{
    // The placeholder is a child of this window; the real object has its own owner.
    delete mutableInventory().replace(name, object);
}

void TForm1::FormCreate()
{
    m_state.WorkingDirectory = QDir::currentPath();
    m_store = std::make_unique<ClientStore>(m_state.WorkingDirectory);
    m_link = std::make_unique<ServerLink>(m_state, *m_store, m_queue, m_clock, *this);
    placeRealObject(u"ClientSocket"_s, m_link->ClientSocket());
    m_worker = std::make_unique<TQueryThread>(m_queue, m_clock, m_options.expiryDelay);
    m_langFile =
        std::make_unique<LangFile>(QDir(m_state.WorkingDirectory).filePath(LangFile::FileName));
    m_state.CurrentLanguage = m_langFile->ReadLangValue(u"Setting"_s, u"Language"_s, u"English"_s);
    try {
        m_store->open();
    } catch (const DatabaseError &error) {
        m_messenger.showWarning(ProductTitle, error.text());
    }
}

void TForm1::FormShow()
{
    if (!m_link)
        return; // not created yet
    try {
        if (const std::optional<Registration> registration = m_store->readRegistration()) {
            m_state.CurrentServerIP = registration->serverIp;
            m_state.CurrentServerPort = QString::number(registration->serverPort);
            m_state.CurrentClientID = registration->clientName;
            m_state.setClientIdBytes(registration->clientName);
            if (m_regSer) {
                m_regSer->component<QLineEdit>(u"edtClientID"_s)->setText(registration->clientName);
                m_regSer->component<QLineEdit>(u"txtIP"_s)->setText(registration->serverIp);
                m_regSer->component<QLineEdit>(u"edtPort"_s)->setText(m_state.CurrentServerPort);
            }
            m_state.clearSendBuffer();
            StandardFrames::SendRegistration(m_state, *m_store, *m_link, '0');
        }
    } catch (const DatabaseError &error) {
        showError(error.text());
    }
    LoadComposeLists();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    m_worker->resume();
}

void TForm1::LoadComposeLists()
{
    try {
        fillPickList(component<QComboBox>(u"cboRecpt"_s), m_store->recipientNames());
        fillPickList(component<QComboBox>(u"cboGroupList"_s), m_store->groupNames());
        fillPickList(component<QComboBox>(u"cboPreMsg"_s), m_store->cannedTexts());
    } catch (const DatabaseError &error) {
        showError(error.text());
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
    if (m_state.CloseAllowed || !m_link)
        return true;
    // Signed on: the server is told first, and the window waits a while for its answer.
    StandardFrames::BuildOffLineFrame(m_state, *m_store);
    m_link->SendFrame();
    enableWidget(component<QPushButton>(u"btnExit"_s), false);
    component<QTimer>(u"TMClose"_s)->start();
    return false;
}

void TForm1::FormClose()
{
    if (!m_link)
        return;
    component<QTimer>(u"TMClose"_s)->stop();
    try {
        m_store->markOfflineReportRows(m_clock.now());
    } catch (const DatabaseError &error) {
        showError(error.text());
    }
    m_link->dropConnection();
}

void TForm1::btnExitClick()
{
    close();
}

void TForm1::TMCloseTimer()
{
    if (m_state.CloseWaitTicks++ <= CloseWaitLimit)
        return;
    if (m_link)
        m_link->dropConnection();
    m_state.CloseAllowed = true;
    close();
}

void TForm1::Timer1Timer()
{
    setStatusMessage(QString());
    m_state.StatusKind = 0;
    component<QTimer>(u"Timer1"_s)->stop();
}

void TForm1::clearComposition(bool alsoMessage)
{
    for (const QString &name : {u"lstRecpt"_s, u"listType"_s}) {
        if (auto *list = component<QListWidget>(name))
            list->clear();
    }
    if (auto *memo = component<QPlainTextEdit>(u"memMsg"_s); memo && alsoMessage)
        memo->clear();
}

void TForm1::showStatusNotice(const QString &text)
{
    component<QTimer>(u"Timer1"_s)->start(NoticeInterval);
    setStatusMessage(text);
}

void TForm1::showStatusFailure(const QString &text)
{
    setStatusMessage(text);
}

void TForm1::setListVersionLabel(const QString &text)
{
    if (!m_regSer)
        return;
    if (auto *label = m_regSer->component<QLabel>(u"lblVer"_s))
        label->setText(text);
}

ClientView::RegistrationFields TForm1::registrationFields() const
{
    if (!m_regSer)
        return {};
    const auto text = [this](const QString &name) {
        const auto *edit = m_regSer->component<QLineEdit>(name);
        return edit ? edit->text() : QString();
    };
    return {text(u"edtClientID"_s), text(u"txtIP"_s), text(u"edtPort"_s)};
}

void TForm1::registrationAccepted()
{
    enableWidget(component<QPushButton>(u"btnSend"_s), true);
    if (!m_regSer)
        return;
    enableWidget(m_regSer->component<QPushButton>(u"btnReg"_s), false);
    enableWidget(m_regSer->component<QPushButton>(u"btnRecpt"_s), true);
}

void TForm1::requestClose()
{
    close();
}

QString TForm1::langText(const QString &key, const QString &defaultText) const
{
    return m_langFile ? m_langFile->ReadLangText(m_state.CurrentLanguage, key, defaultText)
                      : defaultText;
}

void TForm1::showMessage(const QString &key, const QString &defaultText)
{
    m_messenger.showWarning(ProductTitle, langText(key, defaultText));
}

void TForm1::showError(const QString &text)
{
    m_messenger.showWarning(ProductTitle, text);
}

StatusPanelBar *TForm1::StatusBar1() const
{
    return component<StatusPanelBar>(u"StatusBar1"_s);
}

void TForm1::setStatusMessage(const QString &text)
{
    m_statusMessage = text;
    StatusBar1()->update(StatusBar1()->panelRect(StatusMessagePanel));
}

QColor TForm1::statusMessageColor() const
{
    return m_state.StatusKind == 2 ? QColor(255, 0, 0) : QColor(0, 0, 0);
}

QString TForm1::clockText() const
{
    return StatusBar1()->panelText(ClockPanel);
}

void TForm1::Timer2Timer()
{
    StatusBar1()->setPanelText(ClockPanel, m_clock.now().toString(u"yyyy/MM/dd HH:mm:ss"_s));
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
