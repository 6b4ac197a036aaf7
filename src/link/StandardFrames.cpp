#include "link/StandardFrames.h"

#include "link/FrameFormat.h"
#include "link/FrameType.h"

namespace StandardFrames {

int BuildStandardFrame(FrameBuffer &buffer, const QString &clientId, const QString &listVersion,
                       char type)
{
    const QByteArray version = FrameFormat::textToWire(listVersion).left(ListVersionSize);
    char *bytes = buffer.SendBuffer.data();
    int i = FrameFormat::writeEnvelope(bytes, FrameFormat::StandardHeader,
                                       FrameFormat::clientIdField(clientId), type);
    for (int k = 0; k < ListVersionSize; ++k)
        bytes[i++] = k < version.size() ? version[k] : '\0';
    return i;
}

void BuildRequest(FrameBuffer &buffer, const QString &clientId, const QString &listVersion,
                  char type)
{
    const int end = BuildStandardFrame(buffer, clientId, listVersion, type);
    buffer.SendLength = FrameFormat::closeFrame(buffer.SendBuffer.data(), end);
}

void BuildRegistration(FrameBuffer &buffer, const QString &clientId, const QString &listVersion,
                       char flag)
{
    buffer.clearSendBuffer();
    int i = BuildStandardFrame(buffer, clientId, listVersion, FrameType::Registration);
    buffer.SendBuffer[i++] = flag;
    buffer.SendLength = FrameFormat::closeFrame(buffer.SendBuffer.data(), i);
}

void BuildFollowUpFrame(FrameBuffer &buffer, const std::array<char, 12> &clientIdBytes)
{
    char *bytes = buffer.SendBuffer.data();
    int i = FrameFormat::writeEnvelope(bytes, FrameFormat::ContentHeader,
                                       QByteArrayView(clientIdBytes.data(), clientIdBytes.size()),
                                       FrameType::FollowUp);
    bytes[i++] = '0';
    buffer.SendLength = FrameFormat::closeFrame(bytes, i);
}

} // namespace StandardFrames
