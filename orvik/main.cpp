#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <cstring>

#include "orvik/dialogs.h"
#include "orvik/frmmain.h"
#include "orvik/settings.h"

int main(int argc, char* argv[]) {
    // Answered before any display is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("orvik %s\n", ORVIK_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf(
            "Usage: orvik [PLAYLIST...]\n"
            "Opens the Orvik Finder window with the M3U, M3U8 and PLS playlists loaded.\n"
            "  --help     this text\n"
            "  --version  the version\n");
        return 0;
    }
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
