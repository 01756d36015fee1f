// Sorting when the disk says no: a target file system that fills up or is read-only, and a
// source that vanishes before its turn. Nothing may be lost in any of them.
#include <sys/mount.h>
#include <unistd.h>
#include <QFileInfo>

#include "tests/zarn/sort/sorttest.h"

namespace {

// A small file system of its own at `folder` (needs root); unmounted when done.
class SmallMount {
  public:
    SmallMount(const QString& folder, const char* options) : m_folder(folder) {
        QDir().mkpath(folder);
        m_mounted =
            ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallMount() {
        if (m_mounted) ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    bool makeReadOnly() {
        return ::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

  private:
    QString m_folder;
    bool m_mounted = false;
};

#define SKIP_UNLESS_ROOT() \
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root"

class SortFaultsTest : public SortTest {};

// The target cannot hold the file: the partial copy goes, the source and an existing file stay.
TEST_F(SortFaultsTest, NearlyFullTarget) {
    SKIP_UNLESS_ROOT();
    struct Case {
        int method;
        bool existing;  // a file already has the name (and "Replace" is the policy)
    } cases[] = {
        {kMethodMove, false}, {kMethodCopy, false}, {kMethodMove, true}, {kMethodCopy, true}};
    for (const Case& c : cases) {
        fresh();
        SmallMount mount(dst(), "size=256k");
        ASSERT_TRUE(mount.mounted());
        write(dst(U("filler")), QByteArray(128 * 1024, 'f'));
        if (c.existing) write(dst(U("a.mp3")), "old");
        const QByteArray big = TaggedBytes(QByteArray(200 * 1024, 'a'));
        addRow(src(U("a.mp3")), big);
        SortSettings s = settings(c.method);
        s.policy = CollisionPolicy::Replace;
        EXPECT_EQ(sortAll(s), SortEnd::Failed);
        EXPECT_TRUE(failure.startsWith(U("Error: 61\n"))) << failure.toStdString();
        EXPECT_EQ(mp3::ReadFile(src(U("a.mp3"))), big);
        EXPECT_EQ(rows.count(), 1);
        const QStringList expected =
            c.existing ? QStringList{U("a.mp3"), U("filler")} : QStringList{U("filler")};
        EXPECT_EQ(FilesBelow(dst()), expected);
        if (c.existing) {
            EXPECT_EQ(mp3::ReadFile(dst(U("a.mp3"))), "old");
        }
    }
}

TEST_F(SortFaultsTest, ReadOnlyTarget) {
    SKIP_UNLESS_ROOT();
    for (bool genreFolder : {false, true}) {
        fresh();
        SmallMount mount(dst(), "size=1m");
        ASSERT_TRUE(mount.mounted());
        ASSERT_TRUE(mount.makeReadOnly());
        addRow(src(U("a.mp3")), TaggedBytes("a", "Velt", 17));
        SortSettings s = settings(kMethodMove);
        s.genre = genreFolder;
        EXPECT_EQ(sortAll(s), SortEnd::Failed);
        EXPECT_TRUE(failure.contains(U("Read-only file system"))) << failure.toStdString();
        EXPECT_EQ(FilesBelow(src(QString())), QStringList{U("a.mp3")});
        EXPECT_EQ(rows.count(), 1);
    }
}

// A source deleted while the sort runs is passed over and keeps its row.
class DeletingProgress : public FakeProgress {
  public:
    void atFile(const ProgressStep& step) override {
        FakeProgress::atFile(step);
        if (step.number == 1) QFile::remove(victim);
    }
    QString victim;
};

TEST_F(SortFaultsTest, SourceVanishingBeforeItsTurn) {
    addRow(src(U("a.mp3")), "a");
    addRow(src(U("b.mp3")), "b");
    addRow(src(U("c.mp3")), "c");
    DeletingProgress deleting;
    deleting.victim = src(U("b.mp3"));
    QDir().mkpath(dst());
    EXPECT_EQ(SortEngine(settings(), prompter, &deleting).SortAll(rows), SortEnd::Complete);
    EXPECT_EQ(rows.paths, QStringList{src(U("b.mp3"))});
    EXPECT_EQ(FilesBelow(dst()), (QStringList{U("a.mp3"), U("c.mp3")}));
    EXPECT_TRUE(prompter.shown.isEmpty());
}

}  // namespace
