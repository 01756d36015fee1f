#pragma once
// Sorting files into the target folder: the walk over the rows, each file's destination, and
// copy, move or rename through the file-operations layer. Questions go to a Prompter, the file
// being handled and the stop request through a Progress.
#include <QString>

#include "zarn/shell/fileerror.h"
#include "zarn/sort/sortcounts.h"
#include "zarn/sort/sortsettings.h"

class Progress;
class Prompter;
class SortFiles;
class SortRows;

// How one file went. Unchanged: it was where it belongs already (a move onto its own name,
// however spelled), and nothing was done.
enum class SortOutcome { Done, Unchanged, Skipped, Cancelled, Failed };
// How a walk over the rows ended.
enum class SortEnd { Complete, Stopped, Cancelled, Failed };
// What became of one row of "Sort Selected"; Ended stops the command (a failure, which
// failure() tells, or a cancelled question).
enum class RowOutcome { Removed, Kept, Ended };

// The checks before copying or moving: a target is chosen, and exists or is created on request.
// False stops the command (the message has been shown).
bool CheckTargetFolder(const QString& target, Prompter& prompter);

// The attribute value of the options, to be set on a file before it is sorted.
int SortAttributeValue(const Options& options);

class SortEngine {
  public:
    // `progress` may be null ("Sort Selected" shows no progress window). `files` is the disk
    // unless given (a dry run passes a plan).
    SortEngine(const SortSettings& settings, Prompter& prompter, Progress* progress = nullptr,
               SortFiles* files = nullptr);

    // "Sort All Now!": every row from the first, with the new names the rows hold. Sorted rows
    // leave `rows`; missing files, rows after a stop and the row of a failure stay.
    SortEnd SortAll(SortRows& rows);

    // "Sort Selected" for copy or move: one row into its destination under `newName`.
    RowOutcome SortRow(SortRows& rows, int row, const QString& newName);
    // "Sort Selected" for rename: one row to `newName` in its own folder.
    RowOutcome RenameRow(SortRows& rows, int row, const QString& newName);

    // Copies or moves one file to `target` by the method, with the attribute value and the
    // collision policy. failure() tells why when this returns Failed.
    SortOutcome CopyOrMoveFile(const QString& source, const QString& target);
    // The collision policy for renaming `oldFile` to the taken name `newFile`.
    SortOutcome FileExistActions(const QString& oldFile, const QString& newFile);

    // The failure that ended the last run or row (none when nothing failed), and the message the
    // window shows for it.
    const FileError& failure() const { return m_failure; }
    QString failureMessage() const;
    // How the files of the runs and rows so far went.
    const SortCounts& counts() const { return m_counts; }

  private:
    bool FileThere(const QString& path);
    // `source` is already at `target` (one entry): nothing to do but a change of letter case.
    SortOutcome inPlace(const QString& source, const QString& target);
    enum class Step { Removed, Kept, End };
    Step sortRowOfAll(SortRows& rows, int row);
    Step renameOfAll(SortRows& rows, int row, const QString& source, const QString& newName);
    Step placeOfAll(SortRows& rows, int row, const QString& source, const QString& newName);
    Step placeByArtist(SortRows& rows, int row, const QString& source, const QString& newName,
                       const QString& levels);
    Step placeRun(SortRows& rows, int row, const QString& folder, const QString& artist);
    Step placeOne(SortRows& rows, int row, const QString& source, const QString& target);
    // Target plus the genre and letter levels, created as needed; empty after a failure.
    QString levelFolder(const QString& source, const QString& letterText);
    bool makeFolder(const QString& folder);
    // Rows from `row` on with the artist, counted up to `limit`.
    int runLength(const SortRows& rows, int row, const QString& artist, int limit) const;
    Step end(SortEnd how);
    bool setAttributes(const QString& path);
    // `inUseMessage` names a refused rename as a file in use ("Sort Selected").
    SortOutcome renameFile(const QString& from, const QString& to, bool inUseMessage);
    // The policy (or the person) decides about a taken name; a replacement is atomic.
    SortOutcome collide(const QString& source, const QString& target, bool move);
    SortOutcome fail(const FileError& error);
    // Counts a file's outcome; `cancelSkips`: a copy or move goes on past a cancelled question,
    // which leaves that file where it was (a cancelled rename ends the run instead).
    SortOutcome counted(SortOutcome outcome, bool cancelSkips);
    void show(const SortRows& rows, const QString& source, const QString& target);
    // Yields to pending events; true when a stop has been requested.
    bool pause();

    SortSettings m_settings;
    Prompter& m_prompter;
    Progress* m_progress;
    SortFiles& m_files;
    int m_total = 0;
    SortEnd m_end = SortEnd::Complete;
    FileError m_failure;
    SortCounts m_counts;
    QString m_failureText;  // a message of its own, instead of the "Error: " box
};
