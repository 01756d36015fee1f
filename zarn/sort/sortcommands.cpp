#include "zarn/sort/sortcommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "zarn/names/fixfilename.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/journalrecord.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/prompter.h"
#include "zarn/sort/frmsorting.h"
#include "zarn/sort/sortengine.h"
#include "zarn/sort/sortingcontrols.h"
#include "zarn/sort/sortrows.h"
#include "zarn/sort/sortsettings.h"

namespace {

QString ActionCaption(int method) {
    switch (method) {
        case kMethodCopy:
            return QStringLiteral("Copying file:");
        case kMethodMove:
            return QStringLiteral("Moving file:");
        default:
            return QStringLiteral("Renaming file:");
    }
}

// How a run is named among the operations undo keeps.
QString OperationKind(int method) {
    switch (method) {
        case kMethodCopy:
            return QStringLiteral("Sort (copy)");
        case kMethodMove:
            return QStringLiteral("Sort (move)");
        default:
            return QStringLiteral("Sort (rename)");
    }
}

// The whole-number part of the threshold box ("" counts as 0).
int ThresholdOf(const QString& text) {
    return int(text.toDouble());
}

}  // namespace

SortCommands::SortCommands(Parts parts, ProgramValues& values, Prompter& prompter, QObject* parent)
    : QObject(parent), m_parts(std::move(parts)), m_values(values), m_prompter(prompter) {}

SortCommands::~SortCommands() = default;

frmSorting& SortCommands::progressWindow() {
    if (!m_window) {
        m_window = new frmSorting(m_parts.mainWindow);
        connect(m_window, &frmSorting::stopped, this, &SortCommands::afterStop);
    }
    return *m_window;
}

SortSettings SortCommands::settings() const {
    const SortingControls& c = m_parts.controls;
    SortSettings s;
    s.method = c.methodIndex();
    s.policy = CollisionPolicyOf(c.existsIndex());
    s.targetDir = c.txtTargetDir->text();
    s.fixNames = c.chkConvert->isChecked();
    s.genre = c.chkGenre->isChecked();
    s.alphabetical = c.chkAlphabetical->isChecked();
    s.subFolder = c.chkSubFolder->isChecked();
    s.threshold = ThresholdOf(c.txtSubFolder->text());
    s.inPattern = m_parts.cmbInPattern->currentText();
    s.outPattern = m_parts.cmbOutPattern->currentText();
    s.options = m_values.options;
    return s;
}

void SortCommands::sortAll() {
    FileList& list = m_parts.list;
    if (list.count() == 0) return;
    const SortSettings s = settings();
    if (s.method != kMethodRename && !CheckTargetFolder(s.targetDir, m_prompter)) return;
    const RecordedOperation recorded(OperationKind(s.method), UndoLimits(s.options), &m_prompter);

    frmSorting& window = progressWindow();
    window.prepare(ActionCaption(s.method));
    m_parts.mainWindow->hide();
    // The names the user sees in the preview are the ones used; otherwise they are made now.
    const bool namesShown = m_parts.previewShown() && list.preview().rowCount() == list.count();
    if (s.fixNames && !namesShown) list.rebuildPreview();
    window.setTotal(list.count());

    FileListRows rows(list, s.fixNames);
    SortEngine engine(s, m_prompter, &window.progress());
    const SortEnd end = engine.SortAll(rows);
    const QString summary = SortCountsText(engine.counts(), s.method);
    m_parts.showStatus(summary);
    showFailure(engine);
    switch (end) {
        case SortEnd::Complete:
            m_parts.clearFileInfo();
            m_parts.mainWindow->show();
            window.finish(summary);
            break;
        case SortEnd::Cancelled:
            m_parts.refreshCount();
            m_parts.mainWindow->show();
            window.finish(summary);
            break;
        case SortEnd::Stopped:  // the stop has shown the main window again
        case SortEnd::Failed:   // the error is shown; "Pause" brings the main window back
            break;
    }
}

void SortCommands::afterStop() {
    if (!m_parts.namesFromTextShown()) m_parts.mainWindow->show();
    m_parts.refreshCount();
}

void SortCommands::requestStop() {
    if (m_window) m_window->stopRun();
}

QList<int> SortCommands::selectionForSort() const {
    const bool preview = m_parts.previewShown();
    FileListView* view = preview ? m_parts.lstPreview : m_parts.lstFiles;
    QList<int> selected = view->selectedRows();
    if (preview && selected.isEmpty()) {
        const int current = view->currentIndex().row();
        if (current >= 0 && !m_parts.list.preview().text(current).isEmpty()) {
            view->selectRows({current});
            selected = {current};
        }
    }
    return selected;
}

void SortCommands::sortSelected() {
    const QList<int> selected = selectionForSort();
    if (selected.isEmpty() || m_parts.list.count() == 0) return;
    const SortSettings s = settings();
    const RecordedOperation recorded(OperationKind(s.method), UndoLimits(s.options), &m_prompter);
    if (s.method == kMethodRename) {
        renameSelectedRows(selected, s);
        return;
    }
    if (!CheckTargetFolder(s.targetDir, m_prompter)) return;
    m_parts.showStatus(sortSelectedRows(selected, s));
    m_parts.refreshCount();
}

QString SortCommands::sortSelectedRows(const QList<int>& selected, const SortSettings& s) {
    FileList& list = m_parts.list;
    FileListRows rows(list, false);
    SortEngine engine(s, m_prompter);
    int removed = 0;
    for (const int chosen : selected) {
        const int row = chosen - removed;
        QString newName;
        if (s.fixNames)
            newName = selected.size() == 1 ? m_parts.txtNewName->text() : builtName(row, s);
        const RowOutcome outcome = engine.SortRow(rows, row, newName);
        if (outcome == RowOutcome::Ended) {
            showFailure(engine);
            break;
        }
        if (outcome == RowOutcome::Removed) ++removed;
    }
    return SortCountsText(engine.counts(), s.method);
}

void SortCommands::renameSelectedRows(const QList<int>& selected, const SortSettings& s) {
    FileList& list = m_parts.list;
    FileListRows rows(list, false);
    SortEngine engine(s, m_prompter);
    FileListView* view = m_parts.previewShown() ? m_parts.lstPreview : m_parts.lstFiles;
    const int current = view->currentIndex().row();
    if (selected.size() == 1 && selected[0] == current) {
        // The name in the panel, as the user may have edited it.
        engine.RenameRow(rows, current, m_parts.txtNewName->text());
        showFailure(engine);
        m_parts.clearFileInfo();
        if (list.count() == 0) return;
        // The row that moved into place is the one the next F5 acts on.
        const int next = std::min(current, list.count() - 1);
        view->setCurrentIndex(view->model()->index(next, 0));
        emit view->rowChosen(next);
        return;
    }
    if (!s.fixNames) return;
    int removed = 0;
    for (const int chosen : selected) {
        const int row = chosen - removed;
        const RowOutcome outcome = engine.RenameRow(rows, row, builtName(row, s));
        if (outcome == RowOutcome::Ended) {
            showFailure(engine);
            break;
        }
        if (outcome == RowOutcome::Removed) ++removed;
    }
    m_parts.refreshCount();
}

void SortCommands::showFailure(const SortEngine& engine) {
    if (const QString message = engine.failureMessage(); !message.isEmpty())
        m_prompter.critical(QStringLiteral("Zarn"), message);
}

QString SortCommands::builtName(int row, const SortSettings& s) const {
    return FixFileName(m_parts.list.pathAt(row), s.outPattern, s.inPattern, s.options);
}
