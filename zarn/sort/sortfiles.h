#pragma once
// The file system as the sort engine sees it. The disk is the one every window uses; a plan
// (a dry run) answers from the disk plus what the run has done so far, and changes nothing.
#include <QString>

#include "zarn/shell/fileerror.h"
#include "zarn/shell/fileidentity.h"

class SortFiles {
  public:
    virtual ~SortFiles() = default;
    virtual bool isFile(const QString& path) = 0;
    virtual bool isFolder(const QString& path) = 0;
    virtual bool exists(const QString& path) = 0;
    // One directory entry, however the two paths spell it (fileidentity.h).
    virtual bool isSameEntry(const QString& a, const QString& b) = 0;
    // The file at the name now, so that a replace can check it is still the one asked about.
    virtual FileIdentity identityOf(const QString& path) = 0;
    virtual FileError makeFolder(const QString& path) = 0;
    virtual FileError setAttributes(const QString& path, int value) = 0;
    virtual FileError renameWithoutOverwrite(const QString& from, const QString& to) = 0;
    virtual FileError copyWithoutOverwrite(const QString& from, const QString& to) = 0;
    virtual FileError moveWithoutOverwrite(const QString& from, const QString& to) = 0;
    virtual FileError copyReplacing(const QString& from, const QString& to,
                                    const FileIdentity& replaced) = 0;
    virtual FileError moveReplacing(const QString& from, const QString& to,
                                    const FileIdentity& replaced) = 0;
    // The run found `from` at `to` already and left it there.
    virtual void leftInPlace(const QString& from, const QString& to) {
        Q_UNUSED(from);
        Q_UNUSED(to);
    }
};

// The disk, through the file-operations layer.
SortFiles& DiskSortFiles();
