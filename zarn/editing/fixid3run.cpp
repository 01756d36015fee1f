#include "zarn/editing/fixid3run.h"

#include "zarn/editing/fixid3.h"
#include "zarn/editing/savetags.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/options.h"
#include "zarn/shell/progress.h"
#include "zarn/tags/fileinfo.h"
#include "zarn/tags/genres.h"
#include "zarn/tags/mp3file.h"

namespace {

// The boxes as the panel holds them once the file is loaded: the ID3v1 genre list has no entry
// for an unnamed genre ("Unknown") and shows none; saving then keeps the file's own byte.
PanelValues LoadedValues(const QString& path, const FileInfo& info) {
    PanelValues values = PanelValuesOf(info);
    if (!GenreTable().contains(values.v1.genre)) values.v1.genre.clear();
    values.oldName = NameFromEntry(path);
    return values;
}

FileOutcome FixOneFile(const QString& path, FixVersions chosen, const QString& inPattern,
                       const Options& options, const FixShown& shownHook) {
    Mp3File file(path);
    const FixPlan plan = FixPlanOf(file, FileAccess::Save, chosen, inPattern, options, shownHook);
    if (plan.error.failed()) return FileOutcome::Failure(path, plan.error);
    const FixedRecords& records = plan.records;
    if (records.modes.nothing()) return {path, FileOutcome::Kind::Unchanged, {}};
    return OutcomeOf(path, WriteTags(file, records.tag1, records.tag2, records.modes.id3v1,
                                     records.modes.id3v2));
}

}  // namespace

FixPlan FixPlanOf(Mp3File& file, FileAccess access, FixVersions chosen, const QString& inPattern,
                  const Options& options, const FixShown& shownHook) {
    const QString& path = file.path();
    if (!file.open(access))
        return {{},
                file.error().failed()
                    ? file.error()
                    : FileError{kErrDeviceIO, QStringLiteral("The file could not be read; it "
                                                             "was left as it was.")}};
    const FileInfo info = FileInfoOf(file, options.bOptimizedID3v1);
    if (info.readError) return {{}, info.error};
    const ShownFile shown = ShownFileOf(path, info);
    PanelValues values = LoadedValues(path, info);
    values.id3v1 = values.id3v1 || chosen.id3v1;
    values.id3v2 = values.id3v2 || chosen.id3v2;
    const PanelValues fixed = FixPanelValues(values, {path, inPattern, options});
    if (shownHook) shownHook(info, fixed);

    // The genre byte that an unnamed genre ("Unknown") keeps.
    const QByteArray oldGenre = file.v1().Genre;
    FixPlan plan{FixedRecordsOf(fixed, shown, oldGenre, options), {}};
    if (!plan.records.error.isEmpty()) plan.error = {kErrBadFileMode, plan.records.error, 0, path};
    return plan;
}

FixRun FixSeveralFiles(const QStringList& paths, FixVersions chosen, const QString& inPattern,
                       const Options& options, Progress* progress, const FixShown& shown) {
    FixRun run;
    run.stopped = EachPathWithProgress(paths, progress, [&](const QString& path) {
        // The file's own attributes are put back; the options' attribute setting is for saving.
        const FileOutcome outcome = WithAttributes(
            path, {}, [&] { return FixOneFile(path, chosen, inPattern, options, shown); });
        if (outcome.kind == FileOutcome::Kind::Gone) {
            run.gone << path;
            run.problems.append(outcome);
        }
        if (outcome.kind == FileOutcome::Kind::Done) ++run.written;
        if (outcome.failed()) {
            ++run.failed;
            run.problems.append(outcome);
        }
    });
    return run;
}
