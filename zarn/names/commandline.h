#pragma once
// Renaming files named on the command line ("+rename=" with an output pattern, "+ext=" with a
// new extension), without the main window. Parsing, planning and renaming live here so that they
// run without a display; commandlinerun.cpp and commandlinemain.cpp only wire them to the process.
#include <QString>
#include <QStringList>

#include "zarn/shell/options.h"

class Progress;
class Prompter;
class QTextStream;

enum class CommandLineMode { None, Rename, Extension, Help };

struct CommandLineRequest {
    CommandLineMode mode = CommandLineMode::None;
    QString value;  // the output pattern or the new extension
    QStringList files;
    bool dryRun = false;  // --dry-run: print the old and new names, rename nothing
    bool quiet = false;   // --quiet: no progress line
};

// The single command-line text of Windows: +rename="pattern" C:\a.mp3 D:\b c.mp3 ...
// Files are split before each drive letter ("X:") or each pair of backslashes.
CommandLineRequest ParseCommandLineText(const QString& text);
// Arguments already split (POSIX): "+rename=pattern" a.mp3 b.mp3, +ext=ogg a.mp3, --help.
// --dry-run and --quiet may stand anywhere after the first argument; "--" makes every argument
// after it a file.
CommandLineRequest ParseCommandLineArguments(const QStringList& arguments);

// Where a file goes: its folder and the name that the output pattern builds (empty when the
// file does not exist). A relative `file` is read from `currentFolder` (ending in "/").
QString NewPathForRename(const QString& file, const QString& outPattern, const QString& inPattern,
                         const Options& options, const QString& currentFolder);
// The file with its extension replaced (a name without one gets "." and the extension).
QString NewPathForExtension(const QString& file, const QString& extension);

// Exit statuses of the command-line mode.
constexpr int kExitOk = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitBadCommandLine = 2;

QString CommandLineUsage();

// Carries out the request file by file: one line per file on `out` (renamed, unchanged, or with
// --dry-run "would rename") or `err` (could not rename), going on after a failure. Asks
// `prompter` for a missing extension. `progress` (may be null) hears of each file and may stop
// the run after it.
int ProcessCommandLine(const CommandLineRequest& request, const QString& inPattern,
                       const Options& options, Prompter* prompter, QTextStream& out,
                       QTextStream& err, Progress* progress = nullptr);
