#include "zarn/shell/filelist.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <algorithm>

#include "tests/zarn/shell/shelltest.h"
#include "zarn/shell/listentry.h"

namespace {

// The preview row of a path is its name in capitals: easy to tell which file it belongs to.
FileList MakeList() {
    return FileList([](const QString& path) { return NameFromEntry(path).toUpper(); });
}

void ExpectInStep(const FileList& list) {
    ASSERT_EQ(list.preview().rowCount(), list.count());
    for (int row = 0; row < list.count(); ++row)
        EXPECT_EQ(list.preview().text(row), NameFromEntry(list.pathAt(row)).toUpper()) << row;
}

bool CaselessLess(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

TEST(FileListTest, KeepsCaselessOrderAndDuplicatesUnderRandomAddsAndRemoves) {
    FileList list = MakeList();
    QStringList expected;
    QRandomGenerator random(7);
    // Enough rows to spread over many storage blocks.
    for (int i = 0; i < 3000; ++i) {
        const QString name = QStringLiteral("%1%2.mp3")
                                 .arg(QChar(u'a' + random.bounded(26)))
                                 .arg(random.bounded(500));
        const QString path = (random.bounded(2) ? QStringLiteral("/M/") : QStringLiteral("/m/")) +
                             (random.bounded(2) ? name.toUpper() : name);
        list.addPath(path);
        expected.insert(
            std::upper_bound(expected.begin(), expected.end(), EntryFromPath(path), CaselessLess),
            EntryFromPath(path));
        if (i % 7 == 0) {
            const int row = int(random.bounded(list.count()));
            list.RemoveRow(row);
            expected.removeAt(row);
        }
    }
    EXPECT_EQ(list.files().texts(), expected);
}

TEST(FileListTest, PreviewStaysInStepThroughAddsAndRemoves) {
    FileList list = MakeList();
    for (const char* p : {"/m/c.mp3", "/m/a.mp3", "/m/e.mp3"}) list.addPath(QString::fromUtf8(p));
    EXPECT_EQ(list.preview().rowCount(), 0);  // no preview rows: adds leave it empty
    list.rebuildPreview();
    ExpectInStep(list);
    for (const char* p : {"/m/b.mp3", "/m/a.mp3", "/m/z.mp3", "/m/0.mp3"})
        list.addPath(QString::fromUtf8(p));
    ExpectInStep(list);
    list.RemoveRow(2);
    list.RemoveRow(-1);
    list.RemoveRow(list.count());
    ExpectInStep(list);
    list.removeRows({5, 0, 1, 1, 3, -4, 99});
    ExpectInStep(list);
    EXPECT_EQ(list.files().texts(), QStringList({EntryFromPath(QStringLiteral("/m/b.mp3")),
                                                 EntryFromPath(QStringLiteral("/m/e.mp3"))}));
}

TEST(FileListTest, ShortPreviewLosesOnlyRowsItHas) {
    FileList list = MakeList();
    for (const char* p : {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}) list.addPath(QString::fromUtf8(p));
    list.preview().insertAt(0, QStringLiteral("only"));
    list.RemoveRow(2);  // beyond the preview: the preview keeps its row
    EXPECT_EQ(list.preview().rowCount(), 1);
    list.removeRows({0, 1});
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.preview().rowCount(), 0);
}

TEST(FileListTest, SameFileTwiceGivesTwoRows) {
    FileList list = MakeList();
    list.addPath(QStringLiteral("/m/a.mp3"));
    list.addPath(QStringLiteral("/m/a.mp3"));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.pathAt(0), list.pathAt(1));
}

TEST(FileListTest, FollowsRenamesDoneOutsideIt) {
    FileList list = MakeList();
    for (const char* p : {"/m/a.mp3", "/m/b.mp3", "/m/b.mp3", "/m/c.mp3", "/m/taken.mp3"})
        list.addPath(QString::fromUtf8(p));
    list.rebuildPreview();
    const auto P = [](const char* p) { return QString::fromUtf8(p); };
    // b's two rows become one row of its new name; c took the name of a listed file, which
    // keeps its one row; a file the list never held stays out of it.
    list.followRenames({{P("/m/b.mp3"), P("/m/02 - B.mp3")},
                        {P("/m/c.mp3"), P("/m/taken.mp3")},
                        {P("/n/x.mp3"), P("/n/X1.mp3")}});
    QStringList paths;
    for (int row = 0; row < list.count(); ++row) paths << list.pathAt(row);
    EXPECT_EQ(paths, QStringList({P("/m/02 - B.mp3"), P("/m/a.mp3"), P("/m/taken.mp3")}));
    ExpectInStep(list);
}

// Rows whose new name another row gets too, letter case aside, as the list changes.
TEST(FileListTest, PreviewKnowsTheNamesTwoRowsGet) {
    FileList list = MakeList();  // a row's new name is its name in capitals
    for (const char* p : {"/m/a.mp3", "/n/A.mp3", "/m/b.mp3"}) list.addPath(QString::fromUtf8(p));
    const auto marked = [&list] {
        QList<bool> rows;
        for (int row = 0; row < list.count(); ++row)
            rows << list.previewDuplicates().isDuplicate(row);
        return rows;
    };
    EXPECT_EQ(marked(), QList<bool>({false, false, false}));  // no preview yet
    list.rebuildPreview();
    EXPECT_EQ(marked(), QList<bool>({true, true, false}));
    list.addPath(QStringLiteral("/o/b.MP3"));
    EXPECT_EQ(marked(), QList<bool>({true, true, true, true}));
    list.RemoveRow(0);
    EXPECT_EQ(marked(), QList<bool>({false, true, true}));
    list.preview().insertAt(3, QString());  // rows without a name are never marked
    list.preview().insertAt(4, QString());
    EXPECT_FALSE(list.previewDuplicates().isDuplicate(3));
    list.clear();
    list.addPath(QStringLiteral("/m/a.mp3"));
    EXPECT_EQ(marked(), QList<bool>({false}));
}

}  // namespace
