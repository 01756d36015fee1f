#include "zarn/editing/savecommand.h"

#include <QCheckBox>
#include <QLineEdit>

#include "zarn/editing/runprogressdialog.h"
#include "zarn/editing/savetags.h"
#include "zarn/editing/tagpanel.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/journalrecord.h"
#include "zarn/shell/prompter.h"

namespace {

int SaveOne(const SaveCommandParts& p) {
    const PanelValues values = OneFileCleaned(p.panel.values());
    p.panel.txtTrackNr->setText(values.v1.track);
    p.panel.txtYear->setText(values.v1.year);
    const bool preview = p.chkPreview->isChecked();
    FileListView* view = preview ? p.lstPreview : p.lstFiles;
    const QModelIndex current = view->currentIndex();
    if (!preview && !view->selectionModel()->isSelected(current)) return 0;
    if (current.row() >= p.list.count()) return 0;
    const QString path = p.list.pathAt(current.row());
    // The boxes hold what was loaded from the shown file; written into any other file (or when
    // nothing was loaded) they would replace its tags with another file's, or with nothing.
    if (p.state.shown.path != path) {
        p.prompter.information(
            QStringLiteral("Zarn"),
            QStringLiteral("Nothing was saved: the tag panel does not show the tags of \"%1\".\n"
                           "Click the file in the list to load its tags, then save again.")
                .arg(path));
        return 0;
    }
    FileIdentity written;
    const FileOutcome outcome = SaveOneFile(path, values, p.state.shown, p.options, &written);
    if (outcome.failed())
        p.prompter.critical(QStringLiteral("Zarn"), ErrorMessageText(outcome.error));
    if (outcome.kind == FileOutcome::Kind::Done) {
        // The file now has exactly the tags that were checked; a second save decides from that.
        p.state.shown.hadID3v1 = values.id3v1;
        p.state.shown.hadID3v2 = values.id3v2;
        p.state.shown.identity = written;
    }
    return outcome.kind == FileOutcome::Kind::Done ? 1 : 0;
}

int SaveSeveral(const SaveCommandParts& p) {
    PanelValues values = p.panel.values();
    const RemoveMarks remove{p.panel.chkID3v1Rem->isChecked(), p.panel.chkID3v2Rem->isChecked()};
    QStringList paths;
    for (int row : p.lstFiles->selectedRows()) paths << p.list.pathAt(row);
    const QString summary = SeveralFilesSummary(values, remove, int(paths.size()));
    if (!p.prompter.confirm(QStringLiteral("Zarn"), summary)) return 0;
    const TagModes modes = SeveralFilesModes(values, remove);
    values = SeveralFilesCleaned(values);
    p.panel.txtTrackNr->setText(values.v1.track);
    p.panel.txtYear->setText(values.v1.year);
    p.panel.txtV2Track->setText(values.v2.track);
    p.panel.txtV2Year->setText(values.v2.year);
    SaveRun run;
    {
        RunProgressDialog progress(p.owner, QStringLiteral("Zarn"));
        run = SaveSeveralFiles(paths, values, modes, p.options, &progress);
    }
    if (const QString failures = FailureSummary(run.problems); !failures.isEmpty())
        p.prompter.critical(QStringLiteral("Zarn"), failures);
    return run.written;
}

}  // namespace

int SaveID3(const SaveCommandParts& p) {
    const RecordedOperation recorded(QStringLiteral("Save ID3"), UndoLimits(p.options),
                                     &p.prompter);
    // The several-files form goes to the selected rows, whichever row is current (if any).
    if (p.state.severalFiles) return p.lstFiles->selectedUpToTwo() > 0 ? SaveSeveral(p) : 0;
    FileListView* view = p.chkPreview->isChecked() ? p.lstPreview : p.lstFiles;
    if (view->model()->rowCount() == 0 || !view->currentIndex().isValid()) return 0;
    return SaveOne(p);
}
