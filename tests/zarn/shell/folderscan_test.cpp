#include "zarn/shell/folderscan.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "tests/zarn/shell/shelltest.h"

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

TEST(FolderScanTest, OwnFilesFirstThenSubFoldersLevelByLevel) {
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("a/b/deep.mp3"), 1);
    MakeFile(root + QStringLiteral("z/mid.MP3"), 1);  // letter case of the mask ignored
    MakeFile(root + QStringLiteral("a/mid.mp3"), 1);
    MakeFile(root + QStringLiteral("top.mp3"), 1);
    MakeFile(root + QStringLiteral("skip.ogg"), 1);
    MakeFile(root + QStringLiteral("a/b/skip.mp3.txt"), 1);

    const QStringList files = ScanFolder(Native(root), QStringLiteral("*.mp3")).files;
    ASSERT_EQ(files.size(), 4);
    EXPECT_EQ(files[0], Native(root + QStringLiteral("top.mp3")));
    // The two first-level folders come in the file system's order, before the second level.
    QStringList middle{files[1], files[2]};
    middle.sort();
    EXPECT_EQ(middle, QStringList({Native(root + QStringLiteral("a/mid.mp3")),
                                   Native(root + QStringLiteral("z/mid.MP3"))}));
    EXPECT_EQ(files[3], Native(root + QStringLiteral("a/b/deep.mp3")));
}

TEST(FolderScanTest, LinkBackUpTheTreeEndsTheWalk) {
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("sub/a.mp3"), 1);
    ASSERT_TRUE(QFile::link(root, root + QStringLiteral("sub/loop")));
    const QStringList files = ScanFolder(Native(root), QStringLiteral("*.mp3")).files;
    EXPECT_EQ(files, QStringList({Native(root + QStringLiteral("sub/a.mp3"))}));
}

TEST(FolderScanTest, UnreadableFolderIsSkipped) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser reads every folder";
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("closed/a.mp3"), 1);
    MakeFile(root + QStringLiteral("open/b.mp3"), 1);
    QFile::setPermissions(root + QStringLiteral("closed"), QFileDevice::Permissions());
    const QStringList files = ScanFolder(Native(root), QStringLiteral("*.mp3")).files;
    QFile::setPermissions(root + QStringLiteral("closed"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(files, QStringList({Native(root + QStringLiteral("open/b.mp3"))}));
}

TEST(FolderScanTest, NamesThatAreNotUtf8AreReportedNotAdded) {
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    MakeFile(root + QStringLiteral("ok.mp3"), 1);
    MakeFile(root + QStringLiteral("real \uFFFD.mp3"), 1);  // a valid name that holds U+FFFD
    // Windows-1252 bytes: "café.mp3" and the folder "démo" with a file inside.
    const QByteArray base = QFile::encodeName(dir.path());
    // Qt cannot see these names, so the temporary folder cannot remove them either.
    const auto cleanUp = qScopeGuard([&] {
        ::unlink((base + "/caf\xe9.mp3").constData());
        ::unlink((base + "/d\xe9mo/in.mp3").constData());
        ::rmdir((base + "/d\xe9mo").constData());
    });
    ASSERT_EQ(::close(::open((base + "/caf\xe9.mp3").constData(), O_CREAT | O_WRONLY, 0644)), 0);
    ASSERT_EQ(::mkdir((base + "/d\xe9mo").constData(), 0755), 0);
    ASSERT_EQ(::close(::open((base + "/d\xe9mo/in.mp3").constData(), O_CREAT | O_WRONLY, 0644)), 0);

    FolderScan scan = ScanFolder(Native(root), QStringLiteral("*.mp3"));
    scan.files.sort();
    scan.unusableNames.sort();
    EXPECT_EQ(scan.files, QStringList({Native(root + QStringLiteral("ok.mp3")),
                                       Native(root + QStringLiteral("real \uFFFD.mp3"))}));
    EXPECT_EQ(scan.unusableNames, QStringList({Native(root + QStringLiteral("caf\uFFFD.mp3")),
                                               Native(root + QStringLiteral("d\uFFFDmo/"))}));
}

TEST(FolderScanTest, MissingFolderGivesNothing) {
    EXPECT_TRUE(
        ScanFolder(QStringLiteral("/no/such/folder/"), QStringLiteral("*.mp3")).files.isEmpty());
}

}  // namespace
