#include "orvik/finder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "orvik/playlist.h"
#include "testfiles.h"

#include <sys/stat.h>

using namespace orvik;
using orvik::testfiles::RowTexts;
using namespace Qt::StringLiterals;

namespace {

class OrvikFinder : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        testfiles::WriteBytes(path, bytes);
        return path;
    }
    void load(const QString& name, const QByteArray& bytes) {
        finder.load(ReadPlaylist(write(name, bytes), PathStyle::Posix).entries);
    }
    QTemporaryDir dir;
    Finder finder;
};

}  // namespace

TEST_F(OrvikFinder, SecondPlaylistAddsToTheFirst) {
    load(u"one.m3u"_s, "#EXTM3U\n#EXTINF:1,Queen - Innuendo\nInnuendo.mp3\nHelp.mp3\n");
    load(u"two.pls"_s, "[playlist]\nFile1=Help Me.mp3\nTitle1=Joni - Help Me\nLength1=3\n");
    EXPECT_EQ(RowTexts(finder), (QStringList{u"Innuendo"_s, u"Help"_s, u"Help Me"_s}));
    finder.search(u"help"_s, true, {});
    EXPECT_EQ(RowTexts(finder), (QStringList{u"Help"_s, u"Help Me"_s}));
    // A load after a search appends its rows to the filtered list.
    load(u"three.m3u"_s, "#EXTM3U\nZebra.mp3\n");
    EXPECT_EQ(RowTexts(finder), (QStringList{u"Help"_s, u"Help Me"_s, u"Zebra"_s}));
    finder.search(u"z"_s, true, SearchFields{false, false, true});
    EXPECT_TRUE(finder.rows().isEmpty());
    finder.search(u"joni"_s, true, SearchFields{false, true, false});
    EXPECT_EQ(RowTexts(finder), QStringList{u"Help Me"_s});
}

TEST_F(OrvikFinder, SearchOnEmptyTableKeepsTheList) {
    finder.search(u"x"_s, true, {});
    EXPECT_TRUE(finder.rows().isEmpty());
    load(u"one.m3u"_s, "#EXTM3U\na.mp3\n");
    finder.clear();
    finder.search(u""_s, true, {});
    EXPECT_TRUE(finder.rows().isEmpty());
    EXPECT_TRUE(finder.table().isEmpty());
}

TEST_F(OrvikFinder, SaveWritesEveryEntryOfAListedName) {
    load(u"a.m3u"_s,
         "#EXTM3U\n#EXTINF:245,Queen - Help\n/m/Help.mp3\n#EXTINF:-1,Beatles - Help!\n"
         "/n/Help.MP3\n#EXTINF:9,X - Other\n/m/Other.mp3\n");
    // Only the Beatles entry matches, but its name is shared, so both entries are written.
    finder.search(u"beatles"_s, true, SearchFields{false, true, false});
    ASSERT_EQ(finder.rows().size(), 1);
    const QStringList expected{u"#EXTM3U"_s, u"#EXTINF:245,Queen - Help"_s, u"/m/Help.mp3"_s,
                               u"#EXTINF:-1,Beatles - Help!"_s, u"/n/Help.MP3"_s};
    EXPECT_EQ(finder.playlistLines(PathStyle::Posix), expected);
    // Both rows listed: each entry is still written once.
    finder.search(u"help"_s, true, {});
    ASSERT_EQ(finder.rows().size(), 2);
    EXPECT_EQ(finder.playlistLines(PathStyle::Posix), expected);

    const QString saved = dir.filePath(u"saved.m3u"_s);
    ASSERT_FALSE(WritePlaylist(saved, finder.playlistLines(PathStyle::Posix)).has_value());
    EXPECT_EQ(testfiles::ReadBytes(saved), expected.join(u"\r\n").toUtf8() + "\r\n");
    const auto back = ReadPlaylist(saved, PathStyle::Posix).entries;
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[1].path(), u"/n/Help.MP3"_s);
    EXPECT_EQ(back[1].artist, u"Beatles"_s);
    EXPECT_EQ(back[1].title, u"Help!"_s);
    EXPECT_EQ(back[1].length, -1);
}

TEST_F(OrvikFinder, SaveFailureIsReportedAndLeavesOldFile) {
    const QString existing = write(u"old.m3u"_s, "old");
    EXPECT_TRUE(WritePlaylist(dir.filePath(u"no/such/folder/x.m3u"_s), {u"#EXTM3U"_s}));
    ASSERT_FALSE(WritePlaylist(existing, {u"#EXTM3U"_s, u"Ünï.mp3"_s}).has_value());
    EXPECT_EQ(testfiles::ReadBytes(existing), QByteArray("#EXTM3U\r\n\xC3\x9Cn\xC3\xAF.mp3\r\n"));
}

TEST_F(OrvikFinder, RemoveMissingBlanksEntriesForGood) {
    QDir(dir.path()).mkdir(u"m"_s);
    write(u"m/here.mp3"_s, "x");
    write(u"m/Loud.MP3"_s, "x");
    load(u"a.m3u"_s, "#EXTM3U\nm/here.mp3\nm/gone.mp3\nm/Loud.MP3\nm/here.mp3\nm/gone2.mp3\n");
    finder.search(u"e"_s, true, {});
    EXPECT_EQ(RowTexts(finder), (QStringList{u"here"_s, u"gone"_s, u"here"_s, u"gone2"_s}));

    EXPECT_EQ(finder.removeMissing(PathExists), 2);
    EXPECT_EQ(RowTexts(finder), (QStringList{u"here"_s, u"here"_s}));
    EXPECT_TRUE(finder.table().at(1).isBlank());
    EXPECT_TRUE(finder.table().at(4).isBlank());
    EXPECT_EQ(finder.table().size(), 5);
    EXPECT_EQ(finder.removeMissing(PathExists), 0);

    finder.search(u""_s, true, SearchFields{true, true, true});
    EXPECT_EQ(RowTexts(finder), (QStringList{u"here"_s, u"Loud"_s, u"here"_s}));
    EXPECT_EQ(finder.playlistLines(PathStyle::Posix).size(), 1 + 2 * 3);
}

TEST_F(OrvikFinder, RemoveRowsBlanksOnlyTheirEntries) {
    load(u"a.m3u"_s, "#EXTM3U\n/m/a.mp3\n/m/b.mp3\n/m/a.mp3\n/m/c.mp3\n");
    finder.removeRows({2, 0, 9});
    EXPECT_EQ(RowTexts(finder), (QStringList{u"b"_s, u"c"_s}));
    EXPECT_TRUE(finder.table().at(0).isBlank());
    EXPECT_TRUE(finder.table().at(2).isBlank());
    finder.search(u"a"_s, true, {});
    EXPECT_TRUE(finder.rows().isEmpty());
}

TEST_F(OrvikFinder, SaveKeepsDescriptionsAsRead) {
    struct Case {
        QByteArray playlist;
        QString saved;  // the descriptive line written for the one entry
    };
    const Case cases[] = {
        {"#EXTM3U\n#EXTINF:-1,Radio Paradise\nhttp://host/r\n", u"#EXTINF:-1,Radio Paradise"_s},
        {"#EXTM3U\n#EXTINF:245,Title only\na.mp3\n", u"#EXTINF:245,Title only"_s},
        {"#EXTM3U\n#EXTINF:245,Queen - Innuendo\na.mp3\n", u"#EXTINF:245,Queen - Innuendo"_s},
        {"#EXTM3U\na.mp3\n", u"#EXTINF:0,"_s},
        {"[playlist]\nTitle1=Queen - Innuendo\nFile1=a.mp3\nLength1=9\n",
         u"#EXTINF:9,Queen - Innuendo"_s},
    };
    for (const Case& c : cases) {
        finder.clear();
        load(u"list.m3u"_s, c.playlist);
        const QStringList lines = finder.playlistLines(PathStyle::Posix);
        ASSERT_EQ(lines.size(), 3) << c.playlist.toStdString();
        EXPECT_EQ(lines[1], c.saved) << c.playlist.toStdString();
    }
}

TEST_F(OrvikFinder, SaveOfOneSharedNameTakesLinearTime) {
    // Untagged rips: every entry is "Track01". Walking the whole group for every row took
    // seconds for this many; each entry is still written exactly once.
    const int count = 60000;
    QList<PlaylistEntry> entries;
    for (int i = 0; i < count; ++i) {
        PlaylistEntry entry;
        entry.name = u"Track01"_s;
        entry.extension = u".mp3"_s;
        entry.folder = u"/rips/%1/"_s.arg(i);
        entry.kind = EntryKind::File;
        entries.append(entry);
    }
    finder.load(entries);
    QElapsedTimer timer;
    timer.start();
    const QStringList lines = finder.playlistLines(PathStyle::Posix);
    EXPECT_LT(timer.elapsed(), 1500);
    ASSERT_EQ(lines.size(), 1 + 2 * count);
    EXPECT_EQ(lines[2], u"/rips/0/Track01.mp3"_s);
    EXPECT_EQ(lines.last(), u"/rips/%1/Track01.mp3"_s.arg(count - 1));
}

TEST_F(OrvikFinder, PipesAndFoldersAreReportedNeverOpened) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(u"pipe.m3u"_s)).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(u"pipe.mp3"_s)).constData(), 0600), 0);
    QDir(dir.path()).mkdir(u"folder.m3u"_s);
    QDir(dir.path()).mkdir(u"folder.mp3"_s);
    // Opening a pipe for reading would wait for a writer for ever.
    for (const QString& name : {u"pipe.m3u"_s, u"folder.m3u"_s}) {
        const PlaylistRead read = ReadPlaylist(dir.filePath(name), PathStyle::Posix);
        EXPECT_TRUE(read.entries.isEmpty()) << name.toStdString();
        EXPECT_FALSE(read.error.isEmpty()) << name.toStdString();
    }
    load(u"list.m3u"_s, "#EXTM3U\npipe.mp3\nfolder.mp3\nlist.m3u\n");
    EXPECT_EQ(finder.removeMissing(PathExists), 2);
    EXPECT_EQ(RowTexts(finder), QStringList{u"list"_s});
}
