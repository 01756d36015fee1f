#include "zarn/batch/batchsort.h"

#include <QTextStream>

#include "zarn/batch/batchprompter.h"
#include "zarn/batch/batchreport.h"
#include "zarn/batch/batchsettings.h"
#include "zarn/batch/sortplan.h"
#include "zarn/names/fixfilename.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/progress.h"
#include "zarn/sort/sortengine.h"
#include "zarn/sort/sortrows.h"

namespace {

class FileRows : public SortRows {
  public:
    FileRows(QStringList paths, QStringList newNames)
        : m_paths(std::move(paths)), m_newNames(std::move(newNames)) {}
    int count() const override { return int(m_paths.size()); }
    QString path(int row) const override { return m_paths[row]; }
    QString newName(int row) const override { return m_newNames[row]; }
    void remove(int row) override {
        m_paths.removeAt(row);
        m_newNames.removeAt(row);
    }

  private:
    QStringList m_paths, m_newNames;
};

// The lines of the run: a file the engine turned to and placed nothing for was skipped. The
// command's own progress (`next`, may be null) hears of each file and may stop the run.
class SortLines : public Progress {
  public:
    SortLines(QTextStream& out, Progress* next) : m_out(out), m_next(next) {}
    void atFile(const ProgressStep& step) override {
        flush();
        m_pending = {step.source, step.target, true};
        if (m_next) m_next->atFile(step);
    }
    void yield() override {}
    bool stopRequested() const override { return m_next && m_next->stopRequested(); }

    void placed(const QString& from, const QString& to, const char* how) {
        line(from, to, QString::fromLatin1(how));
        m_pending.open = false;
    }
    // The file at hand failed: no "skipped" line for it.
    void dropPending() { m_pending.open = false; }
    void flush() {
        if (m_pending.open) line(m_pending.source, m_pending.target, QStringLiteral("skipped"));
        m_pending.open = false;
    }

  private:
    void line(const QString& from, const QString& to, const QString& how) {
        m_out << TsvField(ShownPath(from)) << '\t' << TsvField(ShownPath(to)) << '\t' << how
              << '\n';
    }
    struct Pending {
        QString source, target;
        bool open = false;
    };
    QTextStream& m_out;
    Progress* m_next;
    Pending m_pending;
};

SortSettings SettingsOf(const SortRequest& r, const BatchSettings& batch) {
    SortSettings s;
    s.method = r.move ? kMethodMove : kMethodCopy;
    s.policy = r.replace ? CollisionPolicy::Replace : CollisionPolicy::Skip;
    s.targetDir = r.target;
    s.fixNames = r.fixNames;
    s.genre = r.genre;
    s.alphabetical = r.letter;
    s.subFolder = r.artistFolders.has_value();
    s.threshold = r.artistFolders.value_or(0);
    s.outPattern = batch.outPattern;
    s.inPattern = batch.inPattern;
    s.options = batch.options;
    return s;
}

// The new names the window's preview would hold ("Fix Filenames"), else none.
QStringList NewNames(const QStringList& files, const SortSettings& s) {
    QStringList names;
    for (const QString& path : files)
        names << (s.fixNames ? FixFileName(path, s.outPattern, s.inPattern, s.options) : QString());
    return names;
}

// The target must be a folder; a missing one is made (one level), as the window does on Yes.
bool TargetReady(const QString& target, SortFiles& files, BatchReport& report) {
    if (files.isFolder(target)) return true;
    const FileError error = files.makeFolder(target);
    if (error.failed()) report.fail(target, error.description);
    return !error.failed();
}

// Rows the engine left: the one it failed on (the first whose file is still there, since the
// engine passes over gone files and keeps the row it failed on), files gone meanwhile, and
// what came after the failure.
void ReportLeftRows(const FileRows& rows, SortEnd end, const FileError& failure, SortFiles& files,
                    BatchReport& report) {
    QString failed;
    for (int row = 0; row < rows.count(); ++row) {
        const QString path = rows.path(row);
        if (!files.isFile(path)) {
            report.fail(path, QStringLiteral("the file is gone"));
        } else if (end == SortEnd::Stopped) {
            // Left as they were; the stop itself is reported once.
        } else if (end == SortEnd::Failed && failed.isEmpty()) {
            failed = path;
            QString reason =
                failure.failed() ? failure.description : QStringLiteral("could not be sorted");
            // The step may have failed on another name: a folder to make, a file to replace.
            if (!failure.path.isEmpty() && failure.path != path)
                reason += QStringLiteral(" (") + ShownPath(failure.path) + u')';
            report.fail(path, reason);
        } else {
            report.fail(path,
                        QStringLiteral("not sorted: the sort ended at %1").arg(ShownPath(failed)));
        }
    }
}

}  // namespace

void SortInto(const QStringList& files, const SortRequest& request, const BatchSettings& batch,
              BatchReport& report) {
    const SortSettings settings = SettingsOf(request, batch);
    SortPlan plan;
    SortFiles& disk = request.dryRun ? static_cast<SortFiles&>(plan) : DiskSortFiles();
    SortLines lines(report.out(), report.progress());
    SortLog log(disk, [&lines](const QString& from, const QString& to, const char* how) {
        lines.placed(from, to, how);
    });
    if (!TargetReady(request.target, log, report)) return;

    FileRows rows(files, NewNames(files, settings));
    BatchPrompter prompter;
    SortEngine engine(settings, prompter, &lines, &log);
    const SortEnd end = engine.SortAll(rows);
    // The file the engine failed on gets a failure line, not a "skipped" one.
    if (end == SortEnd::Failed) lines.dropPending();
    lines.flush();
    ReportLeftRows(rows, end, engine.failure(), log, report);
}
