#pragma once
// Which file a name stands for, decided by the file system: device and inode say which file it
// is, size and modification time whether it is still as it was read. Path strings never decide
// this: "./x", "x", an absolute path and a path through a linked folder are one file.
#include <QString>

#include <sys/stat.h>

struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;  // -1: no file
    qint64 modifiedNs = 0;
    quint64 links = 0;

    bool valid() const { return size >= 0; }
    // The same file, whatever it holds now.
    bool sameFile(const FileIdentity& other) const {
        return valid() && other.valid() && device == other.device && inode == other.inode;
    }
    // The same file, not written since.
    bool unchanged(const FileIdentity& other) const {
        return sameFile(other) && size == other.size && modifiedNs == other.modifiedNs;
    }
};

// The identity a look at the file gave.
FileIdentity IdentityOfStat(const struct stat& st);
// The file an open descriptor reads; not valid when the system cannot tell.
FileIdentity IdentityOfDescriptor(int fd);
// The file a path names, links followed; not valid when there is none.
FileIdentity IdentityOfPath(const QString& path);
// The directory entry itself: a link is not followed.
FileIdentity IdentityOfEntry(const QString& path);

// Two spellings of one directory entry (relative and absolute, "./x" and "x", through a linked
// folder, or a change of letter case where the file system ignores case). Two names of one
// file (hard links) are two entries: removing one keeps the file under the other.
bool SameEntry(const QString& a, const QString& b);
