#pragma once
// Options for rule tests: every clean-up rule off, so that each test switches on what it checks.
#include <QString>
#include <ostream>

#include "tests/support/qtstrings.h"
#include "zarn/shell/options.h"

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
