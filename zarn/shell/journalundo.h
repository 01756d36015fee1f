#pragma once
// Undo: kept operations (journalhistory.h) taken back, newest first, through the guarded path:
// old tag bytes written back, moves and renames reversed, copies removed, replaced files put
// back, and the folders an operation made removed once empty. A file that changed since the
// operation (its identity is no longer the one the operation left) is left alone and named; the
// rest is undone. A record is marked before its undo begins, so that after a crash in the middle
// (every file is then old or new) the next start finishes it: FinishInterruptedUndos.
#include <QList>
#include <QString>
#include <QStringList>

#include "zarn/shell/fileoutcome.h"
#include "zarn/shell/journalhistory.h"

struct UndoOutcome {
    QStringList operations;    // the titles of the operations taken back, newest first
    QList<FileOutcome> files;  // Done: put back; Failed: left alone, and why
    QString stopped;           // why fewer operations than asked were taken back
    // One line for each operation taken back whose record was cut short: files it changed
    // after its last recorded change keep their changes.
    QStringList cutShort;
    // Every file put back, as many operations as asked, and each of them whole.
    bool complete() const;
};

// Takes back the newest `count` kept operations.
UndoOutcome UndoNewest(int count);
// Takes back the kept operations from the newest down to the one kept in `folder`.
UndoOutcome UndoDownTo(const QString& folder);
// The undos a crash interrupted, finished; a line for each, for what a start reports.
QStringList FinishInterruptedUndos();

// "Save ID3 (20 files)"; "--set (3 files, record cut short)" for a record that is not whole.
QString OperationTitle(const KeptOperation& operation);
