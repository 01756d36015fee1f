#pragma once
// Options for rule tests: every clean-up rule off, so that each test switches on what it checks.
#include <QString>
#include <ostream>

#include "zarn/names/options.h"

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline Options NoRules() {
    Options o;
    o.bExtension = false;
    o.bLowExtension = false;
    o.bScoreToSpace = false;
    o.b20toSpace = false;
    o.bSpaces = false;
    o.bMisses = false;
    o.Change = 0;
    return o;
}
