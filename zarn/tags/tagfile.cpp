#include "zarn/tags/tagfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#include "zarn/shell/regularfile.h"

namespace {

constexpr qint64 kChunk = 1 << 20;

// pread until `length` bytes or the end of the file; false with the system's error.
bool ReadAt(int fd, qint64 pos, qint64 length, QByteArray& bytes, FileError& error) {
    bytes.resize(length);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, size_t(length - done), off_t(pos + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = SystemFileError(errno);
            return false;
        }
        if (n == 0) break;
        done += n;
    }
    bytes.truncate(done);
    return true;
}

// pwrite of every byte, or false with the system's error (a short write is retried, so that
// a full disk reports itself instead of passing as a short count).
bool WriteAt(int fd, qint64 pos, const QByteArray& bytes, FileError& error) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(pos + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = SystemFileError(n < 0 ? errno : EIO);
            return false;
        }
        done += n;
    }
    return true;
}

bool TruncateTo(int fd, qint64 length, FileError& error) {
    if (::ftruncate(fd, off_t(length)) == 0) return true;
    error = SystemFileError(errno);
    return false;
}

bool SyncData(int fd, FileError& error) {
    if (::fdatasync(fd) == 0) return true;
    error = SystemFileError(errno);
    return false;
}

// Copies [from, to) of `in` to `out` at `outPos`, moving outPos on.
bool CopyBytes(int in, qint64 from, qint64 to, int out, qint64& outPos, FileError& error) {
    QByteArray chunk;
    for (qint64 pos = from; pos < to; pos += kChunk) {
        const qint64 length = qMin(kChunk, to - pos);
        if (!ReadAt(in, pos, length, chunk, error)) return false;
        if (chunk.size() != length) {
            error = BadPositionError();
            return false;
        }
        if (!WriteAt(out, outPos, chunk, error)) return false;
        outPos += length;
    }
    return true;
}

// The new content: head, the old file's audio, tail.
struct Content {
    const QByteArray& head;
    int in;
    qint64 audioFrom, audioTo;
    const QByteArray& tail;
};

bool WriteContent(const Content& c, int out, qint64& pos, FileError& error) {
    pos = 0;
    if (!WriteAt(out, pos, c.head, error)) return false;
    pos += c.head.size();
    if (!CopyBytes(c.in, c.audioFrom, c.audioTo, out, pos, error)) return false;
    if (!WriteAt(out, pos, c.tail, error)) return false;
    pos += c.tail.size();
    return true;
}

// Owner and group as the original's; a user who may not give a file away may still keep its
// group. The mode is set again since a change of owner clears the set-id bits.
void KeepOwner(int fd, const struct stat& original) {
    if (::fchown(fd, original.st_uid, original.st_gid) != 0 &&
        ::fchown(fd, uid_t(-1), original.st_gid) != 0)
        return;
    (void)::fchmod(fd, original.st_mode & 07777);
}

// Written to a temporary file beside the original, which replaces it only once complete.
bool RewriteBeside(TagFile& file, const Content& content, const struct stat& original) {
    QSaveFile save(file.path());
    FileError error;
    errno = 0;
    if (!save.open(QIODevice::WriteOnly)) {
        file.setError(errno != 0 ? SystemFileError(errno) : FileErrorOf(save));
        return false;
    }
    const int out = int(save.handle());
    qint64 end = 0;
    bool ok = WriteContent(content, out, end, error);
    if (ok) KeepOwner(out, original);
    if (ok) {
        errno = 0;
        ok = save.commit();
        if (!ok) error = errno != 0 ? SystemFileError(errno) : FileErrorOf(save);
    } else {
        save.cancelWriting();
    }
    if (!ok) file.setError(error);
    return ok;
}

QString BackupTemplate(const QString& path) {
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.") + info.fileName() +
           QStringLiteral(".zarn-backup-XXXXXX");
}

// A file with several names keeps its inode: a copy of it goes beside it first, the new content
// is written over the original (the audio read from the copy), and the copy is removed when all
// went well or copied back when not.
bool RewriteBehindBackup(TagFile& file, const Content& content, qint64 length) {
    QByteArray backupName = QFile::encodeName(BackupTemplate(file.path()));
    const int backup = ::mkstemp(backupName.data());
    FileError error;
    if (backup < 0) {
        file.setError(SystemFileError(errno));
        return false;
    }
    const int fd = file.handle();
    qint64 pos = 0;
    const bool saved = CopyBytes(fd, 0, length, backup, pos, error) && SyncData(backup, error);
    bool ok = false;
    bool restored = true;
    if (saved) {
        const Content fromBackup{content.head, backup, content.audioFrom, content.audioTo,
                                 content.tail};
        ok = WriteContent(fromBackup, fd, pos, error) && TruncateTo(fd, pos, error) &&
             SyncData(fd, error);
        if (!ok) {
            FileError ignored;
            qint64 back = 0;
            restored = CopyBytes(backup, 0, length, fd, back, ignored) &&
                       TruncateTo(fd, length, ignored) && SyncData(fd, ignored);
        }
    }
    ::close(backup);
    if (restored) {
        ::unlink(backupName.constData());
    } else {
        error.description +=
            QStringLiteral("\nThe file as it was is kept in ") + QFile::decodeName(backupName);
    }
    if (!ok) file.setError(error);
    return ok;
}

}  // namespace

FileError BadPositionError() {
    return {kErrBadRecordNumber, QStringLiteral("Bad record number")};
}

bool TagFile::open(bool forWriting) {
    if (m_fd >= 0) {
        if (!forWriting || m_writable) return true;
        close();
    }
    m_fd = OpenRegularFile(m_path, forWriting, m_error, &m_size);
    m_writable = forWriting && m_fd >= 0;
    return m_fd >= 0;
}

bool TagFile::openForSaving() {
    if (open(true)) return true;
    const FileError refused = m_error;
    if (open(false)) return true;
    m_error = refused;
    return false;
}

void TagFile::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_writable = false;
    forget();
}

void TagFile::forget() {
    m_size = -1;
    m_head.reset();
    m_tail.reset();
}

qint64 TagFile::size() {
    if (m_size >= 0) return m_size;
    struct stat st {};
    if (::fstat(m_fd, &st) == 0) return m_size = st.st_size;
    m_error = SystemFileError(errno);
    return -1;
}

// The bytes from the kept start or end of the file, reading that part first when it has not
// been read; nothing when the piece lies elsewhere (or a read fails: the caller reads then).
std::optional<QByteArray> TagFile::kept(qint64 pos, qint64 length) {
    const qint64 size = this->size();
    if (size < 0) return std::nullopt;
    const qint64 end = qMin(pos + length, size);
    if (pos >= end) return QByteArray();
    QByteArray bytes;
    if (end <= kHeadLength) {
        if (!m_head && ReadAt(m_fd, 0, qMin(kHeadLength, size), bytes, m_error)) m_head = bytes;
        if (m_head && end <= m_head->size()) return m_head->mid(pos, end - pos);
    }
    const qint64 tailPos = qMax<qint64>(0, size - 128);
    if (pos >= tailPos) {
        if (!m_tail && ReadAt(m_fd, tailPos, size - tailPos, bytes, m_error)) m_tail = bytes;
        if (m_tail && end - tailPos <= m_tail->size()) return m_tail->mid(pos - tailPos, end - pos);
    }
    return std::nullopt;
}

std::optional<QByteArray> TagFile::read(qint64 pos, qint64 length) {
    if (pos < 0) {
        m_error = BadPositionError();
        return std::nullopt;
    }
    length = qMax<qint64>(0, length);
    if (auto bytes = kept(pos, length)) return bytes;
    QByteArray bytes;
    if (!ReadAt(m_fd, pos, length, bytes, m_error)) return std::nullopt;
    return bytes;
}

bool TagFile::write(qint64 pos, const QByteArray& bytes) {
    if (pos < 0) {
        m_error = BadPositionError();
        return false;
    }
    forget();
    return WriteAt(m_fd, pos, bytes, m_error);
}

bool TagFile::truncate(qint64 length) {
    forget();
    return TruncateTo(m_fd, length, m_error);
}

bool WritePatches(TagFile& file, const QList<FilePatch>& patches) {
    const qint64 length = file.size();
    if (length < 0) return false;
    QList<FilePatch> ordered;
    for (const FilePatch& patch : patches)
        if (patch.pos + patch.bytes.size() > length) ordered.append(patch);
    for (const FilePatch& patch : patches)
        if (patch.pos + patch.bytes.size() <= length) ordered.append(patch);
    QList<FilePatch> old;
    for (const FilePatch& patch : ordered) {
        const qint64 inside = qMin<qint64>(patch.bytes.size(), length - patch.pos);
        const auto bytes = inside > 0 ? file.read(patch.pos, inside) : QByteArray();
        if (!bytes) return false;
        old.append({patch.pos, *bytes});
    }
    for (qsizetype i = 0; i < ordered.size(); ++i) {
        if (file.write(ordered[i].pos, ordered[i].bytes)) continue;
        const FileError error = file.error();
        for (qsizetype j = i; j >= 0; --j) file.write(old[j].pos, old[j].bytes);
        file.truncate(length);
        file.setError(error);
        return false;
    }
    return true;
}

bool RewriteFile(TagFile& file, const QByteArray& head, qint64 audioFrom, qint64 audioTo,
                 const QByteArray& tail) {
    struct stat original {};
    if (::fstat(file.handle(), &original) != 0) {
        file.setError(SystemFileError(errno));
        return false;
    }
    const Content content{head, file.handle(), audioFrom, audioTo, tail};
    const bool ok = original.st_nlink > 1
                        ? RewriteBehindBackup(file, content, qint64(original.st_size))
                        : RewriteBeside(file, content, original);
    file.close();
    return ok;
}
