#pragma once
// What every start of the program does first: the journals of Zarn processes that ended in the
// middle of a step (a crash, a kill, a power cut) are read, each interrupted step is finished or
// rolled back, the temporary and backup files it made are removed, and the journal goes. A
// journal whose process still runs is left alone. One line per file tells what was done.
#include <QStringList>

QStringList RecoverInterruptedSteps();
