#include "zarn/editing/savetags.h"

#include "zarn/shell/fileops.h"
#include "zarn/shell/journal.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/options.h"
#include "zarn/shell/progress.h"
#include "zarn/tags/mp3file.h"

namespace {

FileOutcome Failed(const QString& path, const FileError& error) {
    return FileOutcome::Failure(path, InUseWhenBusy(error));
}

// One file of a several-files save, opened once: its tags are read and written through the
// same handle (a save of thousands of files spends much of its time opening them).
FileOutcome SaveFileOfSeveral(const QString& path, const PanelValues& values, TagModes modes,
                              const Options& options) {
    Mp3File file(path);
    if (!file.open(FileAccess::Save)) return Failed(path, file.error());
    const FileRecords records = SeveralFilesRecords(file, values, modes, options);
    if (records.error.failed()) return Failed(path, records.error);
    return OutcomeOf(path, WriteTags(file, records.tag1, records.tag2, records.modes.id3v1,
                                     records.modes.id3v2));
}

}  // namespace

AttributeRule AttributeRuleOf(const Options& options) {
    return {options.bSetAttributes,
            AttributeValue(options.bReadOnly, options.bHidden, options.bArchive)};
}

FileOutcome WithAttributes(const QString& path, AttributeRule rule,
                           const std::function<FileOutcome()>& work) {
    // Read-only is the one attribute with a counterpart here (fileops.h). The same look tells
    // a file that is gone.
    const std::optional<int> attributes = AttributesOf(path);
    if (!attributes) return {path, FileOutcome::Kind::Gone, {}};
    const int old = *attributes;
    if (old != 0) SetFileAttributes(path, 0);
    const FileOutcome outcome = work();
    if (rule.set && !outcome.failed())
        SetFileAttributes(path, rule.value);
    else if (old != 0)
        SetFileAttributes(path, old);
    return outcome;
}

FileOutcome OutcomeOf(const QString& path, const TagWrite& write) {
    switch (write.result) {
        case TagWrite::Result::Written:
            return {path, FileOutcome::Kind::Done, {}};
        case TagWrite::Result::Nothing:
            return {path, FileOutcome::Kind::Unchanged, {}};
        case TagWrite::Result::Failed:
            break;
    }
    return Failed(path, write.error);
}

FileOutcome SaveOneFile(const QString& path, const PanelValues& values, const ShownFile& shown,
                        const Options& options, FileIdentity* written) {
    if (!PathExists(path)) return {path, FileOutcome::Kind::Gone, {}};
    TagModes modes = OneFileModes(values, shown);
    if (modes.nothing()) return {path, FileOutcome::Kind::Unchanged, {}};
    if (path != shown.path)
        return Failed(path, {kErrPathFileAccess,
                             QStringLiteral("The tag panel does not show this file's tags, so "
                                            "nothing was written to it."),
                             0, path});
    return WithAttributes(path, AttributeRuleOf(options), [&]() -> FileOutcome {
        Mp3File file(path);
        if (!file.open(FileAccess::Save)) return Failed(path, file.error());
        if (!file.file().identity().unchanged(shown.identity))
            return Failed(path, ChangedMeanwhileError(path));
        ID3v1Record tag1;
        if (modes.id3v1 != kRemoveTag) {
            modes = KeepingAbsentID3v1(modes, file.layout().hasV1());
            tag1 = OneFileID3v1(values, options.bOptimizedID3v1, file.v1().Genre);
        }
        ID3v2Record tag2;
        if (modes.id3v2 != kRemoveTag)
            tag2 = OneFileID3v2(values, shown.hiddenFrames, options.bRemHiddenID3);
        const FileOutcome outcome =
            OutcomeOf(path, WriteTags(file, tag1, tag2, modes.id3v1, modes.id3v2));
        if (written) *written = file.file().currentIdentity();
        Journal::Own().settle();
        return outcome;
    });
}

FileRecords SeveralFilesRecords(Mp3File& file, const PanelValues& values, TagModes modes,
                                const Options& options) {
    FileRecords records;
    if (modes.id3v1 != kRemoveTag) {
        const ID3v1Record old = file.v1();
        records.tag1 =
            modes.id3v1 == kWriteTag ? MergedID3v1(values, old, options.bOptimizedID3v1) : old;
        modes = KeepingAbsentID3v1(modes, old.hasTag());
    }
    records.modes = modes;
    const bool needsV2 =
        modes.id3v2 == kWriteTag || (modes.id3v2 == kKeepTag && modes.id3v1 != kWriteTag);
    if (!needsV2) return records;
    const std::optional<ID3v2Record> old = file.v2();
    if (!old) {
        records.error = file.error();
        return records;
    }
    records.tag2 =
        modes.id3v2 == kWriteTag ? MergedID3v2(values, *old, options.bRemHiddenID3) : *old;
    return records;
}

FileRecords SeveralFilesRecords(const QString& path, const PanelValues& values, TagModes modes,
                                const Options& options) {
    Mp3File file(path);
    if (!file.open(FileAccess::Read)) {
        FileRecords records;
        records.modes = modes;
        records.error = file.error();
        return records;
    }
    return SeveralFilesRecords(file, values, modes, options);
}

SaveRun SaveSeveralFiles(const QStringList& paths, const PanelValues& values, TagModes modes,
                         const Options& options, Progress* progress) {
    SaveRun run;
    if (modes.nothing()) return run;
    const AttributeRule rule = AttributeRuleOf(options);
    run.stopped = EachPathWithProgress(paths, progress, [&](const QString& path) {
        const FileOutcome outcome = WithAttributes(
            path, rule, [&] { return SaveFileOfSeveral(path, values, modes, options); });
        if (outcome.kind == FileOutcome::Kind::Done) ++run.written;
        if (outcome.kind == FileOutcome::Kind::Gone) ++run.skipped;
        if (outcome.failed() || outcome.kind == FileOutcome::Kind::Gone)
            run.problems.append(outcome);
    });
    return run;
}
