#include "link/ServerLink.h"

#include "app/ClientState.h"
#include "app/Clock.h"
#include "link/ClientView.h"
#include "link/FrameFormat.h"
#include "link/Item.h"
#include "link/RequestQueue.h"
#include "link/ServerFrameParser.h"
#include "link/StandardFrames.h"
#include "store/ClientStore.h"
#include "store/DatabaseError.h"

#include <QTcpSocket>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;
namespace Parser = ServerFrameParser;

namespace {

constexpr int NoticeBodyEnd = 24;
constexpr int ResultBodyEnd = 23;
constexpr int FailureBodyEnd = 20;

struct ReportExtent {
    int end = -1;
    bool last = false;
};

// A full report part is 40 records with a skip byte after each; it holds no
// 0xFF. A last part has its records back to back up to 0xFF.
ReportExtent reportExtent(QByteArrayView bytes)
{
    const std::optional<std::uint8_t> code = Parser::byteAt(bytes, Parser::PartCodeOffset);
    if (!code)
        return {};
    if (*code == 0)
        return {Parser::ReportRecordsOffset, true};
    // One byte more than has come: a full part whose final skip byte is still
    // missing then ends past the bytes instead of at their end.
    QByteArray padded = bytes.toByteArray();
    padded.append('\0');
    const Parser::ReportPart full = Parser::parseReportPart(padded, Parser::ReportLayout::Full);
    if (!full.malformed && full.end >= 0) {
        const QByteArrayView body = QByteArrayView(padded).sliced(
            Parser::ReportRecordsOffset, full.end - Parser::ReportRecordsOffset);
        if (!body.contains(static_cast<char>(FrameFormat::ListEnd)))
            return {full.end, false};
    }
    const Parser::ReportPart last = Parser::parseReportPart(bytes, Parser::ReportLayout::Last);
    return {last.malformed ? -1 : last.end, true};
}

// Where the body of a known frame type ends, -1 while it is incomplete, or
// nothing for a type the client does not know.
std::optional<int> bodyEnd(QByteArrayView bytes, char type)
{
    switch (type) {
    case 'a':
        return NoticeBodyEnd;
    case 'r':
    case 'o':
        return ResultBodyEnd;
    case 's':
        return FailureBodyEnd;
    case 'p':
        return Parser::parseLists(bytes).end;
    case 'c':
        return Parser::parseCanned(bytes).end;
    case 'h':
        return reportExtent(bytes).end;
    default:
        return std::nullopt;
    }
}

char byteChar(QByteArrayView frame, int offset)
{
    const std::optional<std::uint8_t> byte = Parser::byteAt(frame, offset);
    return byte ? static_cast<char>(*byte) : '\0';
}

struct SocketMessage {
    QString key;
    QString defaultText;
};

const SocketMessage GeneralError{u"Msg09"_s,
                                 u"The socket received an error message that does not fit \n"
                                 u"into any of the following categories."_s};
const SocketMessage SendError{
    u"Msg10"_s, u"An error occurred when trying to write to the socket \nconnection."_s};
const SocketMessage ReceiveError{
    u"Msg11"_s, u"An error occurred when trying to read from the socket \nconnection."_s};
const SocketMessage ConnectError{
    u"Msg12"_s, u"A connection request that was already accepted could not \nbe completed."_s};
const SocketMessage LookupError{u"Msg15"_s, u"Unknow error."_s};

} // namespace

ServerLink::ServerLink(ClientState &state, ClientStore &store, RequestQueue &queue,
                       const Clock &clock, ClientView &view, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_store(store)
    , m_queue(queue)
    , m_clock(clock)
    , m_view(view)
    , m_socket(new QTcpSocket(this))
{
    m_socket->setObjectName(u"ClientSocket"_s);
    connect(m_socket, &QTcpSocket::connected, this, &ServerLink::ClientSocketConnect);
    connect(m_socket, &QTcpSocket::readyRead, this, &ServerLink::ClientSocketRead);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ServerLink::ClientSocketError);
}

ServerLink::~ServerLink()
{
    // Nothing may reach the windows while they are going away.
    m_socket->disconnect(this);
    m_socket->abort();
}

bool ServerLink::isConnectionOpen() const
{
    return m_socket->state() != QAbstractSocket::UnconnectedState;
}

void ServerLink::SendFrame()
{
    dropConnection();
    if (m_state.CurrentServerIP.isEmpty() || m_state.CurrentServerPort.isEmpty())
        return;
    bool isNumber = false;
    const int port = m_state.CurrentServerPort.toInt(&isNumber);
    if (!isNumber || port < 1 || port > 65535)
        return;
    m_socket->connectToHost(m_state.CurrentServerIP, static_cast<quint16>(port));
}

void ServerLink::dropConnection()
{
    ++m_generation;
    m_connected = false;
    m_received.clear();
    m_trailerMayFollow = false;
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
    if (m_reportOpen) {
        // The parts that came are kept; the rest of the answer is lost.
        m_reportOpen = false;
        try {
            m_store.finishReport();
        } catch (const DatabaseError &error) {
            m_view.showError(error.text());
        }
    }
}

void ServerLink::ClientSocketConnect()
{
    m_connected = true;
    const int length = std::clamp(m_state.SendLength, 0, ClientState::SendBufferSize);
    m_socket->write(m_state.SendBuffer.data(), length);
}

std::optional<ServerLink::FrameExtent> ServerLink::measureFrame(QByteArrayView bytes,
                                                                bool readEnded)
{
    const std::optional<char> type = Parser::frameType(bytes);
    if (!type)
        return std::nullopt;
    const std::optional<int> end = bodyEnd(bytes, *type);
    if (!end) // an unknown type: everything that has come
        return FrameExtent{static_cast<int>(bytes.size()), true};
    if (*end < 0 || *end > bytes.size())
        return std::nullopt;
    if (bytes.size() >= *end + FrameFormat::TrailerSize)
        return FrameExtent{*end + FrameFormat::TrailerSize, true};
    if (readEnded && bytes.size() == *end)
        return FrameExtent{*end, false};
    return std::nullopt;
}

std::optional<int> ServerLink::completeFrameLength(QByteArrayView bytes, bool readEnded)
{
    const std::optional<FrameExtent> extent = measureFrame(bytes, readEnded);
    return extent ? std::optional<int>(extent->length) : std::nullopt;
}

void ServerLink::ClientSocketRead()
{
    const std::uint64_t generation = m_generation;
    while (generation == m_generation && m_socket->bytesAvailable() > 0) {
        const qint64 room = MaxHeldBytes - m_received.size();
        m_received += m_socket->read(room);
        const bool readEnded = m_socket->bytesAvailable() == 0;
        while (generation == m_generation && skipLateTrailer()) {
            const std::optional<FrameExtent> extent = measureFrame(m_received, readEnded);
            if (!extent)
                break;
            const QByteArray frame = m_received.first(extent->length);
            m_received.remove(0, extent->length);
            m_trailerMayFollow = !extent->withTrailer;
            handleFrame(frame);
        }
        if (generation == m_generation && m_received.size() >= MaxHeldBytes) {
            // No frame fits the buffer: the answer cannot be read.
            dropConnection();
        }
    }
}

bool ServerLink::skipLateTrailer()
{
    if (!m_trailerMayFollow)
        return true;
    if (m_received.size() < FrameFormat::TrailerSize)
        return false;
    // A frame was taken at its body's end when a read stopped there; its
    // checksum and end byte may still have come after it.
    const bool trailer = m_received[FrameFormat::TrailerSize - 1] == FrameFormat::EndByte &&
                         (m_received.size() == FrameFormat::TrailerSize ||
                          m_received[FrameFormat::TrailerSize] == FrameFormat::StartByte);
    if (trailer)
        m_received.remove(0, FrameFormat::TrailerSize);
    m_trailerMayFollow = false;
    return true;
}

void ServerLink::handleFrame(QByteArrayView frame)
{
    std::memcpy(m_state.SendBuffer.data(), frame.data(), static_cast<std::size_t>(frame.size()));
    m_state.ReceivedLength = static_cast<std::int32_t>(frame.size());
    try {
        dispatch(QByteArrayView(m_state.SendBuffer.data(), m_state.ReceivedLength));
    } catch (const DatabaseError &error) {
        m_view.showError(error.text());
    }
}

void ServerLink::dispatch(QByteArrayView frame)
{
    switch (byteChar(frame, FrameFormat::TypeOffset)) {
    case 'a':
        onNotice(frame);
        break;
    case 'p':
        onLists(frame);
        break;
    case 'c':
        onCanned(frame);
        break;
    case 'h':
        onReport(frame);
        break;
    case 'o':
        onCloseGrant(frame);
        break;
    case 'r':
        onRegistration(frame);
        break;
    case 's':
        onTransmissionResult(frame);
        break;
    default:
        break; // not ours to answer: the connection stays as it is
    }
}

void ServerLink::onNotice(QByteArrayView frame)
{
    const char status = byteChar(frame, Parser::NoticeStatusOffset);
    if (status == '1') {
        closeConnection();
        m_view.clearComposition(true);
        m_queue.append(Item{u"Item1"_s, 123, m_clock.tickCount(), [this](const QString &text) {
                                StandardFrames::SendFollowUpFrame(m_state, *this, text);
                            }});
        m_state.StatusKind = 1;
        m_view.showStatusNotice(
            m_view.langText(u"Msg05"_s, u"Version update. Please select again!"_s));
    } else if (status == '2') {
        m_state.ListUpdateMode = 2;
        StandardFrames::SendRequest(m_state, m_store, *this, 'P');
    }
}

void ServerLink::onLists(QByteArrayView frame)
{
    closeConnection();
    m_view.clearComposition(false);
    const Parser::ListsFrame lists = Parser::parseLists(frame);
    if (lists.malformed)
        return;
    bool isNumber = false;
    const int version = lists.version.toInt(&isNumber);
    m_view.setListVersionLabel(isNumber ? QString::number(version * 0.1, 'g', 15) : lists.version);
    m_store.setListVersion(lists.version);
    m_store.replaceRecipients(lists.recipients);
    if (lists.groups)
        m_store.replaceGroups(*lists.groups);
    StandardFrames::SendRequest(m_state, m_store, *this, 'C');
}

void ServerLink::onCanned(QByteArrayView frame)
{
    closeConnection();
    const Parser::CannedFrame canned = Parser::parseCanned(frame);
    if (canned.malformed)
        return;
    m_store.replaceCanned(canned.texts);
    m_view.loadComposeLists();
    if (m_state.ListUpdateMode == 1)
        m_view.showMessage(u"Msg03"_s, u"Version update Success!"_s);
    else if (m_state.ListUpdateMode == 2)
        m_view.showMessage(u"Msg04"_s, u"Version update. Please select again!"_s);
}

void ServerLink::onReport(QByteArrayView frame)
{
    const std::uint8_t code = Parser::byteAt(frame, Parser::PartCodeOffset).value_or(0);
    if (code == 0) {
        m_reportOpen = false;
        m_store.clearReport();
        closeConnection();
        return;
    }
    const bool last = reportExtent(frame).last;
    const Parser::ReportPart part = Parser::parseReportPart(
        frame, last ? Parser::ReportLayout::Last : Parser::ReportLayout::Full);
    m_reportOpen = true;
    try {
        if (code == 1)
            m_store.startReport(part.records);
        else
            m_store.appendReport(part.records);
    } catch (const DatabaseError &) {
        m_reportOpen = false;
        closeConnection();
        throw;
    }
    if (last)
        closeConnection(); // finishes the report
}

void ServerLink::onCloseGrant(QByteArrayView frame)
{
    if (byteChar(frame, Parser::ResultOffset) != '1')
        return;
    closeConnection();
    m_state.CloseAllowed = true;
    m_view.requestClose();
}

void ServerLink::onRegistration(QByteArrayView frame)
{
    switch (byteChar(frame, Parser::ResultOffset)) {
    case '1': {
        closeConnection();
        const ClientView::RegistrationFields fields = m_view.registrationFields();
        // A port that is not a number is stored as 0, which sends nothing later.
        m_store.replaceRegistration({fields.clientId, fields.serverIp, fields.serverPort.toInt()});
        m_view.showMessage(u"Msg06"_s, u"Register Success!"_s);
        m_view.registrationAccepted();
        m_state.CloseAllowed = false;
        StandardFrames::SendRequest(m_state, m_store, *this, 'P');
        break;
    }
    case '0':
        closeConnection();
        m_view.showMessage(u"Msg07"_s,
                           u"The Client ID has been used. Please use another Client ID!"_s);
        break;
    case '2':
        closeConnection();
        m_view.showMessage(u"Msg08"_s, u"System reached the maximum number, please log later!"_s);
        break;
    default:
        break;
    }
}

void ServerLink::onTransmissionResult(QByteArrayView frame)
{
    const std::uint8_t failed = Parser::byteAt(frame, Parser::FailureCountOffset).value_or(0);
    if (failed != 0) {
        m_state.StatusKind = 2;
        m_view.showStatusFailure(u" There are "_s + QString::number(failed) +
                                 u" data transmission failed."_s);
    }
    closeConnection();
}

void ServerLink::ClientSocketError(QAbstractSocket::SocketError error)
{
    if (error == QAbstractSocket::RemoteHostClosedError) {
        // The server's normal way of ending an answer.
        dropConnection();
        return;
    }
    const SocketMessage *message = &GeneralError;
    if (error == QAbstractSocket::HostNotFoundError)
        message = &LookupError;
    else if (!m_connected)
        message = &ConnectError;
    else if (m_socket->bytesToWrite() > 0)
        message = &SendError;
    else if (error == QAbstractSocket::NetworkError || error == QAbstractSocket::SocketTimeoutError)
        message = &ReceiveError;
    // Dropped first: the modal box lets other events run.
    dropConnection();
    m_view.showMessage(message->key, message->defaultText);
}
