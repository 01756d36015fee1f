#pragma once
// The program-wide values that every window receives (by reference) from the main window.
#include <QString>

#include "zarn/shell/options.h"

enum SortingMethod { kMethodCopy = 0, kMethodMove = 1, kMethodRename = 2 };

struct ProgramValues {
    int sortingMethod = kMethodRename;
    QString lastDialogFolder;
    QString rememberedTargetFolder;
    Options options;  // holds the Replace list too
};
