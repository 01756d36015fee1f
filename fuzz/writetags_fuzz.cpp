// WriteTags on a file made from the input, with the modes, a new title length, a second name
// (hard link) and a write that fails at a chosen byte taken from the first four bytes.
// Invariants, from this file's own reading of the original (never the writer's): the bytes
// between the tags are kept byte for byte (with the ID3v2 tag removed, only whole further ID3v2
// tags right behind it go too); a file whose tag claims more than it holds is never written; a
// write that reports failure, or nothing to do, leaves the file byte for byte as it was; no
// scratch, backup or journal file is left behind.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    l.hasV2 = file.size() >= 10 && file.startsWith("ID3");
    if (l.hasV2) l.audioFrom = TagEnd(file);
    return l;
}

// The length of the whole ID3v2 tags at the start of `audio`: another program's tags right
// behind the first, which go with it when the ID3v2 tag is removed.
qsizetype TagsAhead(const QByteArray& audio) {
    qsizetype at = 0;
    while (audio.size() - at >= 10 && audio.mid(at, 3) == "ID3" &&
           at + TagEnd(audio.mid(at, 10)) <= audio.size())
        at += TagEnd(audio.mid(at, 10));
    return at;
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

    // The journal is emptied between runs, so that a small limit fails the file's writes and not
    // the journal's (a journal that cannot be written refuses the write, which is no failure).
    for (const QFileInfo& journal : QDir(FuzzStateFolder() + QStringLiteral("/zarn"))
                                        .entryInfoList(QDir::Files | QDir::Hidden))
        ::truncate(QFile::encodeName(journal.filePath()).constData(), 0);
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
    // Nobody can tell where the audio of a file with such a tag starts: it is never written.
    if (old.hasV2 && old.audioFrom > old.audioTo) std::abort();
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
    // The audio is kept byte for byte; a removed tag takes only whole tags right behind it.
    if (newAudio == oldAudio) return 0;
    if (!(old.hasV2 && mode2 == -1 && newAudio == oldAudio.mid(TagsAhead(oldAudio)))) std::abort();
    return 0;
}
