#include "zarn/app/mainwindowmain.h"
#include "zarn/batch/batchmain.h"
#include "zarn/names/commandlinemain.h"

// Arguments mean a command-line mode, which shows no window.
int main(int argc, char* argv[]) {
    if (IsBatchCommandLine(argc, argv)) return RunBatchCommandLine(argc, argv);
    if (argc > 1) return RunCommandLine(argc, argv);
    return RunMainWindow(argc, argv);
}
