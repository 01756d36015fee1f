// Renames, copies and moves never overwrite unasked and leave every file as it was on failure.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "zarn/shell/fileops.h"

namespace {

class FileOps : public testing::Test {
  protected:
    QString Make(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(mp3::WriteFile(path, bytes));
        return path;
    }
    QString At(const char* name) const { return dir.filePath(U(name)); }

    QTemporaryDir dir;
};

TEST_F(FileOps, CaseOnlyRenameOfTheSameFile) {
    const QString a = Make(U("velt.mp3"), "audio");
    EXPECT_FALSE(RenameWithoutOverwrite(a, At("Velt.mp3")).failed());
    EXPECT_EQ(mp3::ReadFile(At("Velt.mp3")), QByteArray("audio"));
    // Another file whose name differs only in case is a different file here.
    const QString other = Make(U("velt.mp3"), "other");
    EXPECT_TRUE(RenameWithoutOverwrite(other, At("Velt.mp3")).failed());
    EXPECT_EQ(mp3::ReadFile(At("Velt.mp3")), QByteArray("audio"));
}

TEST_F(FileOps, ALinkToTheSameFileIsStillAnotherName) {
    const QString a = Make(U("a.mp3"), "audio");
    ASSERT_TRUE(QFile::link(a, At("b.mp3")));
    EXPECT_TRUE(IsSameFile(a, QFileInfo(At("b.mp3")).symLinkTarget()));
    EXPECT_TRUE(RenameWithoutOverwrite(a, At("b.mp3")).failed());
    EXPECT_TRUE(QFile::exists(a));
}

// Each operation refuses an occupied target (even a dangling link) and a missing source, and
// leaves both files untouched.
TEST_F(FileOps, NothingIsOverwrittenAndNothingLost) {
    using Operation = FileError (*)(const QString&, const QString&);
    const std::pair<const char*, Operation> operations[] = {{"rename", RenameWithoutOverwrite},
                                                            {"copy", CopyWithoutOverwrite},
                                                            {"move", MoveWithoutOverwrite}};
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        const QString a = Make(U("a.mp3"), "source");
        const QString b = Make(U("b.mp3"), "target");
        ASSERT_TRUE(QFile::link(At("nowhere"), At("dangling.mp3")));
        EXPECT_EQ(operation(a, b).number, kErrFileAlreadyExists);
        EXPECT_EQ(operation(a, At("dangling.mp3")).number, kErrFileAlreadyExists);
        EXPECT_EQ(operation(At("missing.mp3"), At("c.mp3")).number, kErrFileNotFound);
        EXPECT_EQ(mp3::ReadFile(a), QByteArray("source"));
        EXPECT_EQ(mp3::ReadFile(b), QByteArray("target"));
        EXPECT_FALSE(Exists(At("c.mp3")));
        // Into a folder that does not exist: an error, the source stays.
        EXPECT_TRUE(operation(a, At("no/such/folder/a.mp3")).failed());
        EXPECT_EQ(mp3::ReadFile(a), QByteArray("source"));
        QFile::remove(At("dangling.mp3"));
    }
}

TEST_F(FileOps, CopyKeepsTheSourceAndMoveTakesIt) {
    const QString a = Make(U("a.mp3"), "audio");
    QDir(dir.path()).mkdir(U("to"));
    EXPECT_FALSE(CopyWithoutOverwrite(a, At("to/a.mp3")).failed());
    EXPECT_EQ(mp3::ReadFile(a), QByteArray("audio"));
    EXPECT_EQ(mp3::ReadFile(At("to/a.mp3")), QByteArray("audio"));
    EXPECT_FALSE(MoveWithoutOverwrite(a, At("to/b.mp3")).failed());
    EXPECT_FALSE(Exists(a));
    EXPECT_EQ(mp3::ReadFile(At("to/b.mp3")), QByteArray("audio"));
}

TEST_F(FileOps, ReadOnlyIsTheOnlyAttributeOnPosix) {
    const QString a = Make(U("a.mp3"), "audio");
    EXPECT_EQ(AttributeValue(true, true, true), 35);
    EXPECT_EQ(AttributeValue(false, false, false), 0);
    EXPECT_FALSE(SetFileAttributes(a, AttributeValue(true, false, true)).failed());
    EXPECT_TRUE(IsReadOnly(a));
    EXPECT_FALSE(SetFileAttributes(a, kAttrHidden).failed());
    EXPECT_FALSE(IsReadOnly(a));
    EXPECT_EQ(mp3::ReadFile(a), QByteArray("audio"));
    EXPECT_EQ(SetFileAttributes(At("missing.mp3"), 0).number, kErrFileNotFound);
}

TEST(FolderOf, KeepsTheClosingSeparator) {
    EXPECT_EQ(FolderOf(U("/m/a.mp3")), U("/m/"));
    EXPECT_EQ(FolderOf(U("/a.mp3")), U("/"));
    EXPECT_EQ(FolderOf(U("a.mp3")), QString());
#ifdef Q_OS_WIN
    EXPECT_EQ(FolderOf(U(R"(C:\m\a.mp3)")), U(R"(C:\m\)"));
#else
    EXPECT_EQ(FolderOf(U(R"(/m/b\a.mp3)")), U("/m/"));  // a backslash is a name character here
#endif
}

}  // namespace

namespace {

// Replacing goes through a complete copy or one rename: the old file is there until the new
// one takes its name, and no temporary file outlives the call.
TEST_F(FileOps, ReplacingIsOneStepAndLeavesNoTemporary) {
    using Operation = FileError (*)(const QString&, const QString&, const FileIdentity&);
    const std::pair<const char*, Operation> operations[] = {{"copy", CopyReplacing},
                                                            {"move", MoveReplacing}};
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        const QString a = Make(U("a.mp3"), "new");
        const QString b = Make(U("b.mp3"), "old");
        EXPECT_FALSE(operation(a, b, {}).failed());
        EXPECT_EQ(mp3::ReadFile(b), QByteArray("new"));
        EXPECT_EQ(QFile::exists(a), QByteArray(name) == "copy");
        EXPECT_EQ(operation(At("missing.mp3"), b, {}).number, kErrFileNotFound);
        EXPECT_EQ(mp3::ReadFile(b), QByteArray("new"));
        QFile::remove(a);
        QFile::remove(b);
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
    // A hard link of the file itself: the move leaves one name, never an empty one.
    const QString a = Make(U("a.mp3"), "audio");
    ASSERT_TRUE(QFile::link(a, At("sym.mp3")));
    EXPECT_FALSE(MoveReplacing(a, a).failed());
    EXPECT_EQ(mp3::ReadFile(a), QByteArray("audio"));
}

// Across file systems a move copies the whole file, keeps its mode and time, then deletes the
// source; shared memory is a file system of its own on most Linux systems.
TEST_F(FileOps, MoveAcrossFileSystems) {
    QTemporaryDir other(U("/dev/shm/zarn-fileops-XXXXXX"));
    struct stat here {
    }, there{};
    if (!other.isValid() || ::stat(QFile::encodeName(dir.path()).constData(), &here) != 0 ||
        ::stat(QFile::encodeName(other.path()).constData(), &there) != 0 ||
        here.st_dev == there.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    const QByteArray audio(300000, 'a');
    const QString a = Make(U("a.mp3"), audio);
    const QString b = Make(U("b.mp3"), audio + "b");
    ASSERT_TRUE(QFile::setPermissions(a, QFile::ReadOwner));
    const QDateTime time = QFileInfo(a).lastModified();
    const QString target = other.filePath(U("a.mp3"));
    EXPECT_FALSE(MoveWithoutOverwrite(a, target).failed());
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_EQ(mp3::ReadFile(target), audio);
    const QFile::Permissions mode = QFileInfo(target).permissions();
    EXPECT_TRUE(mode & QFile::ReadOwner);
    EXPECT_FALSE(mode & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    EXPECT_EQ(QFileInfo(target).lastModified(), time);
    EXPECT_EQ(MoveWithoutOverwrite(b, target).number, kErrFileAlreadyExists);
    EXPECT_FALSE(MoveReplacing(b, target).failed());
    EXPECT_EQ(mp3::ReadFile(target), audio + "b");
    EXPECT_FALSE(QFile::exists(b));
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files | QDir::Hidden), QStringList{U("a.mp3")});
}

TEST_F(FileOps, MakeFolderMakesOneLevel) {
    EXPECT_FALSE(MakeFolder(At("x")).failed());
    EXPECT_FALSE(MakeFolder(At("x")).failed());
    EXPECT_TRUE(MakeFolder(At("y/z")).failed());
    Make(U("file"), "f");
    EXPECT_TRUE(MakeFolder(At("file")).failed());
}

}  // namespace
