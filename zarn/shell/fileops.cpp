#include "zarn/shell/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace {

FileError Failure(int number, const QString& description) {
    return FileError{number, description};
}

FileError NotFound() {
    return Failure(kErrFileNotFound, QStringLiteral("the file does not exist"));
}

FileError AlreadyExists() {
    return Failure(kErrFileAlreadyExists, QStringLiteral("a file named so already exists"));
}

// A case-only change of the same entry: a link or a hard link under another name is a
// different name that must not be overwritten.
bool IsCaseOnlyChange(const QString& from, const QString& to) {
    return from.compare(to, Qt::CaseInsensitive) == 0 && IsSameFile(from, to);
}

QString TemporaryNameBeside(const QString& path) {
    return FolderOf(path) + QStringLiteral(".zarn-") + QUuid::createUuid().toString(QUuid::Id128);
}

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

FileError ErrorOfCode(int code) {
    if (code == 0) return {};
    if (code == EEXIST) return AlreadyExists();
    return SystemFileError(code);
}

// Renames without ever replacing what is at `to`, also a file that appeared a moment ago; gives
// 0 or the errno. The kernel's no-replace rename where the file system has it; else a hard
// link, which fails on a taken name just the same, and an unlink; else (no hard links, as on
// FAT) a check just before the rename.
int RenameNoReplace(const QString& from, const QString& to) {
    const QByteArray f = Native(from);
    const QByteArray t = Native(to);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
#endif
    if (::link(f.constData(), t.constData()) == 0) {
        if (::unlink(f.constData()) == 0) return 0;
        const int error = errno;
        ::unlink(t.constData());
        return error;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK) return errno;
    struct stat st {};
    if (::lstat(t.constData(), &st) == 0) return EEXIST;
    return ::rename(f.constData(), t.constData()) == 0 ? 0 : errno;
}

// Renames over whatever is at `to` in one step; gives 0 or the errno.
int RenameReplacing(const QString& from, const QString& to) {
    return ::rename(Native(from).constData(), Native(to).constData()) == 0 ? 0 : errno;
}

FileError RenameThroughTemporary(const QString& from, const QString& to) {
    const QString temporary = TemporaryNameBeside(from);
    if (const int code = RenameNoReplace(from, temporary)) return ErrorOfCode(code);
    if (const int code = RenameNoReplace(temporary, to)) {
        RenameNoReplace(temporary, from);
        return ErrorOfCode(code);
    }
    return {};
}

struct Temporary {
    FileError error;
    QString path;
};

// Copies `from` into a new file beside `beside`, completely or not at all: the bytes are
// flushed to the disk and the size compared with the source's; a failed copy leaves nothing.
Temporary CopyToTemporary(const QString& from, const QString& beside) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) return {FileErrorOf(source), {}};
    const qint64 size = source.size();
    QFile target(TemporaryNameBeside(beside));
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return {FileErrorOf(target), {}};
    auto failed = [&target](const FileError& error) {
        target.close();
        QFile::remove(target.fileName());
        return Temporary{error, {}};
    };
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const qint64 read = source.read(buffer.data(), kChunk);
        if (read < 0) return failed(FileErrorOf(source));
        if (read == 0) break;
        if (target.write(buffer.constData(), read) != read) return failed(FileErrorOf(target));
        copied += read;
    }
    if (!target.flush()) return failed(FileErrorOf(target));
    if (::fsync(target.handle()) != 0) return failed(SystemFileError(errno));
    if (copied != size || target.size() != size)
        return failed({kErrDeviceIO, QStringLiteral("the copy is incomplete")});
    // The mode bits themselves: Qt's user flags say what the current user may do, and would
    // make a read-only file writable when root copies it.
    struct stat mode {};
    if (::fstat(source.handle(), &mode) == 0) ::fchmod(target.handle(), mode.st_mode & 07777);
    target.setFileTime(source.fileTime(QFileDevice::FileModificationTime),
                       QFileDevice::FileModificationTime);
    target.close();
    return {{}, target.fileName()};
}

// A whole copy of `from` takes the name `to`, over a file there when `replace` says so, else
// only while the name is free. A copy that cannot take the name goes.
FileError PlaceCopy(const QString& from, const QString& to, bool replace) {
    const Temporary copy = CopyToTemporary(from, to);
    if (copy.error.failed()) return copy.error;
    const int code = replace ? RenameReplacing(copy.path, to) : RenameNoReplace(copy.path, to);
    if (code != 0) QFile::remove(copy.path);
    return ErrorOfCode(code);
}

// The copy has its name; the source goes. When it cannot go, `undo` says whether the copy goes
// instead, so that a move that fails has not happened at all.
FileError DeleteMovedSource(const QString& from, const QString& placed, bool undo) {
    if (::unlink(Native(from).constData()) == 0) return {};
    const FileError error = SystemFileError(errno);
    if (undo) ::unlink(Native(placed).constData());
    return error;
}

}  // namespace

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool IsSameFile(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    return QFileInfo(a).canonicalFilePath().compare(QFileInfo(b).canonicalFilePath(),
                                                    Qt::CaseInsensitive) == 0;
#else
    struct stat sa {};
    struct stat sb {};
    if (::lstat(QFile::encodeName(a).constData(), &sa) != 0) return false;
    if (::lstat(QFile::encodeName(b).constData(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
}

QString FolderOf(const QString& path) {
    const qsizetype cut = QDir::fromNativeSeparators(path).lastIndexOf(u'/');
    return path.left(cut + 1);
}

FileError RenameWithoutOverwrite(const QString& from, const QString& to) {
    if (from == to) return Exists(from) ? FileError{} : NotFound();
#ifdef RENAME_NOREPLACE
    // The kernel refuses a taken name itself, so the common case is one call; the checks below
    // only sort out a refusal (a missing file, a change of case on a case-blind file system).
    if (::renameat2(AT_FDCWD, Native(from).constData(), AT_FDCWD, Native(to).constData(),
                    RENAME_NOREPLACE) == 0)
        return {};
    const int code = errno;
    if (code == ENOENT && !Exists(from)) return NotFound();
    if (code != EEXIST && code != EINVAL && code != ENOSYS && code != EOPNOTSUPP)
        return ErrorOfCode(code);
#endif
    if (!Exists(from)) return NotFound();
    if (Exists(to) && IsCaseOnlyChange(from, to)) return RenameThroughTemporary(from, to);
    return ErrorOfCode(RenameNoReplace(from, to));
}

FileError CopyWithoutOverwrite(const QString& from, const QString& to) {
    if (!Exists(from)) return NotFound();
    if (Exists(to)) return AlreadyExists();
    return PlaceCopy(from, to, false);
}

FileError MoveWithoutOverwrite(const QString& from, const QString& to) {
    if (!Exists(from)) return NotFound();
    const int code = RenameNoReplace(from, to);
    if (code != EXDEV) return ErrorOfCode(code);
    if (Exists(to)) return AlreadyExists();
    const FileError placed = PlaceCopy(from, to, false);
    return placed.failed() ? placed : DeleteMovedSource(from, to, true);
}

FileError CopyReplacing(const QString& from, const QString& to) {
    if (!Exists(from)) return NotFound();
    return PlaceCopy(from, to, true);
}

FileError MoveReplacing(const QString& from, const QString& to) {
    if (!Exists(from)) return NotFound();
    if (IsSameFile(from, to)) {
        // Two names of one file: a change of case, or a hard link whose other name goes.
        if (from.compare(to, Qt::CaseInsensitive) == 0) return RenameWithoutOverwrite(from, to);
        return DeleteMovedSource(from, to, false);
    }
    const int renamed = RenameReplacing(from, to);
    if (renamed != EXDEV) return ErrorOfCode(renamed);
    const FileError placed = PlaceCopy(from, to, true);
    // The old file at `to` is gone by the user's choice; the source stays if it cannot go.
    return placed.failed() ? placed : DeleteMovedSource(from, to, false);
}

FileError MakeFolder(const QString& path) {
    if (QFileInfo(path).isDir()) return {};
    return ::mkdir(Native(path).constData(), 0777) == 0 ? FileError{} : SystemFileError(errno);
}

int AttributeValue(bool readOnly, bool hidden, bool archive) {
    return (readOnly ? kAttrReadOnly : 0) | (hidden ? kAttrHidden : 0) |
           (archive ? kAttrArchive : 0);
}

FileError SetFileAttributes(const QString& path, int value) {
    QFile file(path);
    if (!file.exists()) return NotFound();
    constexpr QFileDevice::Permissions kWrite = QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                QFileDevice::WriteGroup | QFileDevice::WriteOther;
    QFileDevice::Permissions permissions = file.permissions();
    if (value & kAttrReadOnly)
        permissions &= ~kWrite;
    else
        permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    return file.setPermissions(permissions) ? FileError{} : FileErrorOf(file);
}

bool IsReadOnly(const QString& path) {
    // The permission bits, not access(): a file is read-only even for a user who may write anyway.
    // One look at the file, since a save asks this of every file it writes.
    struct stat st {};
    return ::stat(Native(path).constData(), &st) == 0 &&
           !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
}
