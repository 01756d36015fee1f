#include "zarn/shell/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "zarn/shell/journal.h"
#include "zarn/shell/journalrecord.h"
#include "zarn/shell/regularfile.h"
#include "zarn/shell/safeio.h"

namespace {

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

FileError NotFound(const QString& path) {
    return {kErrFileNotFound, QStringLiteral("the file does not exist"), ENOENT, path};
}

FileError AlreadyExists(const QString& path) {
    return {kErrFileAlreadyExists, QStringLiteral("a file named so already exists"), EEXIST, path};
}

FileError ErrorOfCode(int code, const QString& path) {
    if (code == 0) return {};
    if (code == EEXIST) return AlreadyExists(path);
    return safeio::Named(SystemFileError(code), path);
}

// The name a failed rename is about: the target when the target is what is wrong.
QString BlamedByRename(int code, const QString& from, const QString& to) {
    const bool target = code == EISDIR || code == ENOTDIR || code == EXDEV || code == EEXIST ||
                        code == ENOTEMPTY || code == ENOSPC || code == EDQUOT;
    return target ? to : from;
}

QString NameOf(const QString& path) {
    return path.mid(FolderOf(path).size());
}

// Renames without ever replacing what is at `to`, also a file that appeared a moment ago; gives
// 0 or the errno. The kernel's no-replace rename where the file system has it; else a hard
// link, which fails on a taken name just the same, and an unlink (journalled: a crash between
// the two leaves two names of one file, which the next start makes one again); else (no hard
// links, as on FAT) a check just before the rename.
int RenameNoReplace(const QString& from, const QString& to) {
    const QByteArray f = Native(from);
    const QByteArray t = Native(to);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
#endif
    const JournalEntry entry({JournalOp::kMove, from, to, {}, {}, IdentityOfEntry(from), -1, {}},
                             false);
    if (!entry.begun()) return entry.error().systemError ? entry.error().systemError : EIO;
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

// A change of letter case only: the entry goes through a hidden name beside it.
FileError RenameThroughTemporary(const QString& from, const QString& to) {
    const QString temporary = safeio::NameBeside(from, "rename");
    const JournalEntry entry({JournalOp::kRename, from, to, temporary, {}, {}, -1, {}}, false);
    if (!entry.begun()) return safeio::Named(entry.error(), from);
    if (const int code = RenameNoReplace(from, temporary)) return ErrorOfCode(code, from);
    if (const int code = RenameNoReplace(temporary, to)) {
        RenameNoReplace(temporary, from);
        return ErrorOfCode(code, to);
    }
    return {};
}

// Copies `from` into the new file `temporary`, completely or not at all: the size is compared
// with the source's and the bytes are flushed to the disk; mode and modification time are the
// source's. A failed copy leaves nothing; its error names `from` when reading failed, else `to`.
FileError CopyInto(const QString& from, const QString& temporary, const QString& to,
                   FileIdentity& source) {
    FileError error;
    const int in = OpenRegularFile(from, false, error);
    if (in < 0) return safeio::Named(error, from);
    struct stat st {};
    ::fstat(in, &st);
    source = IdentityOfDescriptor(in);
    int out = safeio::CreateNew(temporary, error);
    if (out < 0) {
        ::close(in);
        return safeio::Named(error, to);
    }
    qint64 copied = 0;
    bool ok = safeio::CopyRange(in, 0, source.size, out, copied, error);
    // The mode bits themselves: a read-only file stays read-only also when root copies it.
    if (ok) (void)::fchmod(out, st.st_mode & 07777);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (ok) (void)::futimens(out, times);
    ok = ok && safeio::SyncData(out, error);
    ok = safeio::Close(out, error) && ok;
    ::close(in);
    if (ok && IdentityOfPath(temporary).size != source.size)
        error = {kErrDeviceIO, QStringLiteral("the copy is incomplete")}, ok = false;
    if (ok) return {};
    FileError ignored;
    safeio::Remove(temporary, ignored);
    return safeio::Named(error, to);
}

// A whole copy of `from` takes the name `to`: over the file there when `replace` says so (and
// only while it is still `replaced`, when that is known), else only while the name is free.
// With `move` the source goes once its copy has its name. Journalled, so that a crash leaves
// neither a stray temporary file nor the file twice.
FileError PlaceCopy(const QString& from, const QString& to, bool replace, bool move,
                    const FileIdentity& replaced) {
    const QString temporary = safeio::NameBeside(to, "copy");
    const FileIdentity before = IdentityOfEntry(from);
    const JournalEntry entry(
        {move ? JournalOp::kMove : JournalOp::kCopy, from, to, temporary, {}, before, -1, {}},
        true);
    if (!entry.begun()) return safeio::Named(entry.error(), to);
    FileIdentity source;
    if (const FileError copied = CopyInto(from, temporary, to, source); copied.failed())
        return copied;
    FileError ignored;
    const auto abandon = [&](const FileError& error) {
        safeio::Remove(temporary, ignored);
        return error;
    };
    if (move && !IdentityOfEntry(from).unchanged(before))
        return abandon(ChangedMeanwhileError(from));
    if (replace && replaced.valid() && !IdentityOfEntry(to).unchanged(replaced))
        return abandon(ChangedMeanwhileError(to));
    int code = 0;
    if (!replace)
        code = RenameNoReplace(temporary, to);
    else if (::rename(Native(temporary).constData(), Native(to).constData()) != 0)
        code = errno;
    if (code != 0) return abandon(ErrorOfCode(code, to));
    FileError error;
    if (!safeio::SyncFolderOf(to, error)) return safeio::Named(error, to);
    if (!move || ::unlink(Native(from).constData()) == 0) return {};
    const FileError kept = ErrorOfCode(errno, from);
    // A move that cannot delete its source has not happened, unless the copy replaced a file.
    if (!replace) safeio::Remove(to, ignored);
    return kept;
}

// `from` and `to` are one entry: nothing to do but a change of letter case.
FileError RenameSameEntry(const QString& from, const QString& to) {
    if (NameOf(from) == NameOf(to)) return {};
    return RenameThroughTemporary(from, to);
}

FileError ReplaceOnSameDevice(const QString& from, const QString& to,
                              const FileIdentity& replaced) {
    if (replaced.valid() && !IdentityOfEntry(to).unchanged(replaced))
        return ChangedMeanwhileError(to);
    if (::rename(Native(from).constData(), Native(to).constData()) == 0) return {};
    const int code = errno;
    return ErrorOfCode(code, BlamedByRename(code, from, to));
}

// While an operation is recorded: the file now at `to`, moved or renamed from `from` (a copy
// when `from` is empty), and the file it replaced kept aside as `kept`.
void RecordPlaced(const QString& from, const QString& to, const FileIdentity& before,
                  const QString& kept) {
    if (!operationrecord::Open() || from == to) return;
    RecordedChange change;
    change.kind = from.isEmpty() ? RecordedChange::Kind::Copied : RecordedChange::Kind::Placed;
    change.path = from.isEmpty() ? to : from;
    if (!from.isEmpty()) change.target = to;
    change.kept = kept;
    change.before = before;
    change.identity = IdentityOfEntry(to);
    operationrecord::Record(change);
}

FileIdentity BeforeRecorded(const QString& from) {
    return operationrecord::Open() ? IdentityOfEntry(from) : FileIdentity{};
}

// While an operation is recorded, a file about to be replaced gets a second name in the
// record's folder (a flushed copy there when that is on another file system), so that undo can
// put it back. Empty when nothing is kept; a file that cannot be kept is still replaced, as
// the user asked, only without a way back.
QString KeepAside(const QString& from, const QString& to) {
    if (!operationrecord::Open() || !Exists(to) || IsSameFile(from, to)) return {};
    const QString kept = operationrecord::KeptName();
    if (kept.isEmpty()) return {};
    if (::link(Native(to).constData(), Native(kept).constData()) == 0) return kept;
    FileIdentity source;
    return CopyInto(to, kept, kept, source).failed() ? QString() : kept;
}

// The replace took place, or the file kept aside for it goes.
FileError Replaced(const FileError& error, const QString& from, const QString& to,
                   const FileIdentity& before, const QString& kept) {
    FileError ignored;
    if (error.failed()) {
        if (!kept.isEmpty()) safeio::Remove(kept, ignored);
    } else {
        RecordPlaced(from, to, before, kept);
    }
    return error;
}

}  // namespace

bool Exists(const QString& path) {
    return IdentityOfEntry(path).valid();
}

bool IsSameFile(const QString& a, const QString& b) {
    return IdentityOfEntry(a).sameFile(IdentityOfEntry(b));
}

QString FolderOf(const QString& path) {
    const qsizetype cut = QDir::fromNativeSeparators(path).lastIndexOf(u'/');
    return path.left(cut + 1);
}

FileError RenameWithoutOverwrite(const QString& from, const QString& to) {
    const FileIdentity before = BeforeRecorded(from);
    const FileError error = RenameUnrecorded(from, to);
    if (!error.failed()) RecordPlaced(from, to, before, {});
    return error;
}

FileError RenameUnrecorded(const QString& from, const QString& to) {
#ifdef RENAME_NOREPLACE
    // The kernel refuses a taken name itself, so the common case is one call; the checks below
    // only sort out a refusal (a missing file, one entry spelled twice).
    if (::renameat2(AT_FDCWD, Native(from).constData(), AT_FDCWD, Native(to).constData(),
                    RENAME_NOREPLACE) == 0)
        return {};
    const int refused = errno;
    if (refused == ENOENT && !Exists(from)) return NotFound(from);
    if (refused != EEXIST && refused != EINVAL && refused != ENOSYS && refused != EOPNOTSUPP)
        return ErrorOfCode(refused, BlamedByRename(refused, from, to));
#endif
    if (!Exists(from)) return NotFound(from);
    if (SameEntry(from, to)) return RenameSameEntry(from, to);
    const int code = RenameNoReplace(from, to);
    return ErrorOfCode(code, BlamedByRename(code, from, to));
}

FileError CopyWithoutOverwrite(const QString& from, const QString& to) {
    if (!Exists(from)) return NotFound(from);
    if (Exists(to)) return AlreadyExists(to);
    return Replaced(PlaceCopy(from, to, false, false, {}), {}, to, {}, {});
}

FileError MoveWithoutOverwrite(const QString& from, const QString& to) {
    const FileIdentity before = BeforeRecorded(from);
    return Replaced(MoveUnrecorded(from, to), from, to, before, {});
}

FileError MoveUnrecorded(const QString& from, const QString& to) {
    if (!Exists(from)) return NotFound(from);
    if (SameEntry(from, to)) return RenameSameEntry(from, to);
    const int code = RenameNoReplace(from, to);
    if (code != EXDEV) return ErrorOfCode(code, BlamedByRename(code, from, to));
    if (Exists(to)) return AlreadyExists(to);
    return PlaceCopy(from, to, false, true, {});
}

FileError CopyReplacing(const QString& from, const QString& to, const FileIdentity& replaced) {
    if (!Exists(from)) return NotFound(from);
    // The file is there already: copying it over itself could only break a hard link.
    if (IsSameFile(from, to)) return {};
    const QString kept = KeepAside(from, to);
    return Replaced(PlaceCopy(from, to, true, false, replaced), {}, to, {}, kept);
}

FileError MoveReplacing(const QString& from, const QString& to, const FileIdentity& replaced) {
    if (!Exists(from)) return NotFound(from);
    if (SameEntry(from, to)) return RenameSameEntry(from, to);
    if (IsSameFile(from, to)) {
        // Two names of one file: the file stays under `to`, and only the name `from` goes.
        return ::unlink(Native(from).constData()) == 0 ? FileError{} : ErrorOfCode(errno, from);
    }
    const FileIdentity before = BeforeRecorded(from);
    const QString kept = KeepAside(from, to);
    FileError moved = ReplaceOnSameDevice(from, to, replaced);
    if (moved.systemError == EXDEV) moved = PlaceCopy(from, to, true, true, replaced);
    return Replaced(moved, from, to, before, kept);
}

FileError DeleteFile(const QString& path) {
    if (::unlink(Native(path).constData()) == 0) return {};
    return ErrorOfCode(errno, path);
}

FileError WriteWholeFile(const QString& path, const QByteArray& bytes) {
    const QString temporary = safeio::NameBeside(path, "write");
    const JournalEntry entry({JournalOp::kCopy, {}, path, temporary, {}, {}, -1, {}}, false);
    if (!entry.begun()) return safeio::Named(entry.error(), path);
    FileError error;
    int fd = safeio::CreateNew(temporary, error);
    if (fd < 0) return safeio::Named(error, path);
    // A new file gets the mode a plain create would give it; a replaced one keeps its own.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat old {};
    (void)::fchmod(
        fd, ::stat(Native(path).constData(), &old) == 0 ? old.st_mode & 07777 : 0666 & ~mask);
    bool ok = safeio::WriteAt(fd, 0, bytes, error) && safeio::SyncData(fd, error);
    ok = safeio::Close(fd, error) && ok;
    if (ok && ::rename(Native(temporary).constData(), Native(path).constData()) != 0)
        error = SystemFileError(errno), ok = false;
    FileError ignored;
    if (!ok) safeio::Remove(temporary, ignored);
    return ok ? FileError{} : safeio::Named(error, path);
}

FileError MakeFolder(const QString& path) {
    if (QFileInfo(path).isDir()) return {};
    if (::mkdir(Native(path).constData(), 0777) != 0)
        return safeio::Named(SystemFileError(errno), path);
    if (operationrecord::Open()) {
        RecordedChange made;
        made.kind = RecordedChange::Kind::Folder;
        made.path = path;
        operationrecord::Record(made);
    }
    return {};
}

FileError RemoveEmptyFolder(const QString& path) {
    if (::rmdir(Native(path).constData()) == 0) return {};
    return safeio::Named(SystemFileError(errno), path);
}

int AttributeValue(bool readOnly, bool hidden, bool archive) {
    return (readOnly ? kAttrReadOnly : 0) | (hidden ? kAttrHidden : 0) |
           (archive ? kAttrArchive : 0);
}

FileError SetFileAttributes(const QString& path, int value) {
    QFile file(path);
    if (!file.exists()) return NotFound(path);
    constexpr QFileDevice::Permissions kWrite = QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                QFileDevice::WriteGroup | QFileDevice::WriteOther;
    QFileDevice::Permissions permissions = file.permissions();
    if (value & kAttrReadOnly)
        permissions &= ~kWrite;
    else
        permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    return file.setPermissions(permissions) ? FileError{} : safeio::Named(FileErrorOf(file), path);
}

bool IsReadOnly(const QString& path) {
    return AttributesOf(path).value_or(0) == kAttrReadOnly;
}

std::optional<int> AttributesOf(const QString& path) {
    // The permission bits, not access(): a file is read-only even for a user who may write anyway.
    // One look at the file, since a save asks this of every file it writes.
    struct stat st {};
    if (::stat(Native(path).constData(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;
        return 0;  // the step that opens the file says why it cannot
    }
    return st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH) ? 0 : kAttrReadOnly;
}
