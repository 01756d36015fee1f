#pragma once
// "Rename Files": row i of the old files is renamed to new name i in its own folder and tagged
// from that name and the album boxes. One file at a time, through the shared file operations
// and the "If file exists:" policy.
#include <QList>
#include <QString>
#include <QStringList>

#include "zarn/fromtext/albumtags.h"
#include "zarn/shell/collision.h"

class Progress;
class Prompter;
struct Options;

struct RenameRow {
    QString oldPath;
    QString newName;  // without folder: the file stays in its own folder
};

struct RenameSettings {
    QString outPattern;
    AlbumBoxes boxes;
    bool saveID3v1 = false, saveID3v2 = false;
    CollisionPolicy policy = CollisionPolicy::Prompt;
    bool fixFilenames = false;  // chkConvert: with bSetAttributes the files get the attributes
};

// Done: every row was handled. Cancelled: "Cancel" to a collision question. Stopped: the
// progress window asked to stop. Failed: a file could not be renamed or tagged (reported).
enum class RenameEnd { Done, Cancelled, Stopped, Failed };

// When the lists differ in length, asks whether to go on with the rows both have.
bool ConfirmRowCounts(int oldCount, int newCount, Prompter& prompter);

// The old files the main window hands over: its selected rows (ascending) in list order, or
// every row when fewer than two are selected.
QStringList OldEntriesOfSelection(const QStringList& rows, const QList<int>& selectedRows);

// Old file i with new name i, for the rows both lists have.
QList<RenameRow> PairRows(const QStringList& oldPaths, const QStringList& newNames);

// How a run ended and the files it renamed, (old path, new path), a file tagged under its own
// name among them, so that the main list can follow them.
struct RenameRun {
    RenameEnd end = RenameEnd::Done;
    QList<std::pair<QString, QString>> renamed;
};

// Renames and tags the rows in order.
RenameRun RenameAndTag(const QList<RenameRow>& rows, const RenameSettings& settings,
                       const Options& options, Prompter& prompter, Progress& progress);
