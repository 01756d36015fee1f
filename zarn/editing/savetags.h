#pragma once
// Writing the tag panel to disk: the attribute rule around WriteTags for one path, the one-file
// save and the several-files run. Errors of a file are reported through the Prompter and the
// run goes on with the next file.
#include <QStringList>

#include "zarn/editing/saverecords.h"

class Progress;
class Prompter;
struct Options;

// What a save does with the file attributes: with `set`, every written file gets `value`
// (AttributeValue of the options); otherwise a file's own attributes are put back.
struct AttributeRule {
    bool set = false;
    int value = 0;
};
AttributeRule AttributeRuleOf(const Options& options);

// Clears the file's attributes so that a read-only file can be written, writes the tags, then
// sets the attributes the rule gives. Returns what WriteTags returns.
bool WriteTagsWithAttributes(const QString& path, const ID3v1Record& tag1, const ID3v2Record& tag2,
                             TagModes modes, AttributeRule rule, Prompter* prompter);

// The shown file with the panel's values (cleaned by OneFileCleaned). Nothing happens for a
// file that is gone; false when nothing was written.
bool SaveOneFile(const QString& path, const PanelValues& values, const ShownFile& shown,
                 const Options& options, Prompter* prompter);

// The records and modes WriteTags takes for one file of a several-files save: each file's own
// tags where the form keeps them (KeepingAbsentID3v1 applied).
struct FileRecords {
    ID3v1Record tag1;
    ID3v2Record tag2;
    TagModes modes;
};
FileRecords SeveralFilesRecords(const QString& path, const PanelValues& values, TagModes modes,
                                bool removeHidden, Prompter* prompter);

struct SaveRun {
    int written = 0;
    int skipped = 0;  // gone from the disk
    bool stopped = false;
};
// Every path with the form (cleaned by SeveralFilesCleaned) in turn; `progress` hears of each
// file before it is written and may stop the run after it.
SaveRun SaveSeveralFiles(const QStringList& paths, const PanelValues& values, TagModes modes,
                         const Options& options, Prompter* prompter, Progress* progress);
