#include "zarn/tags/framesearch.h"

#include <QIODevice>

#include "zarn/tags/mpegheader.h"

namespace {
// The first chunk covers a header right behind the tag; later chunks are larger so that junk
// before the audio costs few reads.
constexpr qint64 kFirstChunk = 4 * 1024;
constexpr qint64 kChunk = 64 * 1024;
}  // namespace

FrameSearchResult FindFrameHeader(QIODevice& device, qint64 start) {
    const auto read = [&device](qint64 pos, qint64 length) -> std::optional<QByteArray> {
        if (!device.seek(pos)) return std::nullopt;
        return device.read(length);
    };
    return FindFrameHeader(read, device.size(), start);
}

FrameSearchResult FindFrameHeader(const ReadAt& read, qint64 end, qint64 start) {
    FrameSearchResult result;
    result.offset = start;
    qint64 pos = start;
    qint64 chunkSize = kFirstChunk;
    while (pos < end) {
        const std::optional<QByteArray> got = read(pos, chunkSize);
        if (!got || got->isEmpty()) {
            result.readError = true;
            return result;
        }
        const QByteArray& chunk = *got;
        if (chunk.size() < 4) {  // the last bytes of the file: fewer than a header
            result.offset = pos;
            result.bytes = chunk + QByteArray(4 - chunk.size(), '\0');
            return result;
        }
        const auto* data = reinterpret_cast<const uchar*>(chunk.constData());
        const qint64 last = chunk.size() - 4;
        for (qint64 i = 0; i <= last; ++i) {
            if (IsFrameHeader(data + i)) {
                result.found = true;
                result.offset = pos + i;
                result.bytes = chunk.mid(i, 4);
                return result;
            }
        }
        result.offset = pos + last;
        result.bytes = chunk.mid(last, 4);
        if (pos + chunk.size() >= end) return result;
        pos += last + 1;  // the next window starts right after the last one examined
        chunkSize = kChunk;
    }
    if (result.bytes.isEmpty()) result.bytes = QByteArray(4, '\0');
    return result;
}
