#pragma once
// The one place where files are renamed, copied and moved. Nothing here overwrites a file
// unasked, and a step that fails leaves every file as it was. Each operation returns a
// FileError whose number is 0 on success.
#include <QString>

#include "zarn/shell/fileerror.h"

// True when something occupies the name; a dangling link does too.
bool Exists(const QString& path);
// The same directory entry, decided by the file system (device and inode), not by the names.
bool IsSameFile(const QString& a, const QString& b);
// The folder part of a path with its closing separator ("/m/a.mp3" -> "/m/"): the last "/" or
// native separator ends it. Empty for a bare name.
QString FolderOf(const QString& path);

// Renames `from` to `to` unless another file already has that name, even one that appears
// meanwhile. A change of case only goes through a temporary name, since a case-insensitive file
// system sees the target as existing.
FileError RenameWithoutOverwrite(const QString& from, const QString& to);
// Copies `from` to `to` unless `to` exists; a failed copy leaves no partial target behind.
FileError CopyWithoutOverwrite(const QString& from, const QString& to);
// Moves `from` to `to` unless `to` exists. Across file systems the file is copied whole (size
// checked, flushed to the disk) before the source is deleted; a failed copy leaves the source.
FileError MoveWithoutOverwrite(const QString& from, const QString& to);

// Replace `to` by `from`, atomically: `to` is either the old file or the new one, never missing
// or half written, whatever step fails.
FileError CopyReplacing(const QString& from, const QString& to);
FileError MoveReplacing(const QString& from, const QString& to);

// Creates one folder level; a folder already there is fine.
FileError MakeFolder(const QString& path);

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
