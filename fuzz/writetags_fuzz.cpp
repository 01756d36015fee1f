// WriteTags on a file made from the input, with the modes, a new title length, a second name
// (hard link) and a write that fails at a chosen byte taken from the first four bytes.
// Invariants: the audio between the tags is never changed (only junk before the first frame
// header may go when the file is rewritten, and with the ID3v2 tag removed, further ID3v2 tags
// right behind it); a write that reports failure, or nothing to do,
// leaves the file byte for byte as it was; no scratch or backup file is left behind.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QDir>
#include <QFile>

#include "fuzz/fuzzfile.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

// The file as the writer sees it, computed here on its own.
struct Layout {
    bool hasV1 = false, hasV2 = false;
    qsizetype audioFrom = 0, audioTo = 0;
};

// The end of the ID3v2 tag that the header announces (each size byte taken whole).
qsizetype TagEnd(const QByteArray& file) {
    qsizetype size = 0;
    for (int i = 6; i < 10; ++i) size = size * 128 + (i < file.size() ? uchar(file[i]) : 0);
    return size + 10;
}

Layout LayoutOf(const QByteArray& file) {
    Layout l;
    l.hasV1 = file.size() >= 128 && file.mid(file.size() - 128, 3) == "TAG";
    l.audioTo = file.size() - (l.hasV1 ? 128 : 0);
    l.hasV2 = file.startsWith("ID3");
    if (l.hasV2) l.audioFrom = qMin(TagEnd(file), l.audioTo);
    return l;
}

// The length of the ID3v2 tags at the start of `audio`: another program's tags right behind
// the first, which go with it when the ID3v2 tag is removed.
qsizetype TagsAhead(const QByteArray& audio) {
    qsizetype at = 0;
    while (audio.size() - at >= 10 && audio.mid(at, 3) == "ID3")
        at = qMin(at + TagEnd(audio.mid(at, 10)), audio.size());
    return at;
}

// Where the first MPEG frame header starts (0 when there is none: the audio is kept whole).
qsizetype FirstFrameHeader(const QByteArray& audio) {
    const auto* b = reinterpret_cast<const uchar*>(audio.constData());
    for (qsizetype i = 0; i + 2 < audio.size(); ++i)
        if (b[i] == 0xFF && (b[i + 1] & 0xE0) == 0xE0 && (b[i + 2] >> 4) != 15 &&
            ((b[i + 2] >> 2) & 3) != 3)
            return i;
    return 0;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    return file.readAll();
}

bool WriteWithLimit(const QString& path, const ID3v1Record& tag1, const ID3v2Record& tag2,
                    int mode1, int mode2, rlim_t limit) {
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = limit;
    // A write past the limit must fail with EFBIG, not end the process (libFuzzer catches the
    // signal otherwise).
    const auto handler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteTags(path, tag1, tag2, mode1, mode2);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, handler);
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const int mode1 = data[0] % 3 - 1, mode2 = (data[0] / 3) % 3 - 1;
    const bool hardLink = data[1] & 1, failing = data[1] & 2, dropTagMark = data[1] & 4;
    const int titleLength = (data[1] >> 3) * 97;  // 0 to 3007: fits in place or not
    const int limitShift = int(int8_t(data[2])) * 64 + int(int8_t(data[3]));

    const QByteArray before(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4));
    const QString path = WriteFuzzFile(data + 4, size - 4);
    const QString other = FuzzFolder() + QStringLiteral("/other.mp3");
    if (hardLink &&
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) != 0)
        std::abort();

    ID3v1Record tag1 = ReadID3v1(path);
    tag1.Title = TextField(QString(titleLength % 31, u'v'), 30);
    ID3v2Record tag2 = ReadID3v2(path);
    tag2.Title = QString(titleLength, u't');
    if (dropTagMark) tag2.Tag = QByteArray(3, '\0');

    const rlim_t limit =
        failing ? rlim_t(qMax<qint64>(1, before.size() + limitShift)) : RLIM_INFINITY;
    const bool written = WriteWithLimit(path, tag1, tag2, mode1, mode2, limit);
    const QByteArray after = ReadAll(path);
    if (hardLink) {
        if (ReadAll(other) != after) std::abort();  // both names are one file
        ::unlink(QFile::encodeName(other).constData());
    }
    const QStringList left = QDir(FuzzFolder()).entryList(QDir::Files | QDir::Hidden);
    if (left != QStringList{QStringLiteral("input.mp3")}) std::abort();

    if (!written) {
        if (after != before) std::abort();
        return 0;
    }
    const Layout old = LayoutOf(before);
    const QByteArray oldAudio = before.mid(old.audioFrom, old.audioTo - old.audioFrom);
    // What the new file holds in front of the audio, from the modes alone.
    qsizetype newFrom = 0;
    if (mode1 == 1 && mode2 == 0) {
        newFrom = old.audioFrom;
        if (after.left(newFrom) != before.left(newFrom)) std::abort();
    } else if (mode2 == 0 && old.hasV2 && tag2.hasTag()) {
        newFrom = old.audioFrom;
        if (after.left(newFrom) != before.left(newFrom)) std::abort();
    } else if (mode2 == 1 && after.startsWith("ID3")) {
        newFrom = qMin(TagEnd(after), after.size());
    }
    const qsizetype newTo = after.size() - (mode1 == -1 ? 0 : 128);
    if (newTo < newFrom) std::abort();
    if (mode1 != -1 && after.mid(newTo, 3) != "TAG") std::abort();
    const QByteArray newAudio = after.mid(newFrom, newTo - newFrom);
    // The audio is kept; at most the bytes before its first frame header are dropped.
    if (!oldAudio.endsWith(newAudio)) std::abort();
    const qsizetype tagsAhead = old.hasV2 && mode2 == -1 ? TagsAhead(oldAudio) : 0;
    const qsizetype mayDrop = old.hasV2 ? tagsAhead + FirstFrameHeader(oldAudio.mid(tagsAhead)) : 0;
    if (newAudio.size() < oldAudio.size() - mayDrop) std::abort();
    return 0;
}
