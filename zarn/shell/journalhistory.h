#pragma once
// The kept operations, for undo: one folder each under $XDG_STATE_HOME/zarn/history (beside the
// per-process journals, apart from them), named by the time the operation began. It holds the
// record (record.jsonl: a header line, then one line per change, journalchange.h), a summary
// written when the operation closed, and the files it replaced, kept aside. An operation whose
// undo has begun is renamed "undoing-..." first, so that a crash leaves a mark the next start
// finds; one whose undo could not put back a kept file stays as "undone-..." until dropped.
#include <QDateTime>
#include <QList>
#include <QString>

#include "zarn/shell/journalchange.h"

// How much is kept: the newest operations, at most so many and so many bytes of kept tags and
// files; the oldest go first.
struct HistoryLimits {
    int operations = 50;
    qint64 bytes = qint64(500) << 20;
};

struct KeptOperation {
    QString folder;
    QString kind;  // "Save ID3", "--set", ...
    QDateTime started;
    int files = 0;
    qint64 bytes = 0;
    bool running = false;  // a Zarn that still runs is recording it
    // Closed with its summary. A record cut short (a crash, a full disk) may lack the last
    // changes, which an undo then cannot take back.
    bool complete = true;
};

namespace history {
QString Folder();
QString RecordOf(const QString& folder);
// A new folder name for an operation that begins now.
QString NewOperationFolder();
// The kept operations, newest first.
QList<KeptOperation> Operations();
// Folders of operations whose undo was cut short by a crash (no process holds them).
QStringList InterruptedUndos();
// The changes of a record in the order they were made.
QList<RecordedChange> Changes(const QString& folder);
// Drops the oldest operations beyond the limits, never one that is still being recorded.
void ApplyLimits(const HistoryLimits& limits);
// Removes a record with everything it keeps.
void Drop(const QString& folder);
// Takes the record for an undo: locked against other Zarn processes, then renamed
// "undoing-..." (already so named for a resumed undo). Empty when another process holds it.
struct Claim {
    QString folder;
    int fd = -1;
};
Claim ClaimForUndo(const QString& folder);
// After the undo: the record goes, unless `keepKept` (a kept file could not be put back), when
// it stays as "undone-..." with what it keeps.
void ReleaseAfterUndo(Claim& claim, bool keepKept);
}  // namespace history
