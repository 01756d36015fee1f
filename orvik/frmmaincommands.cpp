// The window's commands: each reads the controls, asks the finder and shows the outcome.
#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <algorithm>

#include "orvik/dialogs.h"
#include "orvik/frmmain.h"
#include "orvik/playlist.h"
#include "orvik/resultmodel.h"
#include "orvik/text.h"

namespace orvik {

void frmMain::showFileCount() {
    lblNrFiles->setText(QStringLiteral("Searching through %1 files.").arg(m_finder.rows().size()));
}

void frmMain::showFoundCount() {
    lblFound->setText(QStringLiteral("Found %1 matching files.").arg(m_finder.rows().size()));
}

void frmMain::LoadPlaylist(const QString& path) {
    if (path.isEmpty()) return;
    const PlaylistRead read = ReadPlaylist(path);
    if (!read.error.isEmpty()) {
        m_dialogs.showError(this, QStringLiteral("Error: %1\n%2").arg(path, read.error));
        return;
    }
    m_model->reset([&] { m_finder.load(read.entries); });
    showFileCount();
    lblFound->setText(QStringLiteral("Found 0 matching files."));
}

static bool IsPlaylistFile(const QString& path) {
    const QString lower = path.toLower();
    return lower.right(4) == u".m3u" || lower.right(4) == u".pls" || lower.endsWith(u".m3u8");
}

void frmMain::LoadDroppedFiles(const QStringList& paths) {
    for (const QString& path : paths)
        if (IsPlaylistFile(path)) LoadPlaylist(path);
}

void frmMain::Search() {
    if (m_finder.table().isEmpty()) return;
    const SearchFields fields{chkInFName->isChecked(), chkInArtist->isChecked(),
                              chkInTitle->isChecked()};
    m_model->reset([&] { m_finder.search(txtText->text(), chkEachWord->isChecked(), fields); });
    showFoundCount();
}

void frmMain::ClearList() {
    m_model->reset([this] { m_finder.clear(); });
}

void frmMain::SavePlaylist() {
    if (m_finder.rows().isEmpty()) return;
    const QString path = m_dialogs.savePlaylistPath(this);
    if (TrimBlanks(path).isEmpty()) return;
    if (const auto error = WritePlaylist(path, m_finder.playlistLines()))
        m_dialogs.showError(this, QStringLiteral("Error: %1\n%2").arg(path, *error));
}

void frmMain::RemoveMissingFiles() {
    // One existence test per entry: on a network folder that takes a while.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_model->reset([this] { m_finder.removeMissing(PathExists); });
    QApplication::restoreOverrideCursor();
    showFileCount();
    showFoundCount();
}

void frmMain::DeleteSelectedRows() {
    if (!m_dialogs.askYesNo(this,
                            QStringLiteral("Are You sure you want to delete selected files?")))
        return;
    QList<qsizetype> positions;
    for (const QModelIndex& index : lstFiles->selectionModel()->selectedIndexes())
        positions.append(index.row());
    if (positions.isEmpty()) return;
    m_model->reset([&] { m_finder.removeRows(positions); });
    showFileCount();
    showFoundCount();
}

}  // namespace orvik
