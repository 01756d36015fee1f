#pragma once
// The text of the one line a long command-line run keeps up to date on a terminal.
#include <QString>

// 1234567 -> "1,234,567": the separators do not follow the locale, so that scripts and tests
// read the same line everywhere.
QString GroupedNumber(qint64 number);
// "1,234 of 10,000 files, 3 s left": `done` files of `total` took `elapsedMs`; the time left
// assumes the rest go at the same pace, and is left out while nothing is done.
QString ProgressLineText(int done, int total, qint64 elapsedMs);
// "stopped after 1,234 of 10,000 files; the others were not touched"
QString StoppedText(int done, int total);
