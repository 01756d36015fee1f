#include "zarn/shell/safeio.h"

#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "zarn/shell/fileops.h"

namespace safeio {

namespace {

constexpr qint64 kChunk = 1 << 20;

bool Fail(FileError& error, int code) {
    error = SystemFileError(code);
    return false;
}

}  // namespace

bool ReadAt(int fd, qint64 pos, qint64 length, QByteArray& bytes, FileError& error) {
    bytes.resize(length);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, size_t(length - done), off_t(pos + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(error, errno);
        if (n == 0) break;
        done += n;
    }
    bytes.truncate(done);
    return true;
}

bool WriteAt(int fd, qint64 pos, const QByteArray& bytes, FileError& error) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(pos + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Fail(error, n < 0 ? errno : EIO);
        done += n;
    }
    return true;
}

bool CopyRange(int in, qint64 from, qint64 to, int out, qint64& outPos, FileError& error) {
    QByteArray chunk;
    for (qint64 pos = from; pos < to; pos += kChunk) {
        const qint64 length = qMin(kChunk, to - pos);
        if (!ReadAt(in, pos, length, chunk, error)) return false;
        if (chunk.size() != length) {
            error = {kErrBadRecordNumber, QStringLiteral("the file ended before its expected end")};
            return false;
        }
        if (!WriteAt(out, outPos, chunk, error)) return false;
        outPos += length;
    }
    return true;
}

bool Truncate(int fd, qint64 length, FileError& error) {
    return ::ftruncate(fd, off_t(length)) == 0 || Fail(error, errno);
}

bool SyncData(int fd, FileError& error) {
    return ::fdatasync(fd) == 0 || Fail(error, errno);
}

bool Close(int& fd, FileError& error) {
    if (fd < 0) return true;
    const int result = ::close(fd);
    fd = -1;
    // After close() the descriptor is gone, even when it reports an interruption.
    return result == 0 || errno == EINTR || Fail(error, errno);
}

bool SyncFolderOf(const QString& path, FileError& error) {
    QString folder = FolderOf(path);
    if (folder.isEmpty()) folder = QStringLiteral(".");
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Fail(error, errno);
    // Some file systems cannot flush a folder; that is no failure of the step.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int code = errno;
    ::close(fd);
    return synced || Fail(error, code);
}

QString NameBeside(const QString& path, const char* kind) {
    const QString folder = FolderOf(path);
    return folder + u'.' + path.mid(folder.size()) + QStringLiteral(".zarn-") +
           QString::fromLatin1(kind) + u'-' +
           QString::number(QRandomGenerator::global()->generate64(), 36);
}

int CreateNew(const QString& path, FileError& error) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) Fail(error, errno);
    return fd;
}

bool Remove(const QString& path, FileError& error) {
    return ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT ||
           Fail(error, errno);
}

FileError Named(FileError error, const QString& path) {
    if (error.path.isEmpty()) error.path = path;
    return error;
}

}  // namespace safeio
