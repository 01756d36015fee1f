#include <QCoreApplication>
#include <cstring>

#include "zarn/app/mainwindowmain.h"
#include "zarn/names/commandlinemain.h"

// Arguments mean command-line renaming, which shows no window; "--add" files open the window.
int main(int argc, char* argv[]) {
    // Both modes find the per-user folder and settings under this name.
    QCoreApplication::setApplicationName(QStringLiteral("Zarn"));
    if (argc > 1 && std::strcmp(argv[1], kAddOption) != 0) return RunCommandLine(argc, argv);
    return RunMainWindow(argc, argv);
}
