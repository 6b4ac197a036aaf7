// The simulated server's reader of client frames: a frame it finds complete
// is found the same on its own bytes, and reading it stays within them.
#include "ClientFrameReader.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QByteArrayView bytes = input.rest();
    const ClientFrameReader::Extent extent = ClientFrameReader::measure(bytes);
    if (extent.status != ClientFrameReader::Status::Complete)
        return 0;
    FUZZ_CHECK(extent.length > 0 && extent.length <= bytes.size());
    const QByteArrayView frame = bytes.first(extent.length);
    const ClientFrameReader::Extent alone = ClientFrameReader::measure(frame);
    FUZZ_CHECK(alone.status == ClientFrameReader::Status::Complete &&
               alone.length == extent.length);
    const ClientFrame parsed = ClientFrameReader::parse(frame);
    FUZZ_CHECK(parsed.type == frame[18]);
    return 0;
}
