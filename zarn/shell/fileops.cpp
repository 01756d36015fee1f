#include "zarn/shell/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <stdio.h>
#endif

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

FileError RenameThroughTemporary(const QString& from, const QString& to) {
    const QString temporary = TemporaryNameBeside(from);
    QFile first(from);
    if (!first.rename(temporary)) return FileErrorOf(first);
    QFile second(temporary);
    if (!second.rename(to)) {
        const FileError error = FileErrorOf(second);
        QFile::rename(temporary, from);
        return error;
    }
    return {};
}

}  // namespace

bool Exists(const QString& path) {
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
#else
    // One look at the entry itself, not at what a link points to.
    struct stat facts {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &facts) == 0;
#endif
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
#ifdef Q_OS_LINUX
    // One system call that atomically refuses any existing target, a dangling link included.
    // Every failure (the target exists, a file system without the flag, any other error) is
    // worked out by the general way below, which also gives the error its number and text.
    if (::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD,
                    QFile::encodeName(to).constData(), RENAME_NOREPLACE) == 0)
        return {};
#endif
    if (Exists(to)) {
        if (!Exists(from)) return NotFound();
        if (!IsCaseOnlyChange(from, to)) return AlreadyExists();
        return RenameThroughTemporary(from, to);
    }
    // QFile::rename finds a missing source itself; why it failed is worked out only then.
    QFile file(from);
    if (file.rename(to)) return {};
    return Exists(from) ? FileErrorOf(file) : NotFound();
}

FileError CopyWithoutOverwrite(const QString& from, const QString& to) {
    if (!Exists(from)) return NotFound();
    if (Exists(to)) return AlreadyExists();
    // QFile::copy writes a temporary file and renames it into place, and never overwrites.
    QFile file(from);
    return file.copy(to) ? FileError{} : FileErrorOf(file);
}

FileError MoveWithoutOverwrite(const QString& from, const QString& to) {
    if (!Exists(from)) return NotFound();
    if (Exists(to)) return AlreadyExists();
    QFile file(from);
    return file.rename(to) ? FileError{} : FileErrorOf(file);
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
    const QFileInfo info(path);
    return info.exists() &&
           !(info.permissions() &
             (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}
