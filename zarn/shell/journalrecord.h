#pragma once
// The record of the operation that runs, the unit undo takes back: one action as the user sees
// it (a save of one or many files, a Fix ID3 run, a sort, a rename run, a batch command). While
// one is open, the guarded path (guardedfile.h, fileops.h) reports here every change it makes to
// a file, and each change goes to the record at once (journalhistory.h), so that what a run did
// before a crash can be taken back too.
#include <QString>

#include "zarn/shell/journalchange.h"
#include "zarn/shell/journalhistory.h"

class Prompter;

class RecordedOperation {
  public:
    // Opens a record of this kind ("Save ID3", "--set", ...); its folder is made with the first
    // change. An empty kind, or an operation already open in this process, records nothing here.
    // A record that cannot be written whole (a full disk) is said to `told` when it closes.
    explicit RecordedOperation(const QString& kind, const HistoryLimits& limits = {},
                               Prompter* told = nullptr);
    // Closes it (see close()).
    ~RecordedOperation();
    RecordedOperation(const RecordedOperation&) = delete;
    RecordedOperation& operator=(const RecordedOperation&) = delete;

    // Closes it now: a record without changes goes; then the oldest go beyond the limits.
    // Empty, or the message that the record could not be written whole, so that an undo can
    // take back only part of the operation. The operation itself is not affected.
    QString close();

  private:
    bool m_owner = false;
    Prompter* m_told = nullptr;
};

namespace operationrecord {
// An operation is being recorded in this process.
bool Open();
void Record(const RecordedChange& change);
// A free name in the open record's folder, for a file about to be replaced to be kept under;
// empty when the record cannot be written.
QString KeptName();
}  // namespace operationrecord
