#include "link/StandardFrames.h"

#include "app/ClientState.h"
#include "link/FrameFormat.h"
#include "link/FrameSender.h"
#include "store/ClientStore.h"

#include <algorithm>

namespace StandardFrames {

namespace {

int writeEnvelopeStart(ClientState &state, const char *header, const char *clientIdField, char type)
{
    char *buffer = state.SendBuffer.data();
    buffer[0] = FrameFormat::StartByte;
    std::copy_n(header, FrameFormat::HeaderSize, buffer + FrameFormat::HeaderOffset);
    std::copy_n(clientIdField, FrameFormat::ClientIdSize, buffer + FrameFormat::ClientIdOffset);
    buffer[FrameFormat::TypeOffset] = type;
    return FrameFormat::BodyOffset;
}

int closeFrame(ClientState &state, int count)
{
    FrameFormat::AppendChecksum(state.SendBuffer.data(), count);
    return count + FrameFormat::TrailerSize;
}

} // namespace

int BuildStandardFrame(ClientState &state, ClientStore &store, char type)
{
    const QByteArray version = FrameFormat::textToWire(store.listVersion()).left(3);
    const QByteArray clientId = FrameFormat::clientIdField(state.CurrentClientID);
    int i = writeEnvelopeStart(state, FrameFormat::StandardHeader, clientId.constData(), type);
    for (int k = 0; k < 3; ++k)
        state.SendBuffer[i++] = k < version.size() ? version[k] : '\0';
    return i;
}

void SendRequest(ClientState &state, ClientStore &store, FrameSender &sender, char type)
{
    state.SendLength = closeFrame(state, BuildStandardFrame(state, store, type));
    sender.SendFrame();
}

void SendRegistration(ClientState &state, ClientStore &store, FrameSender &sender, char flag)
{
    state.clearSendBuffer();
    int i = BuildStandardFrame(state, store, 'R');
    state.SendBuffer[i++] = flag;
    state.SendLength = closeFrame(state, i);
    sender.SendFrame();
}

void BuildOffLineFrame(ClientState &state, ClientStore &store)
{
    state.SendLength = closeFrame(state, BuildStandardFrame(state, store, 'O'));
}

void SendFollowUpFrame(ClientState &state, FrameSender &sender, const QString &itemText)
{
    Q_UNUSED(itemText)
    int i = writeEnvelopeStart(state, FrameFormat::ContentHeader, state.ClientIDBytes.data(), 'S');
    state.SendBuffer[i++] = '0';
    state.SendLength = closeFrame(state, i);
    sender.SendFrame();
}

} // namespace StandardFrames
