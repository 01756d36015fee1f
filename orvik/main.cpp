#include <QApplication>
#include <QSettings>

#include "orvik/dialogs.h"
#include "orvik/frmmain.h"
#include "orvik/settings.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvikan"));
    QSettings store(orvik::SettingsFormat(), QSettings::UserScope, QStringLiteral("Orvikan"),
                    QStringLiteral("Orvikan"));
    orvik::QtFinderDialogs dialogs;
    orvik::frmMain window(store, dialogs);
    // Playlists named on the command line ("Open with" from a file manager) load as if dropped.
    window.LoadDroppedFiles(QApplication::arguments().mid(1));
    window.show();
    return app.exec();
}
