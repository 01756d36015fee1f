#include "orvik/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace orvik {

QString ProgramTitle() {
    return QStringLiteral("Orvik Finder");
}

QString QtFinderDialogs::openPlaylistPath(QWidget* parent) {
    // "*" rather than "*.*": on Linux many files have no dot. .m3u8 is the UTF-8 name of the same
    // format; playlists from Linux players often use it.
    return QFileDialog::getOpenFileName(
        parent, QString(), QString(),
        QStringLiteral("Playlist Files (*.m3u *.m3u8 *.pls);;All Files (*)"));
}

QString QtFinderDialogs::savePlaylistPath(QWidget* parent) {
    QFileDialog dialog(parent, QString(), QString(), QStringLiteral("M3U Playlist (*.m3u)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("m3u"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

bool QtFinderDialogs::askYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, ProgramTitle(), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtFinderDialogs::showError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, ProgramTitle(), message);
}

void QtFinderDialogs::showAbout(QWidget* parent) {
    QMessageBox::about(parent, ProgramTitle(),
                       QStringLiteral("Orvik Finder %1\n\nSearches M3U and PLS playlists.\n\n"
                                      "Made by the Orvik developers.")
                           .arg(QStringLiteral(ORVIK_VERSION)));
}

}  // namespace orvik
