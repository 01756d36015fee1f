#pragma once
// The one place where files are renamed, copied, moved and deleted. Nothing here overwrites a
// file unasked, a step that fails leaves every file as it was, and "the same file" is decided by
// the file system (fileidentity.h), never by comparing path strings: a move of a file onto its
// own name, however spelled, does nothing. Steps that take more than one system call are
// recorded in the journal first, so that a crash in between is finished or rolled back at the
// next start. Each operation returns a FileError whose number is 0 on success and which names
// the file and gives the system's reason otherwise. While an operation is recorded
// (journalrecord.h), each step that succeeds is reported there for undo, and a file about to be
// replaced is kept aside first.
#include <QByteArray>
#include <QString>
#include <optional>

#include "zarn/shell/fileerror.h"
#include "zarn/shell/fileidentity.h"

// True when something occupies the name; a dangling link does too.
bool Exists(const QString& path);
// The same file (device and inode), under one name or two. See SameEntry for one name.
bool IsSameFile(const QString& a, const QString& b);
// The folder part of a path with its closing separator ("/m/a.mp3" -> "/m/"): the last "/" or
// native separator ends it. Empty for a bare name.
QString FolderOf(const QString& path);

// Renames `from` to `to` unless another file already has that name, even one that appears
// meanwhile. The same entry under another spelling is left as it is; a change of letter case
// goes through a temporary name, since a case-insensitive file system sees the target as taken.
FileError RenameWithoutOverwrite(const QString& from, const QString& to);
// Copies `from` to `to` unless `to` exists; the copy is complete and flushed before it takes
// the name, and a failed copy leaves no partial target behind.
FileError CopyWithoutOverwrite(const QString& from, const QString& to);
// Moves `from` to `to` unless `to` exists. Across file systems the file is copied whole (size
// checked, flushed to the disk) before the source is deleted; a failed copy leaves the source.
FileError MoveWithoutOverwrite(const QString& from, const QString& to);

// Replace the file at `to` by `from`, atomically: `to` is either the old file or the new one,
// never missing or half written, whatever step fails. `replaced`, when valid, is the file the
// user agreed to replace: a file that changed since is left alone and reported. `to` naming
// the very file `from` names does nothing; a second name (hard link) of it loses `from` only.
FileError CopyReplacing(const QString& from, const QString& to, const FileIdentity& replaced = {});
FileError MoveReplacing(const QString& from, const QString& to, const FileIdentity& replaced = {});

// Removes the file's name.
FileError DeleteFile(const QString& path);
// Writes a whole small file (a list, a text, an exported frame): a temporary file beside it
// takes its name only once complete and flushed, so the old content stays until then.
FileError WriteWholeFile(const QString& path, const QByteArray& bytes);

// Creates one folder level; a folder already there is fine.
FileError MakeFolder(const QString& path);
// Removes a folder only while it is empty.
FileError RemoveEmptyFolder(const QString& path);

// The same as RenameWithoutOverwrite and MoveWithoutOverwrite, left out of the record of an
// open operation (journalrecord.h): undo and recovery take steps back, they make none.
FileError RenameUnrecorded(const QString& from, const QString& to);
FileError MoveUnrecorded(const QString& from, const QString& to);

// The attribute value of the sorting options: 1 read-only, 2 hidden, 32 archive, 0 normal.
constexpr int kAttrReadOnly = 1;
constexpr int kAttrHidden = 2;
constexpr int kAttrArchive = 32;
int AttributeValue(bool readOnly, bool hidden, bool archive);
// Gives the file the attribute value. On POSIX only read-only has a counterpart: it takes away
// every write permission, and its absence gives the owner write permission back; hidden and
// archive are left alone.
FileError SetFileAttributes(const QString& path, int value);
bool IsReadOnly(const QString& path);
// The attribute value the file has (read-only or 0 on POSIX); nothing when no file has the name.
std::optional<int> AttributesOf(const QString& path);
