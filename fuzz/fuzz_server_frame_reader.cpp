// The reader the client uses on every connection, fed a stream cut into
// reads at points taken from the input: the same frames come out as from the
// stream uncut, and a frame found complete has the same length however much
// of what follows it has come.
#include "FrameStream.h"
#include "FuzzInput.h"
#include "link/ServerFrameReader.h"

#include <QByteArray>
#include <QList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    // The first bytes choose the cuts: each one is the length of a read.
    const int cutCount = input.byte() % 16;
    QList<int> cuts;
    for (int i = 0; i < cutCount; ++i) {
        const int high = input.byte();
        cuts.append(1 + (high << 4 | input.byte() >> 4));
    }
    const QByteArrayView stream = input.rest();

    const QList<QByteArray> whole = readFrames({stream});
    QList<QByteArrayView> pieces;
    QByteArrayView rest = stream;
    for (qsizetype i = 0; !rest.isEmpty(); ++i) {
        const qsizetype pieceSize = cuts.isEmpty() ? 64 : cuts[i % cuts.size()];
        pieces.append(rest.first(std::min(pieceSize, rest.size())));
        rest = rest.sliced(pieces.last().size());
    }
    const QList<QByteArray> cut = readFrames(pieces);
    FUZZ_CHECK(cut == whole);

    qsizetype offset = 0;
    for (const QByteArray &frame : whole) {
        FUZZ_CHECK(stream.sliced(offset).startsWith(frame));
        const QByteArrayView following = stream.sliced(offset);
        const std::optional<int> length = ServerFrameReader::frameLength(following);
        if (length) {
            // Found in the whole stream: the same once only its own bytes have come.
            FUZZ_CHECK(*length == frame.size());
            FUZZ_CHECK(ServerFrameReader::frameLength(following.first(*length)) == length);
            FUZZ_CHECK(!ServerFrameReader::frameLength(following.first(*length - 1)));
        }
        offset += frame.size();
    }
    FUZZ_CHECK(offset <= stream.size());
    return 0;
}
