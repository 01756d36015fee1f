#pragma once
// replaces.txt: one text per line, find text and replacement taken in pairs.
#include "zarn/shell/options.h"

// A last unpaired line pairs with an empty replacement; an empty or missing file gives one
// pair of two empty texts. A missing file is created empty.
ReplaceList ReadReplaceList(const QString& path);
// One line per text, CR LF; an empty list is written as two empty lines.
bool WriteReplaceList(const QString& path, const ReplaceList& list);
