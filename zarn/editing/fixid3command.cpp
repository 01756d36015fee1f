#include "zarn/editing/fixid3command.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressDialog>  // RunProgressDialog holds one

#include "zarn/editing/fixid3.h"
#include "zarn/editing/fixid3run.h"
#include "zarn/editing/runprogressdialog.h"
#include "zarn/editing/tagpanel.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/journalrecord.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/prompter.h"

FixID3Command::FixID3Command(Parts parts, const ProgramValues& values, Prompter& prompter,
                             QObject* parent)
    : QObject(parent), m_parts(parts), m_values(values), m_prompter(prompter) {}

bool FixID3Command::hasCurrentRow() const {
    const FileListView* view =
        m_parts.chkPreview->isChecked() ? m_parts.lstPreview : m_parts.lstFiles;
    return view->model() && view->model()->rowCount() > 0 && view->currentIndex().isValid();
}

void FixID3Command::run() {
    const int selected = m_parts.lstFiles->selectedUpToTwo();
    if (selected == 0) return;
    // Two selected rows make the several-files state, however they came to be selected; they
    // need no current row (Ctrl+A after a click below the rows leaves none).
    if (m_parts.state.severalFiles || selected >= 2)
        fixSelectedFiles();
    else if (selected == 1 && hasCurrentRow())
        fixShownFile();
}

void FixID3Command::fixShownFile() {
    const QString& path = m_parts.state.shown.path;
    if (path.isEmpty()) return;
    const FixSource source{path, m_parts.cmbInPattern->currentText(), m_values.options};
    m_parts.panel.setValues(FixPanelValues(m_parts.panel.values(), source));
}

void FixID3Command::fixSelectedFiles() {
    const RecordedOperation recorded(QStringLiteral("Fix ID3"), UndoLimits(m_values.options),
                                     &m_prompter);
    // A snapshot: rows of files that are gone leave the list only after the run.
    QStringList paths;
    for (int row : m_parts.lstFiles->selectedRows()) paths << m_parts.list.pathAt(row);
    const FixVersions chosen{m_parts.panel.chkID3v1->isChecked(),
                             m_parts.panel.chkID3v2->isChecked()};
    TagPanel& panel = m_parts.panel;
    const FixShown shown = [&panel](const FileInfo& info, const PanelValues& fixed) {
        panel.showFileInfo(info);
        panel.setValues(fixed);
    };
    FixRun run;
    {
        RunProgressDialog progress(m_parts.owner, QStringLiteral("Fix ID3"));
        run = FixSeveralFiles(paths, chosen, m_parts.cmbInPattern->currentText(), m_values.options,
                              &progress, shown);
    }
    if (const QString failures = FailureSummary(run.problems); !failures.isEmpty())
        m_prompter.critical(QStringLiteral("Zarn"), failures);
    // Without a version ticked only the tags the files have are cleaned; a run that changed
    // nothing says so, or it looks as if the command did not run.
    if (!chosen.id3v1 && !chosen.id3v2 && run.written == 0 && !run.stopped &&
        run.problems.isEmpty())
        m_prompter.information(
            QStringLiteral("Zarn"),
            QStringLiteral("Nothing was changed in the %1 selected files.\nWith neither "
                           "\"ID3v1 tag\" nor \"ID3v2 tag\" ticked, Fix ID3 cleans only the "
                           "tags a file has; tick one to give every file that tag.")
                .arg(paths.size()));
    for (const QString& gone : run.gone) {
        for (int row = 0; row < m_parts.list.count(); ++row) {
            if (m_parts.list.pathAt(row) == gone) {
                m_parts.list.RemoveRow(row);
                break;
            }
        }
    }
    if (clearFileInfo) clearFileInfo();
}
