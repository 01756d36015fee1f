#include <QCoreApplication>
#include <cstring>

#include "zarn/app/mainwindowmain.h"
#include "zarn/batch/batchmain.h"
#include "zarn/names/commandlinemain.h"
#include "zarn/shell/version.h"

// Arguments mean a command-line mode, which shows no window; "--add" files open the window.
int main(int argc, char* argv[]) {
    // Every mode finds the per-user folder and settings under this name.
    QCoreApplication::setApplicationName(QStringLiteral("Zarn"));
    if (IsVersionArgument(argc, argv)) return PrintVersion();
    if (IsBatchCommandLine(argc, argv)) return RunBatchCommandLine(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], kAddOption) != 0) return RunCommandLine(argc, argv);
    return RunMainWindow(argc, argv);
}
