#pragma once
// Opening only regular files. A named pipe or a device named like an MP3 file would make a
// reader wait forever (or swallow what is written), and a folder is never a file of the list.
#include <QFile>

#include "zarn/shell/fileerror.h"
#include "zarn/shell/fileidentity.h"

// True when something exists at `path` (links followed) that is not a regular file.
bool IsNonRegularFile(const QString& path);
// What `path` names, links followed, from one look at the file system. A name that exists but
// cannot be looked through (a dangling link, a loop of links) is `Unresolved`.
enum class PathKind { Missing, Regular, Folder, Other, Unresolved };
PathKind KindOfPath(const QString& path);
// Opens a regular file for reading, or for reading and writing without creating it, and never
// waits on a pipe or device. Returns the descriptor, or -1 with `error` set; `identity` gets
// the file's identity from the look that checked its kind.
int OpenRegularFile(const QString& path, bool forWriting, FileError& error,
                    FileIdentity* identity = nullptr);
// The same into `file` (which then owns the descriptor); `mode` must be ReadOnly or ReadWrite.
bool OpenRegularFile(QFile& file, QIODevice::OpenMode mode, FileError* error = nullptr);
