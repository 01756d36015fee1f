#pragma once
// Lists the files of a folder and of all its sub-folders, breadth first: the folder's own files,
// then those of its sub-folders level by level. Unreadable folders are skipped.
#include <QStringList>

struct FolderScan {
    QStringList files;          // full paths in native form
    QStringList unusableNames;  // files and folders whose names cannot be handled (not UTF-8)
};

// `folder` ends in a separator; `mask` is a wildcard such as "*.mp3" (letter case ignored).
FolderScan ScanFolder(const QString& folder, const QString& mask);
