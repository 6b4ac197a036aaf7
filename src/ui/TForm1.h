#pragma once

#include "app/ClientState.h"
#include "discovery/DiscoveryResponder.h"
#include "lang/LangFile.h"
#include "link/ClientView.h"
#include "link/RequestQueue.h"
#include "link/ServerLink.h"
#include "link/TQueryThread.h"
#include "store/ClientStore.h"
#include "ui/DesignedWindow.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class Clock;
class Messenger;
class QPainter;
class StatusPanelBar;
class TfmRegSer;

// The main window: the send and report panels, menus and status bar, and the
// owner of the client state, the database and the server link.
class TForm1 final : public QMainWindow, public DesignedWindow, public ClientView {
    Q_OBJECT

public:
    static constexpr int StatusMessagePanel = 1;
    static constexpr int ClockPanel = 2;
    static constexpr int NoticeInterval = 3000;
    static constexpr int CloseWaitLimit = 5;

    // What tests shorten or move out of the way; the defaults are the product's.
    struct Options {
        std::uint32_t expiryDelay = TQueryThread::DefaultExpiryDelay;
        quint16 discoveryPort = DiscoveryResponder::DefaultPort;
    };

    TForm1(Messenger &messenger, Clock &clock, const Options &options, QWidget *parent = nullptr);
    TForm1(Messenger &messenger, Clock &clock, QWidget *parent = nullptr)
        : TForm1(messenger, clock, Options{}, parent)
    {
    }
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    ClientState &state() { return m_state; }
    ClientStore &store() { return *m_store; }
    RequestQueue &queue() { return m_queue; }
    // Present once FormCreate has run.
    ServerLink *link() const { return m_link.get(); }
    TQueryThread *Worker() const { return m_worker.get(); }
    DiscoveryResponder &IdUDPServer1() { return *m_discovery; }

    // The registration window, whose fields the sign-on and registration use.
    void setRegistrationWindow(TfmRegSer *window) { m_regSer = window; }

    void FormCreate();
    void FormShow();
    void LoadComposeLists();
    void btnExitClick();
    void TMCloseTimer();
    void Timer1Timer();

    // ClientView
    void clearComposition(bool alsoMessage) override;
    void showStatusNotice(const QString &text) override;
    void showStatusFailure(const QString &text) override;
    void setListVersionLabel(const QString &text) override;
    void loadComposeLists() override { LoadComposeLists(); }
    RegistrationFields registrationFields() const override;
    void registrationAccepted() override;
    void requestClose() override;
    QString langText(const QString &key, const QString &defaultText) const override;
    void showMessage(const QString &key, const QString &defaultText) override;
    void showError(const QString &text) override;

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

protected:
    void showEvent(QShowEvent *event) override;
    // FormCloseQuery, then FormClose when the window may close.
    void closeEvent(QCloseEvent *event) override;

private:
    void StatusBar1DrawPanel(QPainter &painter, int panel, const QRect &rect);
    bool FormCloseQuery();
    void FormClose();
    void placeRealObject(const QString &name, QObject *object);

    Messenger &m_messenger;
    Clock &m_clock;
    const Options m_options;
    // Declared in the order they depend on each other: each is destroyed
    // before what it uses (the worker before the queue and the link).
    ClientState m_state;
    std::unique_ptr<ClientStore> m_store;
    RequestQueue m_queue;
    std::unique_ptr<ServerLink> m_link;
    std::unique_ptr<TQueryThread> m_worker;
    // Owned as a child of the window, like the component it replaces.
    DiscoveryResponder *m_discovery;
    std::unique_ptr<LangFile> m_langFile;
    QPointer<TfmRegSer> m_regSer;
    QString m_statusMessage;
};
