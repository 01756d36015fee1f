#include "zarn/batch/batchpreview.h"

#include <QTextStream>

#include "zarn/batch/batchreport.h"
#include "zarn/batch/batchsettings.h"
#include "zarn/editing/fixid3run.h"
#include "zarn/editing/savetags.h"
#include "zarn/shell/progress.h"
#include "zarn/tags/mp3file.h"
#include "zarn/tags/tagpreview.h"

namespace {

void PrintChanges(const QString& path, const TagPreview& preview, BatchReport& report) {
    if (preview.error.failed()) {
        report.fail(path, preview.error.description);
        return;
    }
    const QString shown = TsvField(ShownPath(path));
    for (const FieldChange& change : TagChanges(preview.before, preview.after))
        report.out() << shown << '\t' << change.field << '\t' << TsvField(change.before) << '\t'
                     << TsvField(change.after) << '\n';
}

}  // namespace

void PreviewSet(const QStringList& files, const PanelValues& values, const Options& options,
                BatchReport& report) {
    const PanelValues cleaned = SeveralFilesCleaned(values);
    const TagModes modes = SeveralFilesModes(cleaned, RemoveMarks{});
    EachPathWithProgress(files, report.progress(), [&](const QString& path) {
        Mp3File file(path);
        if (!file.open(FileAccess::Read)) return report.fail(path, file.error().description);
        const FileRecords r = SeveralFilesRecords(file, cleaned, modes, options);
        if (r.error.failed()) return report.fail(path, r.error.description);
        PrintChanges(path,
                     PreviewTagWrite(file, r.tag1, r.tag2, r.modes.id3v1, r.modes.id3v2,
                                     options.bOptimizedID3v1),
                     report);
    });
}

void PreviewFix(const QStringList& files, bool v1, bool v2, const BatchSettings& settings,
                BatchReport& report) {
    const Options& options = settings.options;
    EachPathWithProgress(files, report.progress(), [&](const QString& path) {
        Mp3File file(path);
        const FixPlan plan =
            FixPlanOf(file, FileAccess::Read, {v1, v2}, settings.inPattern, options);
        if (plan.error.failed()) return report.fail(path, plan.error.description);
        const FixedRecords& r = plan.records;
        PrintChanges(path,
                     PreviewTagWrite(file, r.tag1, r.tag2, r.modes.id3v1, r.modes.id3v2,
                                     options.bOptimizedID3v1),
                     report);
    });
}
