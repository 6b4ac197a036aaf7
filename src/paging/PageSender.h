#pragma once

#include "paging/RecipientEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class ClientSession;

// A page as the send panel holds it when the operator presses Send.
struct PageDraft {
    QList<RecipientEntry> recipients;
    bool everybody = false; // "All": the list is neither needed nor used
    QString sender;         // as typed; blank means the client ID below
    QString message;
    QString clientId; // the registration window's client-ID field, as typed
};

// Checks a page, turns it into frame A and hands it to the server link.
// Every refusal is shown to the operator; the draft itself is never changed,
// so the same page can be sent again. Runs on the window thread, as does the
// request queue's follow-up frame, so the two never build in the frame buffer
// at the same time.
class PageSender final {
public:
    enum class Outcome {
        Sent,         // handed to the link (which sends nothing without a server address)
        NoRecipients, // the operator is to pick recipients
        NoMessage,    // the operator is to type a message
        Refused,      // shown why; nothing was sent
    };

    explicit PageSender(ClientSession &session);
    Q_DISABLE_COPY_MOVE(PageSender)

    Outcome send(const PageDraft &draft);

    // The name on the sender line: the sender field without its blanks, or
    // the client ID when the field is blank.
    static QString senderName(const PageDraft &draft);

private:
    // One slot per entry in list order, or nothing when an entry has no
    // usable serial number (shown, naming the entry).
    std::optional<QList<QByteArray>> lookUpSlots(const QList<RecipientEntry> &recipients);

    ClientSession &m_session;
};
