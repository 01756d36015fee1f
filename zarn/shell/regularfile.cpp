#include "zarn/shell/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

FileError NotRegularError(mode_t mode) {
    if (S_ISDIR(mode)) return SystemFileError(EISDIR);
    return {kErrPathFileAccess, QStringLiteral("Not a regular file"), 0};
}

}  // namespace

bool IsNonRegularFile(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

PathKind KindOfPath(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISREG(st.st_mode)) return PathKind::Regular;
        return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::Other;
    }
    return ::lstat(name.constData(), &st) == 0 ? PathKind::Unresolved : PathKind::Missing;
}

int OpenRegularFile(const QString& path, bool forWriting, FileError& error,
                    FileIdentity* identity) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Looked at before opening, since opening a pipe for reading waits for a writer.
    if (::stat(name.constData(), &st) != 0) {
        error = SystemFileError(errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = NotRegularError(st.st_mode);
        return -1;
    }
    // Opened without waiting all the same, in case another kind of file took the name since.
    const int fd =
        ::open(name.constData(), (forWriting ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemFileError(errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISREG(st.st_mode) ? SystemFileError(errno) : NotRegularError(st.st_mode);
        ::close(fd);
        return -1;
    }
    // O_NONBLOCK stays: it has no effect on a regular file, and clearing it would cost two
    // more calls per file of a save of thousands.
    if (identity) *identity = IdentityOfStat(st);
    return fd;
}

bool OpenRegularFile(QFile& file, QIODevice::OpenMode mode, FileError* error) {
    FileError failure;
    const int fd = OpenRegularFile(file.fileName(), mode.testFlag(QIODevice::WriteOnly), failure);
    if (fd >= 0 && file.open(fd, mode, QFileDevice::AutoCloseHandle)) return true;
    if (fd >= 0) {
        ::close(fd);
        failure = FileErrorOf(file);
    }
    if (error) *error = failure;
    return false;
}
