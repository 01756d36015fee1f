#include "zarn/names/commandlinemain.h"

#include <cstdio>

// Placeholder until the command-line renamer lands.
int RunCommandLine(int, char*[]) {
    std::fputs("zarn: command-line renaming is not available in this build\n", stderr);
    return 2;
}
