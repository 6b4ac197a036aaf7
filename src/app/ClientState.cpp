#include "app/ClientState.h"

#include "link/FrameFormat.h"

void ClientState::setClientIdBytes(const QString &clientId)
{
    const QByteArray field = FrameFormat::clientIdField(clientId.trimmed());
    std::copy(field.cbegin(), field.cend(), ClientIDBytes.begin());
}
