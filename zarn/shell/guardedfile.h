#pragma once
// One file opened once for a command that reads and then may write it: the only way tags are
// written to disk. Its identity (device, inode, size, modification time) is pinned when it is
// opened and checked again right before anything is overwritten, so a file that another program
// wrote, replaced or removed meanwhile is left alone and reported. A file opened for saving
// holds an advisory lock until it is closed, so two Zarn processes never write it at once.
// Every write is recorded in the journal first, so a crash at any moment leaves the file as it
// was or as it was meant to be (journalrecovery.h).
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "zarn/shell/fileerror.h"
#include "zarn/shell/fileidentity.h"
#include "zarn/shell/journalchange.h"

class JournalEntry;

// A position before the start of the file (a file shorter than its tag would be).
FileError BadPositionError();

// Bytes to put at a position of the file.
struct FilePatch {
    qint64 pos = 0;
    QByteArray bytes;
};

enum class FileAccess {
    Read,
    // Read and write when the system allows it, else read-only (the refusal is reported at the
    // first write), locked against other Zarn processes while open.
    Save,
};

class GuardedFile {
  public:
    explicit GuardedFile(const QString& path) : m_path(path) {}
    ~GuardedFile() { close(); }
    GuardedFile(const GuardedFile&) = delete;
    GuardedFile& operator=(const GuardedFile&) = delete;

    // Regular files only; a named pipe or device is refused without waiting on it. Opening a
    // file that is open already for as much access does nothing.
    bool open(FileAccess access);
    bool isOpen() const { return m_fd >= 0; }
    // Lets go of the file without writing anything more.
    void close();
    // Closes a file that was written in place and reports what the system says then (network
    // file systems report quota and full disks at close); the old bytes are put back after such
    // a failure.
    bool finish();

    const QString& path() const { return m_path; }
    // The file as it was when opened.
    const FileIdentity& identity() const { return m_identity; }
    // The file as it is now, after this object's own writes (looked at only when asked).
    FileIdentity currentIdentity();
    // The current length, or -1 (with the error set) when the system cannot tell.
    qint64 size();
    // Exactly `length` bytes at `pos`; fewer only when the file ends first. The first
    // kHeadLength bytes and the last 128 are read once and kept until the next write, since
    // the tag readers and writers each ask for pieces of them.
    std::optional<QByteArray> read(qint64 pos, qint64 length);
    static constexpr qint64 kHeadLength = 4096;

    // Writes the patches in place: every one of them, or none (a failure puts the old bytes back
    // and cuts the file back to its old length). Patches that change nothing are not written.
    // `cutTo`, when shorter than the file, cuts it to that length after the patches (an undo
    // taking away a tag that a save appended); the cut is part of the one step.
    bool writePatches(const QList<FilePatch>& patches, qint64 cutTo = -1);
    // Replaces the whole content by `head`, the file's bytes [from, to) and `tail`. Written to a
    // temporary file beside it that takes the file's name once complete and flushed; a file
    // with more than one name (hard links) is written in place behind a flushed backup copy
    // instead, so every name sees the new content. The file is closed afterwards.
    bool rewrite(const QByteArray& head, qint64 from, qint64 to, const QByteArray& tail);

    const FileError& error() const { return m_error; }
    void setError(const FileError& error) { m_error = error; }

  private:
    int openPinned(bool forWriting);
    bool fail(const FileError& error);
    // The file is still the one that was read, unchanged, and still has its name.
    bool stillAsRead();
    bool rewriteBeside(const QByteArray& head, qint64 from, qint64 to, const QByteArray& tail);
    // The complete new content at `temporary` takes the file's name.
    bool swapIn(const QString& temporary, JournalEntry& entry, FileError& error);
    bool rewriteBehindBackup(const QByteArray& head, qint64 from, qint64 to,
                             const QByteArray& tail);
    std::optional<QByteArray> kept(qint64 pos, qint64 length);
    void forget();
    // While an operation is recorded (journalrecord.h): what this object's writes changed, for
    // undo; it goes to the record once the write is complete.
    void recordPatches(const QList<JournalPatch>& patches, qint64 length);
    std::optional<RecordedChange> recordRewrite(const QByteArray& head, qint64 from, qint64 to,
                                                const QByteArray& tail);
    void recordDone(std::optional<RecordedChange>& change);

    QString m_path;
    int m_fd = -1;
    bool m_writable = false;
    bool m_saving = false;
    FileError m_writeRefusal;  // why the file could only be opened for reading
    FileError m_error;
    FileIdentity m_identity;
    bool m_identityStale = false;  // this object wrote the file since m_identity was taken
    qint64 m_size = -1;            // as last seen; -1 after a write
    std::optional<QByteArray> m_head, m_tail;
    QList<FilePatch> m_written;  // the old bytes of this object's in-place writes, for finish()
    qint64 m_lengthBeforeWrites = -1;
    std::optional<RecordedChange> m_recorded;
};
