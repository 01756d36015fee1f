#include "zarn/sort/sortfiles.h"

#include <QFileInfo>

#include "zarn/shell/fileops.h"

namespace {

class Disk : public SortFiles {
  public:
    bool isFile(const QString& path) override { return QFileInfo(path).isFile(); }
    bool isFolder(const QString& path) override { return QFileInfo(path).isDir(); }
    bool exists(const QString& path) override { return Exists(path); }
    bool isSameEntry(const QString& a, const QString& b) override { return SameEntry(a, b); }
    FileIdentity identityOf(const QString& path) override { return IdentityOfEntry(path); }
    FileError makeFolder(const QString& path) override { return MakeFolder(path); }
    FileError setAttributes(const QString& path, int value) override {
        return SetFileAttributes(path, value);
    }
    FileError renameWithoutOverwrite(const QString& from, const QString& to) override {
        return RenameWithoutOverwrite(from, to);
    }
    FileError copyWithoutOverwrite(const QString& from, const QString& to) override {
        return CopyWithoutOverwrite(from, to);
    }
    FileError moveWithoutOverwrite(const QString& from, const QString& to) override {
        return MoveWithoutOverwrite(from, to);
    }
    FileError copyReplacing(const QString& from, const QString& to,
                            const FileIdentity& replaced) override {
        return CopyReplacing(from, to, replaced);
    }
    FileError moveReplacing(const QString& from, const QString& to,
                            const FileIdentity& replaced) override {
        return MoveReplacing(from, to, replaced);
    }
};

}  // namespace

SortFiles& DiskSortFiles() {
    static Disk disk;
    return disk;
}
