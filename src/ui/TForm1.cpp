#include "ui/TForm1.h"

#include "app/Clock.h"
#include "app/Messenger.h"
#include "store/DatabaseError.h"
#include "ui/StatusPanelBar.h"
#include "ui/WindowDesigns.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QLayout>
#include <QPainter>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;

TForm1::TForm1(Messenger &messenger, Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_messenger(messenger)
    , m_clock(clock)
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
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    m_state.WorkingDirectory = QDir::currentPath();
    m_store = std::make_unique<ClientStore>(m_state.WorkingDirectory);
    try {
        m_store->open();
    } catch (const DatabaseError &error) {
        m_messenger.showWarning(u"Quorvel Client"_s, error.text());
    }
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
