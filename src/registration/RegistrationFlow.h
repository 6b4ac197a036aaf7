#pragma once

#include "registration/RegistrationRules.h"
#include "store/Records.h"

#include <QObject>
#include <QString>

#include <optional>

class ClientSession;
struct Message;

// What the registration window does, without the window: what it shows when
// it opens, Register (frame R) and Version Update (frame P), the record of
// the identity last sent, which the session stores when the server accepts
// it, and the wait while such a request is out.
class RegistrationFlow final : public QObject {
    Q_OBJECT

public:
    using Fields = RegistrationRules::Fields;

    // What the window shows when it opens; an empty part leaves that part as it is.
    struct Opening {
        std::optional<RegistrationRules::Placement> placement;
        std::optional<Fields> fields;
        std::optional<bool> clientIdEnabled;
        std::optional<QString> versionLabel;
    };

    explicit RegistrationFlow(ClientSession &session, QObject *parent = nullptr);
    ~RegistrationFlow() override;
    Q_DISABLE_COPY_MOVE(RegistrationFlow)

    // The stored registration and list version, in the session's language.
    Opening FormShow();
    // Register: checks the fields, makes them the client identity and sends
    // frame R, a new registration when the client ID may still be edited.
    // False when a message stopped it.
    bool btnRegister(const Fields &typed, bool clientIdEditable);
    // Version Update: the operator's own list fetch (frame P).
    void btnRecptClick();

    // What the server stores when it accepts the registration: the identity
    // last sent in frame R, trimmed.
    Registration acceptedRegistration() const;

    // The text shown while a request of this window is out; empty when none is.
    const QString &waitText() const { return m_waitText; }

Q_SIGNALS:
    // A request of this window went out (text not empty) or was answered,
    // failed or replaced by another request (empty).
    void waitChanged(const QString &text);
    // The stored port cannot be used: the operator must correct it here.
    void storedPortRejected();

private:
    void onRegistrationLoaded(const Registration &registration);
    void beginWait(const Message &caption);
    void endWait();
    void watchLink();

    ClientSession &m_session;
    std::optional<Registration> m_sent;
    QString m_waitText;
    bool m_watchingLink = false;
    bool m_portReported = false;
};
