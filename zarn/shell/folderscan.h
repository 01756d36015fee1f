#pragma once
// Lists the files of a folder and of all its sub-folders, breadth first: the folder's own files,
// then those of its sub-folders level by level. Unreadable folders are skipped.
#include <QStringList>

// `folder` ends in a separator; `mask` is a wildcard such as "*.mp3" (letter case ignored).
// Returns full paths in native form.
QStringList ScanFolder(const QString& folder, const QString& mask);
