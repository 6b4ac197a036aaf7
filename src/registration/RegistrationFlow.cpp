#include "registration/RegistrationFlow.h"

#include "app/ClientSession.h"
#include "link/FrameType.h"
#include "link/ServerLink.h"
#include "store/ClientStore.h"
#include "store/DatabaseError.h"

using namespace Qt::StringLiterals;

namespace {

// The wait shows the caption of the button that started it, so it reads in
// the operator's language without a text of its own.
constexpr Message RegisterCaption{u"fmRegSer_btnReg", u"Register"};
constexpr Message VersionUpdateCaption{u"fmRegSer_btnRecpt", u"Version Update"};

// The address and port a first registration starts from.
const QString FirstServerIp = u"127.0.0.1"_s;
const QString FirstServerPort = u"1024"_s;

} // namespace

RegistrationFlow::RegistrationFlow(ClientSession &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    connect(&m_session, &ClientSession::registrationLoaded, this,
            &RegistrationFlow::onRegistrationLoaded);
    m_session.setRegistrationSource([this] { return acceptedRegistration(); });
}

RegistrationFlow::~RegistrationFlow()
{
    m_session.setRegistrationSource({});
}

RegistrationFlow::Opening RegistrationFlow::FormShow()
{
    Opening opening;
    opening.placement = RegistrationRules::placementFor(m_session.state().CurrentLanguage,
                                                        m_session.productTitle());
    if (!m_session.isStarted())
        return opening;
    try {
        if (const std::optional<Registration> stored =
                m_session.store().readRegistrationForSettings()) {
            opening.fields =
                Fields{stored->serverIp, QString::number(stored->serverPort), stored->clientName};
            opening.clientIdEnabled = stored->clientName.isEmpty();
            m_session.state().setClientIdBytes(stored->clientName);
        } else {
            opening.fields = Fields{FirstServerIp, FirstServerPort, QString()};
        }
        const std::optional<QString> version = m_session.store().listVersionForSettings();
        opening.versionLabel = version ? ClientSession::versionLabel(*version) : u"NULL"_s;
    } catch (const DatabaseError &error) {
        m_session.showError(error.text());
    }
    return opening;
}

bool RegistrationFlow::btnRegister(const Fields &typed, bool clientIdEditable)
{
    if (const std::optional<Message> problem = RegistrationRules::firstProblem(typed)) {
        m_session.showMessage(*problem);
        return false;
    }
    if (!m_session.isStarted())
        return false;
    const Registration sent = RegistrationRules::trimmed(typed);
    ClientState &state = m_session.state();
    state.CurrentServerIP = sent.serverIp;
    state.CurrentServerPort = typed.serverPort.trimmed();
    state.CurrentClientID = sent.clientName;
    state.setClientIdBytes(sent.clientName);
    m_sent = sent;
    try {
        m_session.SendRegistration(clientIdEditable ? '1' : '0');
    } catch (const DatabaseError &error) {
        m_session.showError(error.text());
        return false;
    }
    beginWait(RegisterCaption);
    return true;
}

void RegistrationFlow::btnRecptClick()
{
    if (!m_session.isStarted())
        return;
    m_session.state().ListUpdateMode = ListUpdateMode::Operator;
    try {
        m_session.SendRequest(FrameType::ListRequest);
    } catch (const DatabaseError &error) {
        m_session.showError(error.text());
        return;
    }
    beginWait(VersionUpdateCaption);
}

Registration RegistrationFlow::acceptedRegistration() const
{
    if (m_sent)
        return *m_sent;
    // Nothing sent yet: the identity the session holds.
    const ClientState &state = m_session.state();
    return {state.CurrentClientID, state.CurrentServerIP, state.port().value_or(0)};
}

void RegistrationFlow::onRegistrationLoaded(const Registration &registration)
{
    // The sign-on sends the stored registration; an acceptance stores it unchanged.
    m_sent = registration;
    if (RegistrationRules::isValidPort(registration.serverPort) || m_portReported)
        return;
    // Every request would go nowhere; said once, where it can be mended.
    m_portReported = true;
    m_session.showMessage(Messages::Msg23);
    Q_EMIT storedPortRejected();
}

void RegistrationFlow::beginWait(const Message &caption)
{
    watchLink();
    m_waitText = m_session.langText(caption) + u" …"_s;
    Q_EMIT waitChanged(m_waitText);
}

void RegistrationFlow::endWait()
{
    if (m_waitText.isEmpty())
        return;
    m_waitText.clear();
    Q_EMIT waitChanged(m_waitText);
}

void RegistrationFlow::watchLink()
{
    ServerLink *link = m_session.link();
    if (m_watchingLink || !link)
        return;
    m_watchingLink = true;
    // One connection per request: its answer, its failure, or the next
    // request (which drops it) ends the wait.
    connect(link, &ServerLink::frameReceived, this, &RegistrationFlow::endWait);
    connect(link, &ServerLink::connectionDropped, this, &RegistrationFlow::endWait);
}
