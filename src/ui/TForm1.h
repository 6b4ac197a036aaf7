#pragma once

#include "app/ClientState.h"
#include "store/ClientStore.h"
#include "ui/DesignedWindow.h"

#include <QColor>
#include <QMainWindow>
#include <QString>

#include <memory>

class Clock;
class Messenger;
class QPainter;
class StatusPanelBar;

// The main window: the send and report panels, menus and status bar, and the
// owner of the client state, the database and the server link.
class TForm1 final : public QMainWindow, public DesignedWindow {
    Q_OBJECT

public:
    static constexpr int StatusMessagePanel = 1;
    static constexpr int ClockPanel = 2;

    TForm1(Messenger &messenger, Clock &clock, QWidget *parent = nullptr);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    ClientState &state() { return m_state; }
    ClientStore &store() { return *m_store; }

    void FormCreate();

    // The status message panel: its text, and the colour it is drawn in,
    // which follows ClientState::StatusKind (2: red, otherwise black).
    void setStatusMessage(const QString &text);
    const QString &statusMessage() const { return m_statusMessage; }
    QColor statusMessageColor() const;
    // The clock panel; empty until Timer2 has ticked once.
    QString clockText() const;

    StatusPanelBar *StatusBar1() const;

public Q_SLOTS:
    void Timer2Timer();

private:
    void StatusBar1DrawPanel(QPainter &painter, int panel, const QRect &rect);

    Messenger &m_messenger;
    Clock &m_clock;
    ClientState m_state;
    std::unique_ptr<ClientStore> m_store;
    QString m_statusMessage;
};
