#pragma once

#include "link/ServerFrameReader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// What the client's frame reader makes of a stream that arrives in these
// reads, as the server link drives it: frames as they complete, the reading
// given up when the held bytes can hold no frame, and at the end a body
// whose closing never came.
inline QList<QByteArray> readFrames(const QList<QByteArrayView> &reads)
{
    ServerFrameReader reader;
    QList<QByteArray> frames;
    for (QByteArrayView read : reads) {
        while (!read.isEmpty()) {
            read = read.sliced(reader.append(read));
            while (const std::optional<QByteArray> frame = reader.next())
                frames.append(*frame);
            if (reader.isStuck())
                return frames;
        }
    }
    if (const std::optional<QByteArray> body = reader.finish())
        frames.append(*body);
    return frames;
}
