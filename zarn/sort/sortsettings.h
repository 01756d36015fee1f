#pragma once
// What a sort reads from the main window, as plain values: the window fills it once per command.
#include <QString>

#include "zarn/shell/options.h"
#include "zarn/shell/collision.h"

struct SortSettings {
    int method = 0;                                    // kMethodCopy, kMethodMove or kMethodRename
    CollisionPolicy policy = CollisionPolicy::Prompt;  // optExists
    QString targetDir;                                 // txtTargetDir
    bool fixNames = false;                             // chkConvert
    bool genre = false;                                // chkGenre
    bool alphabetical = false;
    bool subFolder = false;
    int threshold = 0;  // whole-number part of txtSubFolder
    QString outPattern;
    QString inPattern;
    Options options;
};
