#pragma once
// File names the program cannot handle: on POSIX a name is bytes, and Qt reads them as UTF-8.
// Bytes of an old code page (0xE9 for "é" in Windows-1252) turn into U+FFFD on the way in, and the
// decoded name no longer leads back to the file, so it must be reported, not taken for missing.
#include <QString>
#include <QStringList>

// True when `path` came from such a name: it holds U+FFFD and names nothing on disk.
bool IsUndecodableName(const QString& path);
// The entries of `folder` (ending in a separator) with such names, as decoded paths: folders
// with a trailing separator, files only when they match the wildcard `mask`. Qt's own listing
// leaves them out silently.
QStringList UndecodableEntries(const QString& folder, const QString& mask);
// Why such a file is left alone, for messages.
QString UndecodableNameReason();
