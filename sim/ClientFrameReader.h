#pragma once

#include "ClientFrame.h"
#include "link/FrameBuffer.h"

#include <QByteArrayView>
#include <QString>

// Finds and reads client frames in the bytes received on a connection. The
// format has no length field, so a frame's extent follows from its type's
// layout; until the layout is complete the answer is "need more". Pure
// functions: they never read past the end of the view.
namespace ClientFrameReader {

// No frame in either direction may be larger than the client's buffer.
inline constexpr int MaxFrameSize = FrameBuffer::SendBufferSize;
inline constexpr int FollowUpSize = 23;        // S
inline constexpr int StandardRequestSize = 25; // P, C, O
inline constexpr int RegistrationSize = 26;    // R
inline constexpr int ReportQuerySize = 47;     // H
inline constexpr int PageSlotsOffset = 23;     // A
inline constexpr int SlotSize = 4;

enum class Status {
    NeedMore, // a frame may be complete once more bytes arrive
    Complete, // a whole frame of `length` bytes starts at offset 0
    Garbage,  // the bytes cannot be a client frame: drop the connection
};

struct Extent {
    Status status = Status::NeedMore;
    int length = 0;
    QString reason; // why the bytes are garbage
};

// Where the first frame in `received` ends, if it is complete.
Extent measure(QByteArrayView received);

// Takes apart one complete frame, as measured. Fields the frame lacks stay empty.
ClientFrame parse(QByteArrayView frame);

} // namespace ClientFrameReader
