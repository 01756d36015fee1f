#include "zarn/app/listcommands.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <cerrno>

#include "zarn/shell/filedialogs.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/fileops.h"
#include "zarn/shell/fileoutcome.h"
#include "zarn/shell/folderscan.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/listsize.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/prompter.h"
#include "zarn/shell/regularfile.h"
#include "zarn/shell/sortinglist.h"
#include "zarn/shell/text.h"
#include "zarn/shell/undecodablename.h"
#include "zarn/tags/tagmarkers.h"

namespace {

const QString kAddFilter = QStringLiteral(
    "MP3 Files (*.mp3;*.mp2)|*.mp3;*.mp2|Playlists (*.srt;*.m3u;*.pls)|*.srt;*.m3u;*.pls|"
    "All Files (*.*)|*.*");
const QString kSaveFilter = QStringLiteral("Sorting File (*.srt)|*.srt|M3U Playlist(*.m3u)|*.m3u");
const QString kLoadFilter = QStringLiteral(
    "Sorting File (*.srt)|*.srt|Playlist File (*.m3u)|*.m3u|Playlist File (*.pls)|*.pls");
constexpr int kPlaylistsFilter = 1;

// The dialogs start in a folder written without its closing separator, except the root.
QString DialogFolderOf(const QString& path) {
    const QString folder = FolderOf(path);
    return folder.size() > 1 ? folder.chopped(1) : folder;
}

}  // namespace

ListCommands::ListCommands(Parts parts, ProgramValues& values, Prompter& prompter,
                           FileDialogs& dialogs, QObject* parent)
    : QObject(parent), m_parts(parts), m_values(values), m_prompter(prompter), m_dialogs(dialogs) {}

bool ListCommands::previewShown() const {
    return m_parts.listStack->currentWidget() == m_parts.lstPreview;
}

void ListCommands::refreshCount() {
    m_parts.lblFiles->setText(
        CountLabelText(m_parts.list.count(), ListSizeMb(m_parts.list.files().texts())));
}

QString ListCommands::scanMask() const {
    return QStringLiteral("*.") + m_values.options.Extension;
}

void ListCommands::addFiles() {
    const FileDialogs::Choice choice = m_dialogs.open(m_values.lastDialogFolder, kAddFilter, true);
    if (choice.paths.isEmpty() || TrimBlanks(choice.paths.first()).isEmpty()) return;
    const bool playlists = choice.filterIndex == kPlaylistsFilter;
    if (choice.paths.size() == 1 && playlists) {
        loadList(choice.paths.first());
        return;
    }
    for (const QString& path : choice.paths) {
        if (playlists)
            loadList(path);
        else if (!IsNonRegularFile(path))
            m_parts.list.addPath(path);
    }
    m_values.lastDialogFolder = DialogFolderOf(choice.paths.first());
    refreshCount();
}

void ListCommands::addFolder() {
    const QString folder = m_dialogs.folder(QStringLiteral("Please select a folder to add:"),
                                            m_values.lastDialogFolder);
    if (TrimBlanks(folder).isEmpty()) return;
    dropOnFiles({folder});
    m_values.lastDialogFolder = folder;
}

void ListCommands::AddFolder(const QString& folder, const QString& mask) {
    addFolderRows(folder, mask);
    refreshCount();
}

void ListCommands::addFolderRows(const QString& folder, const QString& mask) {
    const FolderScan scan = ScanFolder(folder, mask);
    for (const QString& path : scan.files) m_parts.list.addPath(path);
    reportUnusableNames(scan.unusableNames);
}

void ListCommands::reportUnusableNames(const QStringList& paths) {
    if (paths.isEmpty()) return;
    constexpr qsizetype kShown = 10;
    QString text = QStringLiteral("%1 file(s) or folder(s) were not added: %2.\n")
                       .arg(paths.size())
                       .arg(UndecodableNameReason());
    for (const QString& path : paths.mid(0, kShown)) text += u'\n' + path;
    if (paths.size() > kShown) text += QStringLiteral("\n...");
    m_prompter.information(QStringLiteral("Pelmora"), text);
}

void ListCommands::loadList(const QString& path) {
    if (TrimBlanks(path).isEmpty()) return;
    const ListKind kind = ListKindOf(path);
    if (kind == ListKind::Unsupported) {
        m_prompter.information(QStringLiteral("Zarn"),
                               QStringLiteral("That was not a compatible playlist!\n"
                                              "Only .srt, .m3u and .pls files are supported."));
        return;
    }
    for (const QString& row : ReadListRows(path, kind)) m_parts.list.addRowText(row);
    refreshCount();
}

void ListCommands::saveList() {
    const FileDialogs::Choice choice = m_dialogs.save(m_values.lastDialogFolder, kSaveFilter);
    if (choice.paths.isEmpty() || TrimBlanks(choice.paths.first()).isEmpty()) return;
    const SaveFormat format = choice.filterIndex == 1 ? SaveFormat::M3u : SaveFormat::Srt;
    const FileError error =
        WriteListRows(choice.paths.first(), m_parts.list.files().texts(), format);
    if (error.number != 0) ReportFileError(&m_prompter, error);
}

void ListCommands::loadListReplacing() {
    const FileDialogs::Choice choice =
        m_dialogs.open(m_values.lastDialogFolder, kLoadFilter, false);
    if (choice.paths.isEmpty() || TrimBlanks(choice.paths.first()).isEmpty()) return;
    m_parts.list.clear();
    loadList(choice.paths.first());
    // The panel showed a file of the old list; a save would write it into another file.
    if (clearFileInfo) clearFileInfo();
}

void ListCommands::addDropped(const QStringList& paths) {
    for (QString path : paths) {
        while (path.size() > 1 && path.endsWith(QDir::separator())) path.chop(1);
        const QString asFolder = path + QDir::separator();
        if (IsFolder(asFolder)) {
            addFolderRows(asFolder, scanMask());
        } else if (ListKindOf(path) != ListKind::Unsupported) {
            loadList(path);
        } else if (!TrimBlanks(path).isEmpty() && !IsNonRegularFile(path)) {
            // A pipe or device named like a file would stall every later read of the row.
            m_parts.list.addPath(path);
        }
    }
}

void ListCommands::dropOnFiles(const QStringList& paths) {
    addDropped(paths);
    refreshCount();
}

void ListCommands::dropOnPreview(const QStringList& paths) {
    addDropped(paths);
    m_parts.lstFiles->clearSelection();
    {
        const QSignalBlocker quiet(m_parts.chkPreview);
        m_parts.chkPreview->setChecked(true);
    }
    m_parts.listStack->setCurrentWidget(m_parts.lstPreview);
    const int previewRows = m_parts.list.preview().rowCount();
    if (previewRows == 0 || previewRows != m_parts.list.count()) m_parts.list.rebuildPreview();
    refreshCount();
}

void ListCommands::setPreviewShown(bool shown) {
    if (shown) {
        m_parts.lstFiles->clearSelection();
        m_parts.list.rebuildPreview();
        m_parts.listStack->setCurrentWidget(m_parts.lstPreview);
        m_parts.lstPreview->setFocus();
    } else {
        m_parts.listStack->setCurrentWidget(m_parts.lstFiles);
        m_parts.lstFiles->setFocus();
    }
}

void ListCommands::clear() {
    m_parts.list.clear();
    m_parts.lblFiles->setText(QStringLiteral("0 files"));
    if (clearFileInfo) clearFileInfo();
}

void ListCommands::selectAll() {
    if (!previewShown()) m_parts.lstFiles->selectAll();
    m_parts.lstPreview->selectAll();
}

void ListCommands::selectNone() {
    if (!previewShown()) m_parts.lstFiles->clearSelection();
    m_parts.lstPreview->clearSelection();
}

void ListCommands::invertSelection() {
    m_parts.lstFiles->invertSelection();
}

void ListCommands::removeSelected(FileListView* view) {
    if (m_parts.list.count() == 0) return;
    m_parts.list.removeRows(view->selectedRows());
    if (clearFileInfo) clearFileInfo();
}

void ListCommands::deleteSelected(FileListView* view) {
    if (m_parts.list.count() == 0) return;
    const auto answer = m_prompter.questionDefaultNo(
        QStringLiteral("Pelmora"),
        QStringLiteral(
            "Are you sure you want to delete the selected file(s) from your harddrive?"));
    if (answer != Prompter::Answer::Yes) return;
    const QList<int> rows = view->selectedRows();
    // A file that cannot be deleted keeps its row, and the user is told why.
    QList<int> deleted;
    QList<FileOutcome> outcomes;
    for (int row : rows) {
        const QString path = m_parts.list.pathAt(row);
        const FileError error = DeleteFile(path);
        if (!error.failed() || error.systemError == ENOENT)
            deleted << row;
        else
            outcomes << FileOutcome::Failure(path, error);
    }
    m_parts.list.removeRows(deleted);
    if (!outcomes.isEmpty())
        m_prompter.critical(QStringLiteral("Pelmora"), FailureSummary(outcomes));
    if (clearFileInfo) clearFileInfo();
}

void ListCommands::removeNonexistent() {
    QList<int> gone;
    const QStringList rows = m_parts.list.files().texts();
    for (int row = 0; row < rows.size(); ++row)
        if (!PathExists(PathFromEntry(rows[row]))) gone.append(row);
    m_parts.list.removeRows(gone);
    refreshCount();
}

void ListCommands::selectWithTag(bool id3v2) {
    m_parts.lstFiles->clearSelection();
    QList<int> gone;
    QList<int> tagged;  // row numbers after the rows in `gone` have left
    const QStringList rows = m_parts.list.files().texts();
    for (int row = 0; row < rows.size(); ++row) {
        const QString path = PathFromEntry(rows[row]);
        const TagMark mark = id3v2 ? ID3v2Mark(path) : ID3v1Mark(path);
        if (mark == TagMark::Missing)
            gone.append(row);
        else if (mark == TagMark::Present)
            tagged.append(row - int(gone.size()));
    }
    m_parts.list.removeRows(gone);
    m_parts.lstFiles->selectRows(tagged);
    if (!gone.isEmpty()) refreshCount();
}
