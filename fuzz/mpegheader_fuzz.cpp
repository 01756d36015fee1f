// Header decoding and the frame search over arbitrary bytes.
#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "zarn/tags/framesearch.h"
#include "zarn/tags/mpegheader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const MpegHeader direct = DecodeMpegHeader(bytes);
    if (direct.bits.size() != 32) std::abort();

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const qint64 start = size > 0 ? data[0] % 64 : 0;  // the first byte picks the start
    const FrameSearchResult r = FindFrameHeader(buffer, start);
    if (r.bytes.size() != 4) std::abort();
    if (r.found && !IsFrameHeader(reinterpret_cast<const uchar*>(r.bytes.constData())))
        std::abort();
    const MpegHeader h = DecodeMpegHeader(r.bytes);
    const qint64 frame = FrameLength(h);
    if (frame < 0) std::abort();
    PlayingSeconds(qint64(size) - start, frame);
    return 0;
}
