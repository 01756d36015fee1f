#pragma once
// The journal of intent: before a step that can destroy data, a record of what it is about to
// do (the paths, the file's identity, the temporary and backup files it makes, the bytes an
// in-place write overwrites) is appended to this process's own journal file; when the step is
// done, that is appended too. A crash leaves the record behind, and the next start of the
// program (window or command) finishes or rolls back the step (journalrecovery.h).
//
// Each process writes its own file, locked while the process lives, so that a second Zarn never
// takes the steps of a running one for interrupted ones. Records are lines of JSON.
#include <QByteArray>
#include <QList>
#include <QString>

#include "zarn/shell/fileerror.h"
#include "zarn/shell/fileidentity.h"

// What a step did to a file in place: the bytes at `pos` before, and a fingerprint of the
// bytes written there, so that recovery can tell a finished write from a torn one.
struct JournalPatch {
    qint64 pos = 0;
    QByteArray old;  // only the part inside the file's old length
    qint64 newLength = 0;
    quint64 newHash = 0;
};

// The kinds of step, as recovery reads them.
namespace JournalOp {
inline constexpr char kPatch[] = "patch";      // bytes written over the file in place
inline constexpr char kRewrite[] = "rewrite";  // new content in `temporary`, renamed over
inline constexpr char kRewriteLinked[] = "rewrite-linked";  // written in place behind `backup`
inline constexpr char kCopy[] = "copy";      // `temporary` beside `target`, then placed
inline constexpr char kMove[] = "move";      // as a copy, then `path` removed
inline constexpr char kRename[] = "rename";  // through `temporary` (a change of case)
}  // namespace JournalOp

// The phases a step passes that recovery must tell apart.
namespace JournalPhase {
inline constexpr char kBackupReady[] = "backup-ready";  // the backup is complete and flushed
inline constexpr char kWritten[] = "written";           // the new content is complete
inline constexpr char kExchanged[] = "exchanged";       // the new content and the old traded names
}  // namespace JournalPhase

struct JournalStep {
    const char* op = JournalOp::kPatch;
    QString path;           // the file the step changes (the source of a copy or move)
    QString target;         // where a copy or move puts it
    QString temporary;      // a file the step makes and renames into place
    QString backup;         // the copy of a file that is written in place
    FileIdentity identity;  // of `path` when the step began
    qint64 length = -1;     // of `path` before an in-place write
    qint64 cut = -1;        // an in-place write that ends by cutting the file to this length
    QList<JournalPatch> patches = {};
};

class Journal {
  public:
    // This process's journal, opened on first use.
    static Journal& Own();
    // Where every journal lives: $XDG_STATE_HOME/zarn, by default ~/.local/state/zarn.
    static QString Folder();
    // The name journals have there, and the one of this process's.
    static bool IsJournalName(const QString& name);
    QString fileName() const { return m_path; }

    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Appends the record; 0 when it could not be written (error() says why), and then the step
    // must not begin. `durable` flushes it to the disk for steps that flush files anyway.
    quint64 begin(const JournalStep& step, bool durable = false);
    // The step has reached a phase (JournalPhase); false when that could not be recorded.
    bool mark(quint64 step, const char* phase, bool durable = false);
    // The step is done. The record of a `deferred` end goes with the next record or settle().
    void end(quint64 step, bool deferred = false);
    // Writes an end still waiting; runs call it when they are over.
    void settle();
    const FileError& error() const { return m_error; }

  private:
    Journal() = default;
    bool open();
    bool append(const QByteArray& line, bool durable);
    QByteArray pendingDone() const;

    QString m_path;
    int m_fd = -1;
    qint64 m_pid = 0;  // the process that opened it: a forked child writes a journal of its own
    quint64 m_next = 1;
    int m_open = 0;             // steps begun and not ended
    qint64 m_length = 0;        // bytes this process appended since the journal was last emptied
    quint64 m_pendingDone = 0;  // a step whose end is not written yet
    FileError m_error;
};

// A fingerprint of bytes (64-bit FNV-1a): enough to tell the bytes a step wrote from others.
quint64 BytesHash(const QByteArray& bytes);

// Ends a journal step when it goes out of scope, whatever way the step is left.
class JournalEntry {
  public:
    JournalEntry() = default;
    // A step that flushes its record to the disk records its end at once; a quick one (a write
    // in place) lets its end go with the next record.
    JournalEntry(const JournalStep& step, bool durable)
        : m_id(Journal::Own().begin(step, durable)), m_durable(durable) {}
    ~JournalEntry() {
        if (m_id) Journal::Own().end(m_id, !m_durable);
    }
    JournalEntry(const JournalEntry&) = delete;
    JournalEntry& operator=(const JournalEntry&) = delete;
    // False when the record could not be written: the step must not begin.
    bool begun() const { return m_id != 0; }
    bool mark(const char* phase, bool durable = true) {
        return Journal::Own().mark(m_id, phase, durable);
    }
    FileError error() const;

  private:
    quint64 m_id = 0;
    bool m_durable = false;
};
