#pragma once

#include "app/ChainLimiter.h"
#include "app/ClientState.h"
#include "discovery/DiscoveryResponder.h"
#include "lang/Messages.h"
#include "link/LinkFailure.h"
#include "link/RequestQueue.h"
#include "link/TQueryThread.h"
#include "store/Records.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class ClientStore;
class Clock;
class LangFile;
class Messenger;
class QLockFile;
class ServerLink;

// The three pick lists of the send panel, as the store holds them.
struct ComposeLists {
    QStringList recipients;
    QStringList groups;
    QStringList canned;
};

// What tests shorten or move out of the way; the defaults are the product's.
struct SessionOptions {
    std::uint32_t expiryDelay = TQueryThread::DefaultExpiryDelay;
    quint16 discoveryPort = DiscoveryResponder::DefaultPort;
    // How long a status notice stays, in milliseconds.
    int noticeInterval = 3000;
    // One tick of the close wait, in milliseconds.
    int closeWaitInterval = 1000;
    // The most rows one report answer may bring; past it the client stops
    // reading. No site keeps a million pages in the span of one query.
    int reportRowLimit = 1000000;
};

// The client without its windows: it owns the client state, the store, the
// request queue and its worker, the server link, discovery and the language
// file, runs start-up, the chains of server answers and the close flow, and
// announces what the windows must show.
class ClientSession final : public QObject {
    Q_OBJECT

public:
    using Options = SessionOptions;
    // Ticks of the close wait after which the window closes without the server's answer.
    static constexpr int CloseWaitLimit = 5;
    // Beside Client.mdb while a client runs in the directory.
    static inline const QString LockFileName = QStringLiteral("Client.mdb.lock");

    // Where the registration to store comes from when the server accepts one.
    using RegistrationSource = std::function<Registration()>;

    ClientSession(Messenger &messenger, const Clock &clock, const Options &options = {},
                  QObject *parent = nullptr);
    ~ClientSession() override;
    Q_DISABLE_COPY_MOVE(ClientSession)

    const Options &options() const { return m_options; }
    ClientState &state() { return m_state; }
    const ClientState &state() const { return m_state; }
    RequestQueue &queue() { return m_queue; }
    DiscoveryResponder &discovery() { return *m_discovery; }
    // Present once start() has run.
    bool isStarted() const { return m_store != nullptr; }
    ClientStore &store() { return *m_store; }
    ServerLink *link() const { return m_link.get(); }
    TQueryThread *Worker() const { return m_worker.get(); }
    const LangFile *langFile() const { return m_langFile.get(); }
    Messenger &messenger() { return m_messenger; }

    void setRegistrationSource(RegistrationSource source) { m_registrationSource = source; }

    // Start-up: the working directory (locked against a second client), the
    // store, the link, the worker (still suspended) and the language file with
    // the language chosen in it. False, after telling the operator, when
    // another running client uses the directory.
    bool start(const QString &workingDirectory);
    // Each time the main window is shown: a stored registration is announced
    // and signed on with frame R.
    void signOn();
    // The worker runs from the end of the first show on.
    void resumeWorker();

    // The pick lists from the store, or nothing after a database error (shown).
    std::optional<ComposeLists> composeLists();

    // Closing. mayClose(): true when the window may close at once; otherwise
    // the server has been asked (frame O) and the wait has begun.
    bool mayClose();
    // One tick of the close wait: true when the wait is over and the window closes.
    bool closeWaitTick();
    // The window closes: unanswered report rows are marked, the connection dropped.
    void closeDown();

    // The status notice has been shown long enough.
    void clearStatusNotice();

    // Requests the operator asked for: build the frame and send it. They
    // also end a stop that a looping server caused.
    void SendRequest(char type);
    void SendRegistration(char flag);
    // The queue's follow-up, a minute after a list-version notice.
    void SendFollowUpFrame(const QString &itemText);
    // Any frame already built in SendBuffer, sent for the operator.
    void sendBuiltFrame();

    // Texts of the current language, and modal messages titled with the
    // product title (empty until a language has been selected).
    QString langText(const Message &message) const;
    QString productTitle() const;
    // The list version as the operator reads it: 017 is 1.7, in the locale's number form.
    static QString versionLabel(const QString &version);
    void showMessage(const Message &message);
    void showError(const QString &text);

Q_SIGNALS:
    // A stored registration was read at sign-on.
    void registrationLoaded(const Registration &registration);
    // The recipient list and its kinds are to be emptied, the memo too when asked.
    void compositionCleared(bool alsoMessage);
    // The stored pick lists changed.
    void listsChanged();
    // The client's list version, as the registration window shows it.
    void listVersionChanged(const QString &label);
    // The server accepted the registration: registering is done, sending may start.
    void registrationAccepted();
    // Status panel: a notice that clears itself after noticeInterval, a failure that stays.
    void statusNotice(const QString &text);
    void statusFailure(const QString &text);
    void statusCleared();
    // The server agreed to the close, or the wait is over: the window closes now.
    void closeGranted();

private:
    void onFrame(QByteArrayView frame);
    void onConnectionDropped();
    void onLinkFailure(LinkFailure failure);

    void onNotice(QByteArrayView frame);
    void onLists(QByteArrayView frame);
    void onCanned(QByteArrayView frame);
    void onReport(QByteArrayView frame);
    void onCloseGrant(QByteArrayView frame);
    void onRegistration(QByteArrayView frame);
    void onTransmissionResult(QByteArrayView frame);
    void closeConnection();
    // A standard request in SendBuffer, with the stored list version.
    void buildRequest(char type);
    // A request the client sends on its own in answer to the server; refused
    // (with a red status) once the server has driven too many of them.
    void sendChained(char type);
    bool chainAllowed(char type);
    void showStatusFailure(const QString &text);
    void storeReportPart(std::uint8_t code, const QList<ReportFields> &records, bool last);

    Messenger &m_messenger;
    const Clock &m_clock;
    const Options m_options;
    // Declared in the order they depend on each other: each is destroyed
    // before what it uses (the worker before the queue and the link).
    ClientState m_state;
    std::unique_ptr<ClientStore> m_store;
    RequestQueue m_queue;
    std::unique_ptr<ServerLink> m_link;
    std::unique_ptr<TQueryThread> m_worker;
    std::unique_ptr<LangFile> m_langFile;
    // A child, so that it answers from the session's creation on.
    DiscoveryResponder *m_discovery;
    RegistrationSource m_registrationSource;
    ChainLimiter m_chainLimiter;
    std::unique_ptr<QLockFile> m_directoryLock;
    // A report answer has started and its last part has not come yet.
    bool m_reportOpen = false;
    // Rows of the report answer so far, and whether it was cut at the limit.
    qsizetype m_reportRows = 0;
    bool m_reportCut = false;
    // Frame O has been sent: only then does an o "1" close the window.
    bool m_closePending = false;
};
