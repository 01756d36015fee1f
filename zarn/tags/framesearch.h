#pragma once
// Finding the first MPEG frame header behind the ID3v2 tag.
#include <QByteArray>
#include <functional>
#include <optional>

class QIODevice;

struct FrameSearchResult {
    bool found = false;
    qint64 offset = 0;  // where the search stopped: the header offset when found
    QByteArray bytes;   // the 4 bytes examined last (zero-filled when fewer remain)
    bool readError = false;
};

// Examines the 4 bytes at each offset from `start` on, one byte further each time, until they
// form a frame header (IsFrameHeader) or the device ends; then the last 4 bytes examined stand
// for the header. Reads in bounded chunks, small first since the header usually follows the tag.
FrameSearchResult FindFrameHeader(QIODevice& device, qint64 start);
// The same over a file of `size` bytes read by `read` (up to `length` bytes at `pos`; nothing
// on a read error).
using ReadAt = std::function<std::optional<QByteArray>(qint64 pos, qint64 length)>;
FrameSearchResult FindFrameHeader(const ReadAt& read, qint64 size, qint64 start);
