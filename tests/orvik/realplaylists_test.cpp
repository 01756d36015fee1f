// The playlists of tests/orvik/playlists, in the forms players really write, each loaded from a
// scratch folder that holds some of the files it lists.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "orvik/finder.h"
#include "orvik/playlist.h"
#include "testfiles.h"

using namespace orvik;
using orvik::testfiles::RowTexts;
using namespace Qt::StringLiterals;

namespace {

class OrvikRealPlaylist : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // Copies the playlist into the scratch folder and loads it from there.
    void load(const QString& name) {
        const QString copy = dir.filePath(name);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVIK_PLAYLISTS) + u'/' + name, copy));
        const PlaylistRead read = ReadPlaylist(copy, PathStyle::Posix);
        ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
        finder.load(read.entries);
    }
    void makeFiles(const QStringList& paths) {
        for (const QString& path : paths) {
            QDir(dir.path()).mkpath(QFileInfo(dir.filePath(path)).path());
            testfiles::WriteBytes(dir.filePath(path), "x");
        }
    }
    // The saved playlist of every listed row, with the scratch folder written as "D".
    QStringList savedLines() const {
        QStringList lines = finder.playlistLines(PathStyle::Posix);
        for (QString& line : lines) line.replace(dir.path(), u"D"_s);
        return lines;
    }
    QString artistAndTitle(qsizetype entry) const {
        return finder.table().at(entry).artist + u'|' + finder.table().at(entry).title;
    }

    QTemporaryDir dir;
    Finder finder;
};

}  // namespace

TEST_F(OrvikRealPlaylist, ExtendedM3uWithStreams) {
    load(u"streams.m3u"_s);
    // "#PLAYLIST:" and "# ..." lines are comments, not entries.
    EXPECT_EQ(RowTexts(finder),
              (QStringList{u"mp3-192"_s, u"groovesalad-128.mp3"_s, u"192.168.1.20"_s, u"Innuendo"_s,
                           u"Bohemian Rhapsody"_s}));
    finder.search(u"groove"_s, true, {});
    EXPECT_EQ(RowTexts(finder), QStringList{u"groovesalad-128.mp3"_s});

    finder.search(QString(), true, {});
    const QStringList saved{u"#EXTM3U"_s,
                            u"#EXTINF:-1,Radio Paradise"_s,
                            u"http://stream.radioparadise.com/mp3-192"_s,
                            u"#EXTINF:-1,SomaFM - Groove Salad"_s,
                            u"https://ice1.somafm.com/groovesalad-128.mp3"_s,
                            u"#EXTINF:-1,Local Icecast"_s,
                            u"http://192.168.1.20:8000/"_s,
                            u"#EXTINF:245,Title only"_s,
                            u"D/Music/Queen/Innuendo.mp3"_s,
                            u"#EXTINF:354,Queen - Bohemian Rhapsody"_s,
                            u"D/Music/Queen/Bohemian Rhapsody.mp3"_s};
    EXPECT_EQ(savedLines(), saved);

    makeFiles({u"Music/Queen/Innuendo.mp3"_s});
    EXPECT_EQ(finder.removeMissing(PathExists), 1);
    EXPECT_EQ(RowTexts(finder), (QStringList{u"mp3-192"_s, u"groovesalad-128.mp3"_s,
                                             u"192.168.1.20"_s, u"Innuendo"_s}));
}

TEST_F(OrvikRealPlaylist, M3u8FromALinuxPlayer) {
    load(u"linux-player.m3u8"_s);
    EXPECT_EQ(RowTexts(finder), (QStringList{u"Hoppípolla"_s, u"Army of Me"_s, u"Track01"_s,
                                             u"live"_s, u"a%0Ab.mp3"_s}));
    EXPECT_EQ(finder.table().at(0).path(), u"/home/me/Music/Sigur Rós/Hoppípolla.mp3"_s);
    EXPECT_EQ(artistAndTitle(0), u"Sigur Rós|Hoppípolla"_s);
    EXPECT_EQ(finder.table().at(1).path(), dir.filePath(u"Björk/Army of Me.ogg"_s));

    // A save reads back as the same rows: the decoded line break did not become a row.
    finder.search(QString(), true, {});
    const QString saved = dir.filePath(u"saved.m3u"_s);
    ASSERT_FALSE(WritePlaylist(saved, finder.playlistLines(PathStyle::Posix)));
    Finder again;
    again.load(ReadPlaylist(saved, PathStyle::Posix).entries);
    EXPECT_EQ(RowTexts(again), RowTexts(finder));
    EXPECT_EQ(again.table().at(4).line, u"file:///home/me/a%0Ab.mp3"_s);
}

TEST_F(OrvikRealPlaylist, PlsVersion2GroupedByKind) {
    load(u"radio-v2.pls"_s);
    EXPECT_EQ(RowTexts(finder),
              (QStringList{u"groovesalad-128-mp3"_s, u"Innuendo"_s, u"Abba - Waterloo"_s}));
    EXPECT_EQ(artistAndTitle(1), u"Queen|Innuendo"_s);
    EXPECT_EQ(finder.table().at(1).length, 391);
    EXPECT_EQ(artistAndTitle(2), u"ABBA|Waterloo"_s);
    EXPECT_EQ(finder.table().at(2).length, 165);
    EXPECT_EQ(savedLines(),
              (QStringList{u"#EXTM3U"_s, u"#EXTINF:-1,SomaFM: Groove Salad"_s,
                           u"http://ice1.somafm.com/groovesalad-128-mp3"_s,
                           u"#EXTINF:391,Queen - Innuendo"_s, u"D/Music/Queen/Innuendo.mp3"_s,
                           u"#EXTINF:165,ABBA - Waterloo"_s, u"D/Music/Abba - Waterloo.mp3"_s}));
}

TEST_F(OrvikRealPlaylist, WindowsPlaylistWithDriveLetters) {
    load(u"windows.m3u"_s);
    EXPECT_EQ(RowTexts(finder), (QStringList{u"Bohemian Rhapsody"_s, u"Ace of Spades"_s, u"Share"_s,
                                             u"rel"_s, u"Glósóli"_s}));
    // Windows-1252 and UTF-8 lines in one file.
    EXPECT_EQ(artistAndTitle(1), u"Motörhead|Ace of Spades"_s);
    EXPECT_EQ(artistAndTitle(4), u"Sigur Rós|Glósóli"_s);
    finder.search(u"music"_s, true, {});
    EXPECT_TRUE(finder.rows().isEmpty());

    finder.search(QString(), true, {});
    const QStringList paths = savedLines().filter(QRegularExpression(u"^[^#]"_s));
    EXPECT_EQ(paths, (QStringList{u"C:\\Music\\Queen\\Bohemian Rhapsody.mp3"_s,
                                  u"D:\\Music\\Motörhead\\Ace of Spades.mp3"_s,
                                  u"\\\\nas\\music\\Share.mp3"_s, u"D/Music/rel.mp3"_s,
                                  u"C:\\Music\\Glósóli.mp3"_s}));

    // Found below the playlist's folder with "/" for "\": kept; the others are missing.
    makeFiles({u"Music/Queen/Bohemian Rhapsody.mp3"_s, u"Music/rel.mp3"_s});
    EXPECT_EQ(finder.removeMissing(PathExists), 3);
    EXPECT_EQ(RowTexts(finder), (QStringList{u"Bohemian Rhapsody"_s, u"rel"_s}));
    EXPECT_EQ(savedLines()[2], u"C:\\Music\\Queen\\Bohemian Rhapsody.mp3"_s);
}

TEST_F(OrvikRealPlaylist, Utf16WithByteOrderMark) {
    load(u"utf16.m3u"_s);
    EXPECT_EQ(RowTexts(finder), (QStringList{u"Libertango"_s, u"Jóga"_s}));
    EXPECT_EQ(artistAndTitle(0), u"Ástor Piazzolla|Libertango"_s);
    EXPECT_EQ(finder.table().at(1).path(), dir.filePath(u"Music/Jóga.mp3"_s));
}
