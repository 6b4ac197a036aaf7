#pragma once

#include "link/FrameBuffer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Finds the server's frames in the bytes of one connection, however the
// reads cut or merge them. The format has no length field: a frame's body
// ends where its type's layout says, and the frame ends at its closing bytes
// (checksum, high byte first, and 0x02). Bytes between a body and its
// closing are taken as part of that frame, found by the checksum, so they
// never become the head of the next frame. Pure: no socket, no clock.
class ServerFrameReader final {
public:
    // The most that may be held while no frame is complete: the frame buffer.
    static constexpr int MaxHeldBytes = FrameBuffer::SendBufferSize;

    // Takes at most room() bytes of `bytes`; returns how many it took.
    qsizetype append(QByteArrayView bytes);
    qsizetype room() const { return MaxHeldBytes - m_held.size(); }
    qsizetype heldBytes() const { return m_held.size(); }

    // The next complete frame, closing bytes included, or nothing while more
    // bytes are needed.
    std::optional<QByteArray> next();
    // The stream has ended: a body that is complete but whose closing bytes
    // never came, or nothing. Whatever else was held is dropped.
    std::optional<QByteArray> finish();
    // Held bytes fill the buffer and still hold no frame: they cannot be read.
    bool isStuck() const { return m_held.size() >= MaxHeldBytes && !frameLength(m_held); }
    void clear() { m_held.clear(); }

    // Length of the complete frame at the start of `bytes`, closing bytes included.
    static std::optional<int> frameLength(QByteArrayView bytes);
    // Where the body of the frame at the start of `bytes` ends, once it has all come.
    static std::optional<int> completeBodyEnd(QByteArrayView bytes);
    // Whether a whole report frame, as this reader cut it, is a full part (40
    // records, a skipped byte after each) rather than the last part: it is
    // when its closing bytes, or its end, follow the fortieth record.
    static bool isFullReportPart(QByteArrayView frame);

private:
    QByteArray m_held;
};
