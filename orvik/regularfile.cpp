#include "orvik/regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace orvik {

static QString NotAFileReason(bool isFolder) {
    return isFolder ? QStringLiteral("This is a folder, not a playlist file.")
                    : QStringLiteral("This is not a regular file (a pipe or a device).");
}

#ifdef Q_OS_UNIX
static QString SystemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

QString OpenRegularFile(QFile& file, const QString& path) {
    // O_NONBLOCK makes the open of a pipe return at once; the kind is then read from the open
    // descriptor, so the path cannot change in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return SystemError(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return SystemError(error);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return NotAFileReason(S_ISDIR(status.st_mode));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
}
#else
QString OpenRegularFile(QFile& file, const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return NotAFileReason(info.isDir());
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
}
#endif

bool IsRegularFile(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat status {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0 &&
           S_ISREG(status.st_mode);
#else
    return !path.isEmpty() && QFileInfo(path).isFile();
#endif
}

}  // namespace orvik
