#include "app/ClientSession.h"

#include "app/Clock.h"
#include "app/Messenger.h"
#include "lang/LangFile.h"
#include "link/FrameFormat.h"
#include "link/FrameType.h"
#include "link/Item.h"
#include "link/ServerFrameParser.h"
#include "link/ServerFrameReader.h"
#include "link/ServerLink.h"
#include "link/StandardFrames.h"
#include "store/ClientStore.h"
#include "store/DatabaseError.h"

#include <QDir>
#include <QLocale>
#include <QLockFile>
#include <QLoggingCategory>

using namespace Qt::StringLiterals;
namespace Parser = ServerFrameParser;

Q_LOGGING_CATEGORY(lcSession, "quorvel.session", QtWarningMsg)

namespace {

char byteChar(QByteArrayView frame, int offset)
{
    const std::optional<std::uint8_t> byte = Parser::byteAt(frame, offset);
    return byte ? static_cast<char>(*byte) : '\0';
}

const Message &messageFor(LinkFailure failure)
{
    switch (failure) {
    case LinkFailure::Send:
        return Messages::Msg10;
    case LinkFailure::Receive:
        return Messages::Msg11;
    case LinkFailure::Connect:
        return Messages::Msg12;
    case LinkFailure::Lookup:
        return Messages::Msg15;
    case LinkFailure::General:
        break;
    }
    return Messages::Msg09;
}

// Whether a server frame of `answer`'s type belongs to the request its
// connection was opened for. Anything else is the server talking out of turn.
bool answers(char answer, char request)
{
    switch (request) {
    case FrameType::Registration:
        return answer == FrameType::RegistrationResult;
    case FrameType::ListRequest:
        return answer == FrameType::Lists;
    case FrameType::CannedRequest:
        return answer == FrameType::Canned;
    case FrameType::ReportQuery:
        return answer == FrameType::Report;
    case FrameType::OffLine:
        return answer == FrameType::CloseGrant;
    case FrameType::Page:
        return answer == FrameType::ListVersionNotice || answer == FrameType::TransmissionResult;
    default:
        return false;
    }
}

} // namespace

ClientSession::ClientSession(Messenger &messenger, const Clock &clock, const Options &options,
                             QObject *parent)
    : QObject(parent)
    , m_messenger(messenger)
    , m_clock(clock)
    , m_options(options)
    , m_discovery(new DiscoveryResponder(options.discoveryPort, this))
{
}

ClientSession::~ClientSession()
{
    // The worker goes first: nothing it posts may reach a half-destroyed session.
    m_worker.reset();
    m_link.reset();
}

bool ClientSession::start(const QString &workingDirectory)
{
    // Two clients on one Client.mdb would block each other's writes and lose updates.
    auto lock = std::make_unique<QLockFile>(QDir(workingDirectory).filePath(LockFileName));
    lock->setStaleLockTime(0);
    if (!lock->tryLock()) {
        showError(langText(Messages::Msg28).arg(QDir::toNativeSeparators(workingDirectory)));
        return false;
    }
    m_directoryLock = std::move(lock);
    m_state.WorkingDirectory = workingDirectory;
    m_store = std::make_unique<ClientStore>(workingDirectory);
    m_link = std::make_unique<ServerLink>(m_state, m_state);
    connect(m_link.get(), &ServerLink::frameReceived, this, &ClientSession::onFrame);
    connect(m_link.get(), &ServerLink::connectionDropped, this,
            &ClientSession::onConnectionDropped);
    connect(m_link.get(), &ServerLink::failed, this, &ClientSession::onLinkFailure);
    m_worker = std::make_unique<TQueryThread>(m_queue, m_clock, m_options.expiryDelay);
    m_langFile = std::make_unique<LangFile>(QDir(workingDirectory).filePath(LangFile::FileName));
    m_state.CurrentLanguage = m_langFile->ReadLangValue(u"Setting"_s, u"Language"_s, u"English"_s);
    try {
        m_store->open();
    } catch (const DatabaseError &error) {
        showError(error.text());
    }
    return true;
}

void ClientSession::signOn()
{
    if (!isStarted())
        return;
    try {
        if (const std::optional<Registration> registration = m_store->readRegistration()) {
            m_state.CurrentServerIP = registration->serverIp;
            m_state.CurrentServerPort = QString::number(registration->serverPort);
            m_state.CurrentClientID = registration->clientName;
            m_state.setClientIdBytes(registration->clientName);
            Q_EMIT registrationLoaded(*registration);
            SendRegistration('0');
        }
    } catch (const DatabaseError &error) {
        showError(error.text());
    }
}

void ClientSession::resumeWorker()
{
    if (m_worker)
        m_worker->resume();
}

std::optional<ComposeLists> ClientSession::composeLists()
{
    if (!isStarted())
        return std::nullopt;
    try {
        return ComposeLists{m_store->recipientNames(), m_store->groupNames(),
                            m_store->cannedTexts()};
    } catch (const DatabaseError &error) {
        showError(error.text());
        return std::nullopt;
    }
}

bool ClientSession::mayClose()
{
    if (m_state.CloseAllowed || !isStarted())
        return true;
    // Signed on: the server is told first, and the window waits a while for its answer.
    try {
        SendRequest(FrameType::OffLine);
    } catch (const DatabaseError &error) {
        // Nothing could be sent: the window closes rather than hang on an error.
        showError(error.text());
        return true;
    }
    m_closePending = true;
    return false;
}

bool ClientSession::closeWaitTick()
{
    if (m_state.CloseWaitTicks++ <= CloseWaitLimit)
        return false;
    if (m_link)
        m_link->dropConnection();
    m_state.CloseAllowed = true;
    return true;
}

void ClientSession::closeDown()
{
    if (!isStarted())
        return;
    try {
        m_store->markOfflineReportRows(m_clock.now());
    } catch (const DatabaseError &error) {
        showError(error.text());
    }
    m_link->dropConnection();
}

void ClientSession::clearStatusNotice()
{
    m_state.StatusKind = StatusKind::Nothing;
    Q_EMIT statusCleared();
}

void ClientSession::buildRequest(char type)
{
    StandardFrames::BuildRequest(m_state, m_state.CurrentClientID, m_store->listVersion(), type);
}

void ClientSession::SendRequest(char type)
{
    buildRequest(type);
    sendBuiltFrame();
}

void ClientSession::SendRegistration(char flag)
{
    StandardFrames::BuildRegistration(m_state, m_state.CurrentClientID, m_store->listVersion(),
                                      flag);
    sendBuiltFrame();
}

void ClientSession::sendBuiltFrame()
{
    m_chainLimiter.reset();
    m_link->SendFrame();
}

void ClientSession::SendFollowUpFrame(const QString &itemText)
{
    Q_UNUSED(itemText) // the queue entry's text is not part of the frame
    if (!chainAllowed(FrameType::FollowUp))
        return;
    StandardFrames::BuildFollowUpFrame(m_state, m_state.ClientIDBytes);
    m_link->SendFrame();
}

bool ClientSession::chainAllowed(char type)
{
    if (m_chainLimiter.allow(type, m_clock.tickCount()))
        return true;
    qCDebug(lcSession) << "stopped: the server asked for" << QLatin1Char(type)
                       << "too often; waiting for the operator";
    showStatusFailure(langText(Messages::Msg24));
    return false;
}

void ClientSession::sendChained(char type)
{
    if (!chainAllowed(type)) {
        closeConnection();
        return;
    }
    buildRequest(type);
    m_link->SendFrame();
}

void ClientSession::showStatusFailure(const QString &text)
{
    m_state.StatusKind = StatusKind::Failure;
    Q_EMIT statusFailure(text);
}

QString ClientSession::langText(const Message &message) const
{
    const QString defaultText = message.defaultString();
    return m_langFile
               ? m_langFile->ReadLangText(m_state.CurrentLanguage, message.keyString(), defaultText)
               : defaultText;
}

QString ClientSession::productTitle() const
{
    return m_state.ProductTitle;
}

QString ClientSession::versionLabel(const QString &version)
{
    bool isNumber = false;
    const double number = version.toDouble(&isNumber);
    return isNumber ? QLocale().toString(number * 0.1, 'g', 15) : version;
}

void ClientSession::showMessage(const Message &message)
{
    m_messenger.showWarning(productTitle(), langText(message));
}

void ClientSession::showError(const QString &text)
{
    m_messenger.showWarning(productTitle(), text);
}

void ClientSession::closeConnection()
{
    m_link->dropConnection();
}

void ClientSession::onConnectionDropped()
{
    if (!m_reportOpen)
        return;
    // The parts that came are kept, and the operator learns the rest is missing.
    m_reportOpen = false;
    try {
        m_store->finishReport();
    } catch (const DatabaseError &error) {
        showError(error.text());
    }
    if (m_reportCut)
        showStatusFailure(langText(Messages::Msg25).arg(m_reportRows));
    else
        showStatusFailure(langText(Messages::Msg26).arg(m_reportRows));
}

void ClientSession::onLinkFailure(LinkFailure failure)
{
    showMessage(messageFor(failure));
}

void ClientSession::onFrame(QByteArrayView frame)
{
    const char type = byteChar(frame, FrameFormat::TypeOffset);
    const char request = m_link->requestType();
    if (!answers(type, request)) {
        qCDebug(lcSession) << "ignored: frame" << QLatin1Char(type) << "does not answer request"
                           << QLatin1Char(request);
        return;
    }
    try {
        switch (type) {
        case FrameType::ListVersionNotice:
            onNotice(frame);
            break;
        case FrameType::Lists:
            onLists(frame);
            break;
        case FrameType::Canned:
            onCanned(frame);
            break;
        case FrameType::Report:
            onReport(frame);
            break;
        case FrameType::CloseGrant:
            onCloseGrant(frame);
            break;
        case FrameType::RegistrationResult:
            onRegistration(frame);
            break;
        case FrameType::TransmissionResult:
            onTransmissionResult(frame);
            break;
        default:
            break; // not ours to answer: the connection stays as it is
        }
    } catch (const DatabaseError &error) {
        showError(error.text());
    }
}

void ClientSession::onNotice(QByteArrayView frame)
{
    const char status = byteChar(frame, Parser::NoticeStatusOffset);
    if (status == '1') {
        closeConnection();
        Q_EMIT compositionCleared(true);
        m_queue.append(Item{u"Item1"_s, 123, m_clock.tickCount(),
                            [this](const QString &text) { SendFollowUpFrame(text); }});
        m_state.StatusKind = StatusKind::Notice;
        Q_EMIT statusNotice(langText(Messages::Msg05));
    } else if (status == '2') {
        m_state.ListUpdateMode = ListUpdateMode::Server;
        sendChained(FrameType::ListRequest);
    }
}

void ClientSession::onLists(QByteArrayView frame)
{
    closeConnection();
    Q_EMIT compositionCleared(false);
    const Parser::ListsFrame lists = Parser::parseLists(frame);
    if (lists.malformed)
        return;
    Q_EMIT listVersionChanged(versionLabel(lists.version));
    m_store->replaceLists(lists.version, lists.recipients, lists.groups);
    sendChained(FrameType::CannedRequest);
}

void ClientSession::onCanned(QByteArrayView frame)
{
    closeConnection();
    const Parser::CannedFrame canned = Parser::parseCanned(frame);
    if (canned.malformed)
        return;
    m_store->replaceCanned(canned.texts);
    Q_EMIT listsChanged();
    if (m_state.ListUpdateMode == ListUpdateMode::Operator)
        showMessage(Messages::Msg03);
    else if (m_state.ListUpdateMode == ListUpdateMode::Server)
        showMessage(Messages::Msg04);
}

void ClientSession::onReport(QByteArrayView frame)
{
    const std::uint8_t code = Parser::byteAt(frame, Parser::PartCodeOffset).value_or(0);
    if (code == 0) {
        m_reportOpen = false;
        m_store->clearReport();
        closeConnection();
        return;
    }
    const bool last = !ServerFrameReader::isFullReportPart(frame);
    // The rows go to the store as they lie in the frame: no copy of their texts.
    const Parser::ReportPart part = Parser::parseReportPart(
        frame, last ? Parser::ReportLayout::Last : Parser::ReportLayout::Full, Parser::Keep::Views);
    storeReportPart(code, part.fields, last);
}

void ClientSession::storeReportPart(std::uint8_t code, const QList<ReportFields> &records,
                                    bool last)
{
    if (code == 1 || !m_reportOpen) {
        m_reportRows = 0;
        m_reportCut = false;
    }
    const qsizetype room = m_options.reportRowLimit - m_reportRows;
    const QList<ReportFields> kept = records.size() > room ? records.first(room) : records;
    m_reportOpen = true;
    try {
        if (code == 1)
            m_store->startWireReport(kept);
        else
            m_store->appendWireReport(kept);
    } catch (const DatabaseError &) {
        m_reportOpen = false;
        closeConnection();
        throw;
    }
    m_reportRows += kept.size();
    if (kept.size() < records.size()) {
        qCDebug(lcSession) << "report cut at" << m_reportRows << "rows";
        m_reportCut = true;
        closeConnection(); // keeps what came and says where it was cut
    } else if (last) {
        m_reportOpen = false;
        closeConnection();
        m_store->finishReport();
    }
}

void ClientSession::onCloseGrant(QByteArrayView frame)
{
    if (byteChar(frame, Parser::ResultOffset) != '1' || !m_closePending)
        return;
    closeConnection();
    m_state.CloseAllowed = true;
    Q_EMIT closeGranted();
}

void ClientSession::onRegistration(QByteArrayView frame)
{
    switch (byteChar(frame, Parser::ResultOffset)) {
    case '1': {
        closeConnection();
        // A port that is not a number is stored as 0, which sends nothing later.
        m_store->replaceRegistration(m_registrationSource ? m_registrationSource()
                                                          : Registration{});
        showMessage(Messages::Msg06);
        Q_EMIT registrationAccepted();
        m_state.CloseAllowed = false;
        sendChained(FrameType::ListRequest);
        break;
    }
    case '0':
        closeConnection();
        showMessage(Messages::Msg07);
        break;
    case '2':
        closeConnection();
        showMessage(Messages::Msg08);
        break;
    default:
        break;
    }
}

void ClientSession::onTransmissionResult(QByteArrayView frame)
{
    const std::uint8_t failed = Parser::byteAt(frame, Parser::FailureCountOffset).value_or(0);
    if (failed != 0)
        showStatusFailure(u" There are "_s + QString::number(failed) +
                          u" data transmission failed."_s);
    closeConnection();
}
