#include "zarn/tags/filetags.h"

#include "zarn/tags/id3v2frames.h"
#include "zarn/tags/tagfile.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#endif

namespace {

constexpr qint64 kHeaderLength = 10;
constexpr qint64 kV1Length = 128;

// The parts of a file that hold its tags, as bytes; empty when it could not be read.
struct TagBytes {
    bool opened = false;
    QByteArray header, body, block;
};

#ifndef Q_OS_WIN
// Straight system calls: one open, one look at the file, three positioned reads. Renaming a
// large collection spends most of its time here. Only a regular file is read, and the open
// does not wait on a named pipe.
bool ReadAt(int fd, qint64 pos, qint64 length, QByteArray& into) {
    into.resize(length);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, into.data() + done, size_t(length - done), pos + done);
        if (n <= 0) break;
        done += n;
    }
    into.resize(done);
    return done == length;
}

TagBytes ReadTagBytes(const QString& path) {
    TagBytes bytes;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return bytes;
    struct stat facts {};
    if (::fstat(fd, &facts) == 0 && S_ISREG(facts.st_mode)) {
        bytes.opened = true;
        const qint64 size = facts.st_size;
        if (ReadAt(fd, 0, qMin(kHeaderLength, size), bytes.header) &&
            bytes.header.startsWith("ID3"))
            ReadAt(fd, kHeaderLength, qMin(TagSizeOfHeader(bytes.header), size - kHeaderLength),
                   bytes.body);
        if (size >= kV1Length) ReadAt(fd, size - kV1Length, kV1Length, bytes.block);
    }
    ::close(fd);
    return bytes;
}
#else
TagBytes ReadTagBytes(const QString& path) {
    TagBytes bytes;
    TagFile file(path);
    if (!file.open(false)) return bytes;
    bytes.opened = true;
    bytes.header = file.read(0, kHeaderLength).value_or(QByteArray());
    if (bytes.header.startsWith("ID3"))
        bytes.body = file.read(kHeaderLength, TagSizeOfHeader(bytes.header)).value_or(QByteArray());
    const qint64 size = file.size();
    if (size >= kV1Length)
        bytes.block = file.read(size - kV1Length, kV1Length).value_or(QByteArray());
    return bytes;
}
#endif

}  // namespace

FileTags ReadFileTags(const QString& path) {
    FileTags tags;
    tags.v1.Genre = QByteArray(1, '\xFF');
    const TagBytes bytes = ReadTagBytes(path);
    tags.opened = bytes.opened;
    if (bytes.header.size() == kHeaderLength && bytes.header.startsWith("ID3"))
        tags.v2 = ID3v2FromTag(bytes.header, bytes.body);
    if (bytes.block.size() == kV1Length && bytes.block.startsWith("TAG"))
        tags.v1 = ID3v1FromBlock(bytes.block);
    return tags;
}
