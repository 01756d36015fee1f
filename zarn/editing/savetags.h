#pragma once
// Writing the tag panel to disk: the attribute rule around a write, the one-file save and the
// several-files run. Each file is opened once (Mp3File): its tags are read and written through
// the same handle. What became of each file comes back as a value (FileOutcome); the windows and
// the batch front present it.
#include <QStringList>
#include <functional>

#include "zarn/editing/saverecords.h"
#include "zarn/shell/fileoutcome.h"

class Mp3File;
class Progress;
struct Options;
struct TagWrite;

// What a save does with the file attributes: with `set`, every written file gets `value`
// (AttributeValue of the options); otherwise a file's own attributes are put back.
struct AttributeRule {
    bool set = false;
    int value = 0;
};
AttributeRule AttributeRuleOf(const Options& options);

// Runs `work` on the file with its read-only attribute lifted (so that it can be opened for
// writing), then sets the attributes the rule gives or puts the file's own back.
FileOutcome WithAttributes(const QString& path, AttributeRule rule,
                           const std::function<FileOutcome()>& work);

// The outcome of one file's write.
FileOutcome OutcomeOf(const QString& path, const TagWrite& write);

// The shown file with the panel's values (cleaned by OneFileCleaned). A file that is gone is
// Gone; a file that changed since the panel read it (shown.identity) is refused, so the panel's
// values never land on content they were not read from. `written`, when given, gets the file's
// identity after the save.
FileOutcome SaveOneFile(const QString& path, const PanelValues& values, const ShownFile& shown,
                        const Options& options, FileIdentity* written = nullptr);

// The records and modes WriteTags takes for one file of a several-files save: each file's own
// tags where the form keeps them (KeepingAbsentID3v1 applied).
struct FileRecords {
    ID3v1Record tag1;
    ID3v2Record tag2;
    TagModes modes;
    FileError error;  // the tags could not be read
};
// `options` gives the ID3v1 packing and whether hidden frames are removed.
FileRecords SeveralFilesRecords(Mp3File& file, const PanelValues& values, TagModes modes,
                                const Options& options);
FileRecords SeveralFilesRecords(const QString& path, const PanelValues& values, TagModes modes,
                                const Options& options);

struct SaveRun {
    int written = 0;
    int skipped = 0;  // gone from the disk
    bool stopped = false;
    QList<FileOutcome> problems;  // the files gone or failed, in the order of the run
};
// Every path with the form (cleaned by SeveralFilesCleaned) in turn; `progress` hears of each
// file before it is written and may stop the run after it.
SaveRun SaveSeveralFiles(const QStringList& paths, const PanelValues& values, TagModes modes,
                         const Options& options, Progress* progress);
