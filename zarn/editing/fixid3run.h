#pragma once
// "Fix ID3" for a selection: every file in turn is loaded, fixed and written before the next.
// A file that cannot be read or written, or whose track is no number, is left as it was and
// comes back among the run's problems; the run goes on with the next file. Each file is opened
// once: read, fixed and written through the same handle.
#include <QStringList>
#include <functional>

#include "zarn/editing/fixid3.h"
#include "zarn/editing/panelstate.h"
#include "zarn/shell/fileoutcome.h"
#include "zarn/shell/guardedfile.h"

class Mp3File;
class Progress;
struct FileInfo;
struct Options;

// The versions chosen when the command started (the two check boxes); a version not chosen is
// fixed in each file that has it.
struct FixVersions {
    bool id3v1 = false;
    bool id3v2 = false;
};

struct FixRun {
    int written = 0;
    int failed = 0;    // left as it was; why is among `problems`
    QStringList gone;  // no longer on the disk: their rows leave the list
    bool stopped = false;
    QList<FileOutcome> problems;  // the files gone or failed, in the order of the run
};

// Shows the file being worked on: what was read of it and its fixed values.
using FixShown = std::function<void(const FileInfo& info, const PanelValues& fixed)>;

// What Fix ID3 would write into one file, opened here with `access`: the records and modes, or
// why the file is left as it was. `shown` hears of what was read and fixed.
struct FixPlan {
    FixedRecords records;
    FileError error;
};
FixPlan FixPlanOf(Mp3File& file, FileAccess access, FixVersions chosen, const QString& inPattern,
                  const Options& options, const FixShown& shown = {});

// `paths` is a snapshot of the selection, so rows leaving the list cannot shift the run.
// `progress` hears of each file before it is fixed and may stop the run after it.
FixRun FixSeveralFiles(const QStringList& paths, FixVersions chosen, const QString& inPattern,
                       const Options& options, Progress* progress, const FixShown& shown = {});
