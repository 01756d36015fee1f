#include "zarn/tags/id3v2framelist.h"

#include <QVarLengthArray>

#include "zarn/tags/id3v2convert.h"

namespace {

enum class SizeForm { Plain, Syncsafe };

// Where a frame's header starts and the bytes it takes, header included.
struct Span {
    qsizetype offset = 0;
    qsizetype stored = 0;
};

// Only positions: a tag is walked twice (plain and syncsafe sizes), and only the reading that
// is chosen becomes frames.
struct Walk {
    QVarLengthArray<Span, 32> frames;
    bool clean = true;  // ended at the end of the data or at the padding
    // Every size read was below 128, where plain and syncsafe sizes are the same number, so
    // the other reading would walk the very same way.
    bool formsAgree = true;
    // Every frame whose size the two forms read apart could have come from earlier builds of
    // this program, which wrote syncsafe sizes only for frames they made themselves: never
    // empty, and beginning with text encoding 0.
    bool earlierBuilds = true;
};

bool IsIdChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsFrameId(const QByteArray& data, qsizetype at, int length) {
    if (at + length > data.size()) return false;
    for (int i = 0; i < length; ++i)
        if (!IsIdChar(data[at + i])) return false;
    return true;
}

// The size field of a frame header, or -1 when the bytes cannot be a size of that form.
qint64 SizeAt(const QByteArray& data, qsizetype at, int bytes, SizeForm form) {
    qint64 size = 0;
    for (int i = 0; i < bytes; ++i) {
        const auto b = static_cast<unsigned char>(data[at + i]);
        if (form == SizeForm::Syncsafe && (b & 0x80)) return -1;
        size = form == SizeForm::Syncsafe ? size << 7 | b : size << 8 | b;
    }
    return size;
}

// True when the size field at `at` reads as the same number in either form.
bool IsSmallSize(const QByteArray& data, qsizetype at, int bytes) {
    for (int i = 0; i < bytes - 1; ++i)
        if (data[at + i] != '\0') return false;
    return static_cast<unsigned char>(data[at + bytes - 1]) < 0x80;
}

bool AllZero(const QByteArray& data, qsizetype from) {
    // No early exit: the loop over the padding, often kilobytes, is then done in wide steps.
    const char* bytes = data.constData();
    char any = 0;
    for (qsizetype i = from; i < data.size(); ++i) any |= bytes[i];
    return any == '\0';
}

// Walks frames of `idLength` (3 for version 2, else 4) identifier characters. A zero byte
// where a frame should start begins the padding; the walk is clean only when the padding is
// zeros to the end, since a size read the wrong way easily lands on some zero byte inside a
// frame (UTF-16 text, pictures).
Walk WalkFrames(const QByteArray& data, int idLength, SizeForm form) {
    const int sizeBytes = idLength == 3 ? 3 : 4;
    const int headerLength = idLength == 3 ? 6 : 10;
    Walk walk;
    qsizetype pos = 0;
    while (pos < data.size()) {
        if (data[pos] == '\0') {
            walk.clean = AllZero(data, pos);
            break;
        }
        const bool header = pos + headerLength <= data.size() && IsFrameId(data, pos, idLength);
        if (header && !IsSmallSize(data, pos + idLength, sizeBytes)) walk.formsAgree = false;
        const qint64 size = header ? SizeAt(data, pos + idLength, sizeBytes, form) : -1;
        if (size < 0) {
            walk.clean = false;
            break;
        }
        if (form == SizeForm::Syncsafe && idLength == 4 &&
            (size == 0 ||
             (!IsSmallSize(data, pos + idLength, sizeBytes) &&
              (pos + headerLength >= data.size() || data[pos + headerLength] != '\0'))))
            walk.earlierBuilds = false;
        const Span span{pos, headerLength + qMin<qint64>(size, data.size() - pos - headerLength)};
        walk.frames.append(span);
        if (size > data.size() - pos - headerLength) {
            walk.clean = false;  // cut by the end of the data
            break;
        }
        pos += span.stored;
    }
    return walk;
}

// The frames at the places a walk found.
ID3v2Frames FramesAt(const QByteArray& data, const Walk& walk, int idLength) {
    const int headerLength = idLength == 3 ? 6 : 10;
    ID3v2Frames frames;
    frames.reserve(walk.frames.size());
    for (const Span& span : walk.frames) {
        ID3v2Frame& frame = frames.emplace_back();
        frame.offset = span.offset;
        frame.stored = span.stored;
        frame.id = data.mid(span.offset, idLength);
        if (idLength == 4 && (data[span.offset + 8] != '\0' || data[span.offset + 9] != '\0'))
            frame.flags = data.mid(span.offset + 8, 2);
        frame.body = data.mid(span.offset + headerLength, span.stored - headerLength);
    }
    return frames;
}

// The reading that walks cleanly wins; when both (or neither) do, the one with more frames,
// since a size read the wrong way that jumps into the padding has skipped real frames. A tag of
// plain sizes is read the syncsafe way only as earlier builds could have written it: otherwise
// a frame whose content happens to walk as syncsafe frames (pictures, private data) would be
// cut apart, and the next save would lose its end.
ID3v2Frames ChooseWalk(const QByteArray& data, int idLength, SizeForm native) {
    const Walk first = WalkFrames(data, idLength, native);
    Walk second;
    if (idLength == 4 && !first.formsAgree)
        second = WalkFrames(data, idLength,
                            native == SizeForm::Plain ? SizeForm::Syncsafe : SizeForm::Plain);
    const bool takeSecond =
        idLength == 4 && !first.formsAgree &&
        (native == SizeForm::Syncsafe || second.earlierBuilds) &&
        (first.clean != second.clean ? second.clean : second.frames.size() > first.frames.size());
    return FramesAt(data, takeSecond ? second : first, idLength);
}

quint32 Plain32(const QByteArray& data, qsizetype at) {
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | (at + i < data.size() ? static_cast<unsigned char>(data[at + i]) : 0);
    return value;
}

// Bytes to skip for an extended header. Some taggers set the flag without writing one; a
// frame identifier where its size would be shows that.
qsizetype ExtendedHeaderLength(const QByteArray& data, int major) {
    if (data.size() < 4 || IsFrameId(data, 0, 4)) return 0;
    const quint32 size = Plain32(data, 0);
    if (major == 4) {
        const quint32 syncsafe = (size >> 24 & 0x7F) << 21 | (size >> 16 & 0x7F) << 14 |
                                 (size >> 8 & 0x7F) << 7 | (size & 0x7F);
        return qMin<qsizetype>(syncsafe, data.size());  // the size counts itself
    }
    return qMin<qsizetype>(qsizetype(size) + 4, data.size());
}

}  // namespace

const QByteArray& NoFrameFlags() {
    static const QByteArray none(2, '\0');
    return none;
}

QByteArray Resynchronise(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out.append(bytes[i]);
        if (bytes[i] == char(0xFF) && i + 1 < bytes.size() && bytes[i + 1] == '\0') ++i;
    }
    return out;
}

ID3v2Frames ParseID3v2Frames(const QByteArray& data) {
    return FramesAt(data, WalkFrames(data, 4, SizeForm::Plain), 4);
}

ID3v2Frames ReadTagFrames(const QByteArray& body, int major, int flags) {
    constexpr int kUnsynchronised = 0x80, kExtended = 0x40;
    QByteArray data = body;
    if (major <= 3 && (flags & kUnsynchronised)) data = Resynchronise(data);
    if (major == 2) {
        // Version 2 uses this flag for a compression that was never defined.
        if (flags & kExtended) return {};
        ID3v2Frames frames;
        for (const ID3v2Frame& frame : ChooseWalk(data, 3, SizeForm::Plain)) {
            if (auto converted = FrameFromV22(frame)) frames.append(*converted);
        }
        return frames;
    }
    if (flags & kExtended) data = data.mid(ExtendedHeaderLength(data, major));
    if (major != 4) return ChooseWalk(data, 4, SizeForm::Plain);
    return ReadV24Frames(data, flags & kUnsynchronised);
}

ID3v2Frames ReadV24Frames(const QByteArray& data, bool tagUnsynchronised, bool embedded) {
    ID3v2Frames frames = ChooseWalk(data, 4, SizeForm::Syncsafe);
    for (ID3v2Frame& frame : frames) frame = FrameFromV24(frame, tagUnsynchronised, embedded);
    return frames;
}

QByteArray RenderID3v2Frame(const ID3v2Frame& frame) {
    QByteArray bytes = frame.id.left(4).leftJustified(4, ' ');
    const auto size = quint32(frame.body.size());
    for (int shift = 24; shift >= 0; shift -= 8) bytes.append(char(size >> shift & 0xFF));
    bytes += frame.flags.left(2).leftJustified(2, '\0');
    return bytes + frame.body;
}

QByteArray RenderID3v2Frames(const ID3v2Frames& frames) {
    QByteArray bytes;
    for (const ID3v2Frame& frame : frames) bytes += RenderID3v2Frame(frame);
    return bytes;
}

QByteArray FrameContent(const ID3v2Frame& frame) {
    constexpr int kCompressed = 0x80, kEncrypted = 0x40, kGrouped = 0x20;
    const int format = frame.flags.size() > 1 ? static_cast<unsigned char>(frame.flags[1]) : 0;
    if (format & kEncrypted) return {};
    if (!(format & kCompressed)) return frame.body.mid(format & kGrouped ? 1 : 0);
    // The stored form is the 4-byte plain size followed by the zlib stream, which is what
    // qUncompress takes once the group byte is out of the way.
    // The declared size only sizes the first buffer; zlib cannot expand more than about a
    // thousand times, so a larger claim is cut to that.
    QByteArray zipped = frame.body;
    if (format & kGrouped) zipped.remove(4, 1);
    if (zipped.size() < 4) return {};
    const quint32 limit = quint32(qMin<qsizetype>(zipped.size() * 1100LL + 64, 1 << 30));
    if (Plain32(zipped, 0) > limit)
        for (int i = 0; i < 4; ++i) zipped[i] = char(limit >> (24 - 8 * i) & 0xFF);
    return qUncompress(zipped);
}
