#include "zarn/shell/guardedfile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "zarn/shell/journal.h"
#include "zarn/shell/journalrecord.h"
#include "zarn/shell/regularfile.h"
#include "zarn/shell/safeio.h"

namespace {

// A file replaced again and again while we wait for its lock is given up on after this.
constexpr int kOpenAttempts = 5;

bool IsWriteRefusal(int code) {
    return code == EACCES || code == EPERM || code == EROFS || code == ETXTBSY;
}

// Waits for the other Zarn that writes the file; true when it had to wait (the file may have
// been written or replaced meanwhile). A file system without locks still works: the identity
// check catches what the lock would have kept out.
bool LockForSaving(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) return false;
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    return true;
}

// The new content: head, [from, to) of `in`, tail.
bool WriteContent(int out, const QByteArray& head, int in, qint64 from, qint64 to,
                  const QByteArray& tail, qint64& end, FileError& error) {
    end = 0;
    if (!safeio::WriteAt(out, 0, head, error)) return false;
    end = head.size();
    if (!safeio::CopyRange(in, from, to, out, end, error)) return false;
    if (!safeio::WriteAt(out, end, tail, error)) return false;
    end += tail.size();
    return true;
}

// Owner, group and mode as the original's; a user who may not give a file away may still keep
// its group. The mode is set last since a change of owner clears the set-id bits.
void KeepOwner(int fd, const struct stat& original) {
    if (::fchown(fd, original.st_uid, original.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), original.st_gid);
    (void)::fchmod(fd, original.st_mode & 07777);
}

// The old bytes under a patch, and the patch cut to the bytes that change: most saves change a
// few bytes of a tag and its padding.
struct PlannedPatch {
    FilePatch patch;
    QByteArray old;  // the part inside the file's old length
};

std::optional<PlannedPatch> Trimmed(const FilePatch& patch, const QByteArray& old) {
    const QByteArray& bytes = patch.bytes;
    qsizetype start = 0;
    while (start < old.size() && old[start] == bytes[start]) ++start;
    if (start == bytes.size()) return std::nullopt;
    qsizetype end = bytes.size();
    if (old.size() == bytes.size())
        while (end > start && old[end - 1] == bytes[end - 1]) --end;
    return PlannedPatch{{patch.pos + start, bytes.mid(start, end - start)},
                        old.mid(start, qMin<qsizetype>(end, old.size()) - start)};
}

}  // namespace

FileError BadPositionError() {
    return {kErrBadRecordNumber, QStringLiteral("Bad record number")};
}

bool GuardedFile::fail(const FileError& error) {
    m_error = safeio::Named(error, m_path);
    return false;
}

int GuardedFile::openPinned(bool forWriting) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        FileError error;
        int fd = OpenRegularFile(m_path, forWriting, error, &m_identity);
        m_writable = forWriting && fd >= 0;
        if (fd < 0 && forWriting && IsWriteRefusal(error.systemError)) {
            m_writeRefusal = safeio::Named(error, m_path);
            fd = OpenRegularFile(m_path, false, error, &m_identity);
        }
        if (fd < 0) {
            fail(error);
            return -1;
        }
        // What the lock waited for may have written the file, or given its name to another.
        const bool waited = forWriting && LockForSaving(fd);
        if (waited) m_identity = IdentityOfDescriptor(fd);
        m_size = m_identity.size;
        if (!waited || IdentityOfPath(m_path).sameFile(m_identity)) return fd;
        ::close(fd);
    }
    fail(ChangedMeanwhileError(m_path));
    return -1;
}

bool GuardedFile::open(FileAccess access) {
    const bool saving = access == FileAccess::Save;
    if (m_fd >= 0) {
        if (!saving || m_saving) return true;
        close();
    }
    m_saving = saving;
    m_writeRefusal = {};
    m_identityStale = false;
    m_fd = openPinned(saving);
    return m_fd >= 0;
}

void GuardedFile::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_writable = false;
    m_written.clear();
    m_recorded.reset();
    forget();
}

bool GuardedFile::finish() {
    if (m_fd < 0) return true;
    FileError error;
    int fd = m_fd;
    m_fd = -1;
    // The file as the writes left it (a close does not change that), looked at through the
    // descriptor: cheaper than by name, once per file of a long save.
    if (m_recorded) m_recorded->identity = IdentityOfDescriptor(fd);
    const bool closed = safeio::Close(fd, error);
    if (closed) recordDone(m_recorded);
    if (!closed && !m_written.isEmpty() && IdentityOfPath(m_path).sameFile(m_identity)) {
        // The system would not take the bytes after all: the old ones go back.
        FileError ignored;
        int again = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CLOEXEC);
        if (again >= 0) {
            for (qsizetype i = m_written.size() - 1; i >= 0; --i)
                safeio::WriteAt(again, m_written[i].pos, m_written[i].bytes, ignored);
            safeio::Truncate(again, m_lengthBeforeWrites, ignored);
            safeio::Close(again, ignored);
        }
    }
    close();
    return closed || fail(error);
}

qint64 GuardedFile::size() {
    if (m_size >= 0) return m_size;
    const FileIdentity now = IdentityOfDescriptor(m_fd);
    if (!now.valid()) {
        fail(SystemFileError(errno));
        return -1;
    }
    return m_size = now.size;
}

void GuardedFile::forget() {
    m_size = -1;
    m_head.reset();
    m_tail.reset();
}

// The bytes from the kept start or end of the file, reading that part first when it has not
// been read; nothing when the piece lies elsewhere (or a read fails: the caller reads then).
std::optional<QByteArray> GuardedFile::kept(qint64 pos, qint64 length) {
    const qint64 size = this->size();
    if (size < 0) return std::nullopt;
    const qint64 end = qMin(pos + length, size);
    if (pos >= end) return QByteArray();
    QByteArray bytes;
    if (end <= kHeadLength) {
        if (!m_head && safeio::ReadAt(m_fd, 0, qMin(kHeadLength, size), bytes, m_error))
            m_head = bytes;
        if (m_head && end <= m_head->size()) return m_head->mid(pos, end - pos);
    }
    const qint64 tailPos = qMax<qint64>(0, size - 128);
    if (pos >= tailPos) {
        if (!m_tail && safeio::ReadAt(m_fd, tailPos, size - tailPos, bytes, m_error))
            m_tail = bytes;
        if (m_tail && end - tailPos <= m_tail->size()) return m_tail->mid(pos - tailPos, end - pos);
    }
    return std::nullopt;
}

std::optional<QByteArray> GuardedFile::read(qint64 pos, qint64 length) {
    if (pos < 0) {
        fail(BadPositionError());
        return std::nullopt;
    }
    length = qMax<qint64>(0, length);
    if (auto bytes = kept(pos, length)) return bytes;
    QByteArray bytes;
    if (!safeio::ReadAt(m_fd, pos, length, bytes, m_error)) {
        fail(m_error);
        return std::nullopt;
    }
    return bytes;
}

FileIdentity GuardedFile::currentIdentity() {
    if (m_fd >= 0 && m_identityStale) {
        m_identity = IdentityOfDescriptor(m_fd);
        m_identityStale = false;
    }
    return m_fd >= 0 ? m_identity : IdentityOfPath(m_path);
}

bool GuardedFile::stillAsRead() {
    if (m_identityStale) currentIdentity();  // the last write was this object's own
    if (IdentityOfDescriptor(m_fd).unchanged(m_identity) &&
        IdentityOfPath(m_path).sameFile(m_identity))
        return true;
    return fail(ChangedMeanwhileError(m_path));
}

bool GuardedFile::writePatches(const QList<FilePatch>& patches, qint64 cutTo) {
    if (m_fd < 0 || !m_writable)
        return fail(m_writeRefusal.failed() ? m_writeRefusal : SystemFileError(EBADF));
    const qint64 length = size();
    if (length < 0) return false;
    // What makes the file longer goes first: that is what fails on a full disk.
    QList<PlannedPatch> planned;
    for (const bool growing : {true, false}) {
        for (const FilePatch& patch : patches) {
            if (patch.pos < 0) return fail(BadPositionError());
            if ((patch.pos + patch.bytes.size() > length) != growing) continue;
            const qint64 inside = qBound<qint64>(0, length - patch.pos, patch.bytes.size());
            const auto old = inside > 0 ? read(patch.pos, inside) : QByteArray();
            if (!old) return false;
            if (auto trimmed = Trimmed(patch, *old)) planned.append(*trimmed);
        }
    }
    const bool cutting = cutTo >= 0 && cutTo < length;
    const auto cutOld = cutting ? read(cutTo, length - cutTo) : QByteArray();
    if (!cutOld) return false;
    if (planned.isEmpty() && !cutting) return true;
    if (!stillAsRead()) return false;

    JournalStep step{JournalOp::kPatch, m_path, {}, {}, {}, m_identity, length, {}};
    for (const PlannedPatch& p : planned)
        step.patches.append({p.patch.pos, p.old, p.patch.bytes.size(), BytesHash(p.patch.bytes)});
    if (cutting) {
        // Recovery puts the cut bytes back like any others, and sees the step done once cut.
        step.cut = cutTo;
        step.patches.append({cutTo, *cutOld, 0, BytesHash({})});
    }
    const JournalEntry entry(step, false);
    if (!entry.begun()) return fail(entry.error());
    forget();
    const auto rollBack = [&](qsizetype last) {
        FileError ignored;
        for (qsizetype j = last; j >= 0; --j)
            safeio::WriteAt(m_fd, planned[j].patch.pos, planned[j].old, ignored);
        safeio::Truncate(m_fd, length, ignored);
        m_identity = IdentityOfDescriptor(m_fd);
    };
    for (qsizetype i = 0; i < planned.size(); ++i) {
        FileError error;
        if (safeio::WriteAt(m_fd, planned[i].patch.pos, planned[i].patch.bytes, error)) continue;
        rollBack(i);
        return fail(error);
    }
    if (FileError error; cutting && !safeio::Truncate(m_fd, cutTo, error)) {
        rollBack(planned.size() - 1);
        return fail(error);
    }
    if (m_written.isEmpty()) m_lengthBeforeWrites = length;
    for (const PlannedPatch& p : planned) m_written.append({p.patch.pos, p.old});
    if (cutting) m_written.append({cutTo, *cutOld});
    if (operationrecord::Open()) recordPatches(step.patches.mid(0, planned.size()), length);
    m_identityStale = true;
    return true;
}

void GuardedFile::recordPatches(const QList<JournalPatch>& patches, qint64 length) {
    if (!m_recorded) {
        m_recorded = RecordedChange{};
        m_recorded->path = m_path;
        m_recorded->before = m_identity;
        m_recorded->oldLength = length;
    }
    m_recorded->patches += patches;
}

std::optional<RecordedChange> GuardedFile::recordRewrite(const QByteArray& head, qint64 from,
                                                         qint64 to, const QByteArray& tail) {
    // The bytes around the audio, never the audio itself.
    const qint64 length = size();
    const auto oldHead = length >= 0 ? read(0, from) : std::nullopt;
    const auto oldTail = oldHead ? read(to, length - to) : std::nullopt;
    if (!oldTail) return std::nullopt;
    RecordedChange change;
    change.path = m_path;
    change.before = m_identity;
    change.oldLength = length;
    change.rewritten = true;
    change.head = *oldHead;
    change.tail = *oldTail;
    change.audioFrom = head.size();
    change.audioTo = head.size() + (to - from);
    change.headHash = BytesHash(head);
    change.tailHash = BytesHash(tail);
    return change;
}

void GuardedFile::recordDone(std::optional<RecordedChange>& change) {
    if (!change) return;
    if (!change->identity.valid()) change->identity = IdentityOfPath(m_path);
    change->newLength = change->identity.size;
    operationrecord::Record(*change);
    change.reset();
}

bool GuardedFile::rewrite(const QByteArray& head, qint64 from, qint64 to, const QByteArray& tail) {
    if (m_fd < 0 || !m_writable)
        return fail(m_writeRefusal.failed() ? m_writeRefusal : SystemFileError(EBADF));
    std::optional<RecordedChange> change;
    if (operationrecord::Open()) {
        change = recordRewrite(head, from, to, tail);
        if (!change) {
            close();
            return false;
        }
    }
    const bool ok = IdentityOfDescriptor(m_fd).links > 1 ? rewriteBehindBackup(head, from, to, tail)
                                                         : rewriteBeside(head, from, to, tail);
    close();
    if (ok) recordDone(change);
    return ok;
}

bool GuardedFile::rewriteBeside(const QByteArray& head, qint64 from, qint64 to,
                                const QByteArray& tail) {
    struct stat original {};
    if (::fstat(m_fd, &original) != 0) return fail(SystemFileError(errno));
    const QString temporary = safeio::NameBeside(m_path, "save");
    JournalEntry entry({JournalOp::kRewrite, m_path, {}, temporary, {}, m_identity, -1, {}}, true);
    if (!entry.begun()) return fail(entry.error());
    FileError error;
    int out = safeio::CreateNew(temporary, error);
    if (out < 0) return fail(error);
    qint64 end = 0;
    bool ok = WriteContent(out, head, m_fd, from, to, tail, end, error);
    if (ok) KeepOwner(out, original);
    ok = ok && safeio::SyncData(out, error);
    const FileIdentity fresh = IdentityOfDescriptor(out);
    // Closed either way; a failed close fails the step only when all else went well.
    ok = safeio::Close(out, error) && ok;
    if (ok && !stillAsRead()) error = m_error, ok = false;
    if (ok) ok = swapIn(temporary, entry, error);
    if (!ok) {
        FileError ignored;
        if (IdentityOfEntry(temporary).sameFile(fresh)) safeio::Remove(temporary, ignored);
        return fail(error);
    }
    m_identity = IdentityOfPath(m_path);
    if (!safeio::SyncFolderOf(m_path, error)) {
        error.description = QStringLiteral(
                                "The new content has the file's name, but the folder "
                                "could not be flushed to the disk: ") +
                            error.description;
        return fail(error);
    }
    return true;
}

bool GuardedFile::swapIn(const QString& temporary, JournalEntry& entry, FileError& error) {
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(m_path);
    FileError ignored;
#ifdef RENAME_EXCHANGE
    // The two names trade places in one step, and only then is the old content checked: a
    // version another program gave the name after stillAsRead() is not lost, it goes back.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0) {
        entry.mark(JournalPhase::kExchanged, false);
        if (IdentityOfEntry(temporary).unchanged(m_identity)) {
            safeio::Remove(temporary, ignored);  // the old content
            return true;
        }
        ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE);
        error = ChangedMeanwhileError(m_path);
        return false;
    }
    // A file removed meanwhile is not brought back.
    if (errno == ENOENT) {
        error = ChangedMeanwhileError(m_path);
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        error = SystemFileError(errno);
        return false;
    }
#endif
    Q_UNUSED(entry);
    if (::rename(from.constData(), to.constData()) == 0) return true;
    error = SystemFileError(errno);
    return false;
}

bool GuardedFile::rewriteBehindBackup(const QByteArray& head, qint64 from, qint64 to,
                                      const QByteArray& tail) {
    const QString backupName = safeio::NameBeside(m_path, "backup");
    const qint64 length = size();
    if (length < 0) return false;
    JournalEntry entry(
        {JournalOp::kRewriteLinked, m_path, {}, {}, backupName, m_identity, length, {}}, true);
    if (!entry.begun()) return fail(entry.error());
    FileError error;
    int backup = safeio::CreateNew(backupName, error);
    if (backup < 0) return fail(error);
    qint64 copied = 0;
    bool saved = safeio::CopyRange(m_fd, 0, length, backup, copied, error) &&
                 safeio::SyncData(backup, error);
    if (saved && !entry.mark(JournalPhase::kBackupReady)) error = entry.error(), saved = false;
    if (saved && !stillAsRead()) error = m_error, saved = false;
    FileError ignored;
    if (!saved) {
        safeio::Close(backup, ignored);
        safeio::Remove(backupName, ignored);
        return fail(error);
    }
    // The audio is read from the backup, since the original is overwritten as we go.
    qint64 end = 0;
    forget();
    const bool written = WriteContent(m_fd, head, backup, from, to, tail, end, error) &&
                         safeio::Truncate(m_fd, end, error) && safeio::SyncData(m_fd, error);
    bool restored = written;
    if (!written) {
        qint64 back = 0;
        restored = safeio::CopyRange(backup, 0, length, m_fd, back, ignored) &&
                   safeio::Truncate(m_fd, length, ignored) && safeio::SyncData(m_fd, ignored);
    } else {
        entry.mark(JournalPhase::kWritten);
    }
    safeio::Close(backup, ignored);
    if (restored) {
        safeio::Remove(backupName, ignored);
    } else {
        error.description += QStringLiteral("\nThe file as it was is kept in ") + backupName;
    }
    return written || fail(error);
}
