#include <QCoreApplication>
#include <cstring>

#include "zarn/app/mainwindowmain.h"
#include "zarn/batch/batchmain.h"
#include "zarn/names/commandlinerun.h"
#include "zarn/shell/version.h"
#include "zarn/windowprogram.h"

// `zarn`: the command-line modes on Qt Core alone, since loading the widget, GUI and multimedia
// libraries would be most of their start-up. What shows a window, the main window or the question
// for a missing extension, is handed to the window program with the same arguments.
int main(int argc, char* argv[]) {
    // Every mode finds the per-user folder and settings under this name.
    QCoreApplication::setApplicationName(QStringLiteral("Zarn"));
    if (IsVersionArgument(argc, argv)) return PrintVersion();
    if (IsBatchCommandLine(argc, argv)) return RunBatchCommandLine(argc, argv);
    if (argc <= 1 || std::strcmp(argv[1], kAddOption) == 0) return StartWindowProgram(argv);
    const CommandLineRequest request = CommandLineRequestOf(argc, argv);
    if (MustAskForExtension(request) && !DisplayPlatforms().isEmpty())
        return StartWindowProgram(argv);
    return RunCommandLineWithoutWindow(request, argc, argv);
}
