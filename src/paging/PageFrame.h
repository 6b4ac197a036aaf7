#pragma once

#include "link/FrameBuffer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Client frame A: one page. After the envelope come "0", the list version,
// one 4-byte slot per recipient (or the one slot that means everybody), the
// separator 0xFE, the page text, the end marker 0xFF, checksum and end byte.
namespace PageFrame {

inline constexpr int SlotSize = 4;
inline constexpr int ListVersionSize = 3;
// Envelope (19), "0", version (3), 0xFE, 0xFF, checksum and end byte (3).
inline constexpr int FixedSize = 28;

// "999" and a zero byte: the page goes to everybody.
QByteArray everybodySlot();

qsizetype frameSize(qsizetype slotCount, qsizetype textSize);
bool fitsSendBuffer(qsizetype slotCount, qsizetype textSize);

// The sender line and the message: "From Ann:" CR LF "Hi". The message goes
// in as it stands, blanks included.
QString pageText(const QString &fromWord, const QString &senderName, const QString &message);

// Writes frame A from offset 0 of SendBuffer and sets SendLength. Every slot
// is SlotSize bytes; a list version shorter than three characters is padded
// with zero bytes. A frame that would not fit SendBuffer is not written
// (false), so nothing half-built is ever sent.
bool BuildPageFrame(FrameBuffer &buffer, QByteArrayView clientIdField, const QString &listVersion,
                    const QList<QByteArray> &slots, QByteArrayView pageText);

} // namespace PageFrame
