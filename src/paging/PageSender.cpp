#include "paging/PageSender.h"

#include "app/ClientSession.h"
#include "lang/Messages.h"
#include "link/FrameFormat.h"
#include "link/ServerLink.h"
#include "paging/MessageText.h"
#include "paging/PageFrame.h"
#include "store/ClientStore.h"
#include "store/DatabaseError.h"

PageSender::PageSender(ClientSession &session)
    : m_session(session)
{
}

QString PageSender::senderName(const PageDraft &draft)
{
    const QString sender = draft.sender.trimmed();
    return sender.isEmpty() ? draft.clientId.trimmed() : sender;
}

PageSender::Outcome PageSender::send(const PageDraft &draft)
{
    if (draft.recipients.isEmpty() && !draft.everybody) {
        m_session.showMessage(Messages::Msg01);
        return Outcome::NoRecipients;
    }
    if (MessageText::isBlank(draft.message)) {
        m_session.showMessage(Messages::Msg02);
        return Outcome::NoMessage;
    }
    if (!m_session.isStarted())
        return Outcome::Refused;

    ClientState &state = m_session.state();
    const QByteArray text = FrameFormat::textToWire(
        PageFrame::pageText(state.FromWord, senderName(draft), draft.message));
    const qsizetype slotCount = draft.everybody ? 1 : draft.recipients.size();
    // Checked before the look-ups: a list this long would only be looked up in vain.
    if (!PageFrame::fitsSendBuffer(slotCount, text.size())) {
        m_session.showMessage(Messages::Msg22);
        return Outcome::Refused;
    }
    try {
        const std::optional<QList<QByteArray>> slots =
            draft.everybody ? QList<QByteArray>{PageFrame::everybodySlot()}
                            : lookUpSlots(draft.recipients);
        if (!slots)
            return Outcome::Refused;
        const QByteArrayView clientIdField(state.ClientIDBytes.data(), state.ClientIDBytes.size());
        PageFrame::BuildPageFrame(state, clientIdField, m_session.store().listVersion(), *slots,
                                  text);
    } catch (const DatabaseError &error) {
        m_session.showError(error.text());
        return Outcome::Refused;
    }
    m_session.sendBuiltFrame();
    return Outcome::Sent;
}

std::optional<QList<QByteArray>> PageSender::lookUpSlots(const QList<RecipientEntry> &recipients)
{
    ClientStore &store = m_session.store();
    QList<QByteArray> slots;
    slots.reserve(recipients.size());
    for (const RecipientEntry &entry : recipients) {
        const std::optional<QString> serial = entry.kind == RecipientKind::Person
                                                  ? store.recipientSerial(entry.text)
                                                  : store.groupSerial(entry.text);
        const QByteArray wire = FrameFormat::textToWire(serial.value_or(QString()));
        // The name left the lists since it was picked, or its number is cut
        // short: a slot of the wrong size would shift every byte after it.
        if (wire.size() < PageFrame::SlotSize) {
            m_session.showError(m_session.langText(Messages::Msg21).arg(entry.text));
            return std::nullopt;
        }
        slots.append(wire.left(PageFrame::SlotSize));
    }
    return slots;
}
