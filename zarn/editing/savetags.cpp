#include "zarn/editing/savetags.h"

#include "zarn/shell/fileops.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/options.h"
#include "zarn/shell/progress.h"

AttributeRule AttributeRuleOf(const Options& options) {
    return {options.bSetAttributes,
            AttributeValue(options.bReadOnly, options.bHidden, options.bArchive)};
}

bool WriteTagsWithAttributes(const QString& path, const ID3v1Record& tag1, const ID3v2Record& tag2,
                             TagModes modes, AttributeRule rule, Prompter* prompter) {
    // Read-only is the one attribute with a counterpart here (fileops.h).
    const int old = IsReadOnly(path) ? kAttrReadOnly : 0;
    if (old != 0) SetFileAttributes(path, 0);
    const bool written = WriteTags(path, tag1, tag2, modes.id3v1, modes.id3v2, prompter);
    if (rule.set)
        SetFileAttributes(path, rule.value);
    else if (old != 0)
        SetFileAttributes(path, old);
    return written;
}

bool SaveOneFile(const QString& path, const PanelValues& values, const ShownFile& shown,
                 const Options& options, Prompter* prompter) {
    if (!PathExists(path)) return false;
    TagModes modes = OneFileModes(values, shown);
    if (modes.nothing()) return false;
    ID3v1Record tag1;
    if (modes.id3v1 != kRemoveTag) {
        const ID3v1Record old = ReadID3v1(path, prompter);
        modes = KeepingAbsentID3v1(modes, old.hasTag());
        tag1 = OneFileID3v1(values, options.bOptimizedID3v1, old.Genre);
    }
    ID3v2Record tag2;
    if (modes.id3v2 != kRemoveTag)
        tag2 = OneFileID3v2(values, shown.hiddenFrames, options.bRemHiddenID3);
    return WriteTagsWithAttributes(path, tag1, tag2, modes, AttributeRuleOf(options), prompter);
}

FileRecords SeveralFilesRecords(const QString& path, const PanelValues& values, TagModes modes,
                                bool removeHidden, Prompter* prompter) {
    FileRecords records;
    if (modes.id3v1 != kRemoveTag) {
        const ID3v1Record old = ReadID3v1(path, prompter);
        records.tag1 = modes.id3v1 == kWriteTag ? MergedID3v1(values, old) : old;
        modes = KeepingAbsentID3v1(modes, old.hasTag());
    }
    records.modes = modes;
    if (modes.id3v2 == kWriteTag)
        records.tag2 = MergedID3v2(values, ReadID3v2(path, prompter), removeHidden);
    else if (modes.id3v2 == kKeepTag && modes.id3v1 != kWriteTag)
        records.tag2 = ReadID3v2(path, prompter);
    return records;
}

SaveRun SaveSeveralFiles(const QStringList& paths, const PanelValues& values, TagModes modes,
                         const Options& options, Prompter* prompter, Progress* progress) {
    SaveRun run;
    if (modes.nothing()) return run;
    const AttributeRule rule = AttributeRuleOf(options);
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        if (progress) progress->atFile({i + 1, int(paths.size()), path, QString()});
        if (!PathExists(path)) {
            ++run.skipped;
        } else {
            const FileRecords records =
                SeveralFilesRecords(path, values, modes, options.bRemHiddenID3, prompter);
            if (WriteTagsWithAttributes(path, records.tag1, records.tag2, records.modes, rule,
                                        prompter))
                ++run.written;
        }
        if (progress) {
            progress->yield();
            if (progress->stopRequested() && i + 1 < paths.size()) {
                run.stopped = true;
                break;
            }
        }
    }
    return run;
}
