#pragma once
// What a run over many files did with each one, as a value: the core runs return these, and only
// the windows turn them into message boxes and the batch front into lines.
#include <QList>
#include <QString>

#include "zarn/shell/fileerror.h"

struct FileOutcome {
    enum class Kind { Done, Unchanged, Gone, Failed };
    QString path;
    Kind kind = Kind::Unchanged;
    FileError error;  // Failed: why, naming the file

    static FileOutcome Failure(const QString& path, FileError error) {
        if (error.path.isEmpty()) error.path = path;
        return {path, Kind::Failed, error};
    }
    bool failed() const { return kind == Kind::Failed; }
};

// The failed files of a run in one message: how many, then one line per file with its reason
// (the first `shown` of them, and how many more).
QString FailureSummary(const QList<FileOutcome>& outcomes, int shown = 20);
