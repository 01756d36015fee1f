#include "zarn/app/mainwindowmain.h"
#include "zarn/names/commandlinemain.h"

// Arguments mean command-line renaming, which shows no window.
int main(int argc, char* argv[]) {
    if (argc > 1) return RunCommandLine(argc, argv);
    return RunMainWindow(argc, argv);
}
