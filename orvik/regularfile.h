#pragma once
// Opening and testing only regular files. Opening a named pipe for reading waits for a writer
// that never comes, so the kind of a path is checked before anything blocks on it.
#include <QString>

class QFile;

namespace orvik {

// Opens `path` for reading into `file` when it is a regular file; returns the reason otherwise.
QString OpenRegularFile(QFile& file, const QString& path);

// True when the path names a regular file (or a link to one); every error counts as "no".
bool IsRegularFile(const QString& path);

}  // namespace orvik
