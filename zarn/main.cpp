#include <QCoreApplication>

#include "zarn/app/mainwindowmain.h"
#include "zarn/names/commandlinemain.h"

// Arguments mean command-line renaming, which shows no window.
int main(int argc, char* argv[]) {
    // Both modes find the per-user folder and settings under this name.
    QCoreApplication::setApplicationName(QStringLiteral("Zarn"));
    if (argc > 1) return RunCommandLine(argc, argv);
    return RunMainWindow(argc, argv);
}
