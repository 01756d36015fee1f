#pragma once
// What a sort did, file by file, and the line that tells it at the end of a run: a run that
// skipped a file must not end with a bare "Done!".
#include <QString>

struct SortCounts {
    int done = 0;       // copied, moved or renamed
    int unchanged = 0;  // already where and as it belongs
    int skipped = 0;    // a name taken, and the policy or the person said to leave it
    int failed = 0;
};

// "Done: 19 files copied, 1 skipped." for the sorting method (copy, move, rename).
QString SortCountsText(const SortCounts& counts, int method);
