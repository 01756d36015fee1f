#pragma once
// The system calls under the guarded file path, each with its result checked and turned into a
// FileError with the system's own reason. Only the guarded path (fileops, guardedfile, the
// journal and its recovery) uses these.
#include <QByteArray>
#include <QString>

#include "zarn/shell/fileerror.h"

namespace safeio {

// pread until `length` bytes or the end of the file.
bool ReadAt(int fd, qint64 pos, qint64 length, QByteArray& bytes, FileError& error);
// pwrite of every byte; a short write is retried, so that a full disk reports itself.
bool WriteAt(int fd, qint64 pos, const QByteArray& bytes, FileError& error);
// Copies [from, to) of `in` to `out` at `outPos`, moving outPos on; a source that ends
// early is an error.
bool CopyRange(int in, qint64 from, qint64 to, int out, qint64& outPos, FileError& error);
bool Truncate(int fd, qint64 length, FileError& error);
bool SyncData(int fd, FileError& error);
// close() with its result: network file systems report quota and full disks here.
bool Close(int& fd, FileError& error);
// Flushes the folder that holds `path`, so that a rename in it survives a power cut.
bool SyncFolderOf(const QString& path, FileError& error);

// A hidden name in the folder of `path` that nothing else uses: ".NAME.zarn-<kind>-<random>".
QString NameBeside(const QString& path, const char* kind);
// Creates the file, failing when anything has the name; -1 with `error` set.
int CreateNew(const QString& path, FileError& error);
// Removes a name; a missing one is fine.
bool Remove(const QString& path, FileError& error);

// The error with the file's name, for messages that must say which file failed.
FileError Named(FileError error, const QString& path);

}  // namespace safeio
