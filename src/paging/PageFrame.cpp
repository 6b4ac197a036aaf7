#include "paging/PageFrame.h"

#include "link/FrameFormat.h"
#include "link/FrameType.h"

#include <algorithm>

namespace PageFrame {

QByteArray everybodySlot()
{
    return QByteArray("999\0", SlotSize);
}

qsizetype frameSize(qsizetype slotCount, qsizetype textSize)
{
    return FixedSize + SlotSize * slotCount + textSize;
}

bool fitsSendBuffer(qsizetype slotCount, qsizetype textSize)
{
    return frameSize(slotCount, textSize) <= FrameBuffer::SendBufferSize;
}

QString pageText(const QString &fromWord, const QString &senderName, const QString &message)
{
    return fromWord + u' ' + senderName + u":\r\n" + message;
}

bool BuildPageFrame(FrameBuffer &buffer, QByteArrayView clientIdField, const QString &listVersion,
                    const QList<QByteArray> &slots, QByteArrayView pageText)
{
    if (!fitsSendBuffer(slots.size(), pageText.size()))
        return false;
    const QByteArray version = FrameFormat::textToWire(listVersion).left(ListVersionSize);
    char *bytes = buffer.SendBuffer.data();
    int i = FrameFormat::writeEnvelope(bytes, FrameFormat::ContentHeader, clientIdField,
                                       FrameType::Page);
    bytes[i++] = '0';
    for (int k = 0; k < ListVersionSize; ++k)
        bytes[i++] = k < version.size() ? version[k] : '\0';
    for (const QByteArray &slot : slots) {
        Q_ASSERT(slot.size() == SlotSize);
        i = static_cast<int>(std::copy_n(slot.constData(), SlotSize, bytes + i) - bytes);
    }
    bytes[i++] = static_cast<char>(FrameFormat::RecordEnd);
    i = static_cast<int>(std::copy_n(pageText.data(), pageText.size(), bytes + i) - bytes);
    bytes[i++] = static_cast<char>(FrameFormat::ListEnd);
    buffer.SendLength = FrameFormat::closeFrame(bytes, i);
    return true;
}

} // namespace PageFrame
