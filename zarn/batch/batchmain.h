#pragma once
// The batch commands of the command line (--list, --set, --sort), run without a display.
#include <QString>
#include <QStringList>

class QTextStream;
class TerminalProgress;

// True when the arguments (without the program's name) ask for a batch command.
bool IsBatchCommandLine(int argc, char* argv[]);
// Runs it; returns the process exit status.
int RunBatchCommandLine(int argc, char* argv[]);

// The same over given arguments and streams; `progress` (may be null) draws the progress line
// and takes Ctrl+C as the stop request.
int RunBatch(const QStringList& arguments, QTextStream& out, QTextStream& err,
             TerminalProgress* progress = nullptr);
