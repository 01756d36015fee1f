#pragma once
// The file system as the sort engine sees it. The disk is the one every window uses; a plan
// (a dry run) answers from the disk plus what the run has done so far, and changes nothing.
#include <QString>

#include "zarn/shell/fileerror.h"

class SortFiles {
  public:
    virtual ~SortFiles() = default;
    virtual bool isFile(const QString& path) = 0;
    virtual bool isFolder(const QString& path) = 0;
    virtual bool exists(const QString& path) = 0;
    virtual bool isSameFile(const QString& a, const QString& b) = 0;
    virtual FileError makeFolder(const QString& path) = 0;
    virtual FileError setAttributes(const QString& path, int value) = 0;
    virtual FileError renameWithoutOverwrite(const QString& from, const QString& to) = 0;
    virtual FileError copyWithoutOverwrite(const QString& from, const QString& to) = 0;
    virtual FileError moveWithoutOverwrite(const QString& from, const QString& to) = 0;
    virtual FileError copyReplacing(const QString& from, const QString& to) = 0;
    virtual FileError moveReplacing(const QString& from, const QString& to) = 0;
};

// The disk, through the file-operations layer.
SortFiles& DiskSortFiles();
