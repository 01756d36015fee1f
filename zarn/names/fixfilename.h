#pragma once
// Building a new file name from tags (or the old name) by an output pattern, then cleaning it.
#include <QString>

#include "zarn/names/options.h"

// The new file name (no folder) of the file at `path`; empty when the file does not exist.
// `inPattern` is the main window's input pattern (used when values come from the old name).
QString FixFileName(const QString& path, const QString& outPattern, const QString& inPattern,
                    const Options& options);
