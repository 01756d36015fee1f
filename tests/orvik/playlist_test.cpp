#include "orvik/playlist.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "testfiles.h"

using namespace orvik;
using namespace Qt::StringLiterals;

namespace {

PlaylistEntry OnlyEntry(const QStringList& lines) {
    const auto entries = ParsePlaylist(lines, u"/lists/x.m3u"_s, PathStyle::Posix);
    if (entries.size() != 1) throw std::runtime_error("expected one entry");
    return entries.first();
}

}  // namespace

TEST(OrvikM3u, DescriptiveLines) {
    struct Case {
        QString line;
        qint16 length;
        QString artist;
        QString title;
    };
    const Case cases[] = {
        {u"#EXTINF:245,Queen - Bohemian Rhapsody"_s, 245, u"Queen"_s, u"Bohemian Rhapsody"_s},
        {u"#EXTINF:245,Queen Bohemian Rhapsody"_s, 245, {}, {}},
        {u"#EXTINF:-1,A - B"_s, -1, u"A"_s, u"B"_s},
        {u"#EXTINF:abc,A - B"_s, 0, u"A"_s, u"B"_s},
        {u"#EXTINF:70000,A - B"_s, 0, u"A"_s, u"B"_s},
        {u"#EXTINF:12.5,A - B"_s, 12, u"A"_s, u"B"_s},
        {u"#EXTINF:245,AC - DC - Song"_s, 245, u"AC"_s, u"DC - Song"_s},
        {u"#EXTINF:245,Queen - "_s, 245, u"Queen"_s, {}},
        // Without a comma there is no length and no artist, but the title after " - " counts.
        {u"#EXTINF:Queen - Innuendo"_s, 0, {}, u"Innuendo"_s},
    };
    for (const Case& c : cases) {
        const PlaylistEntry entry = OnlyEntry({u"#EXTM3U"_s, c.line, u"/m/a.mp3"_s});
        EXPECT_EQ(entry.length, c.length) << c.line.toStdString();
        EXPECT_EQ(entry.artist, c.artist) << c.line.toStdString();
        EXPECT_EQ(entry.title, c.title) << c.line.toStdString();
    }
}

TEST(OrvikM3u, EntriesKeepTheirOwnDescriptions) {
    const auto entries = ParsePlaylist({u"#EXTM3U"_s, u"#EXTINF:10,A - One"_s, u""_s,
                                        u"#EXTGRP:Rock"_s, u"/m/one.mp3"_s, u"/m/two.mp3"_s},
                                       u"/lists/x.m3u"_s, PathStyle::Posix);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].name, u"one"_s);
    EXPECT_EQ(entries[0].title, u"One"_s);
    EXPECT_EQ(entries[1].name, u"two"_s);
    EXPECT_EQ(entries[1].artist, QString());
    EXPECT_EQ(entries[1].length, 0);
}

TEST(OrvikPaths, SplitCompleteAndSaveFolders) {
    struct Case {
        PathStyle style;
        QString line;
        QString folder;
        QString name;
        QString extension;
        QString saved;  // the path a saved playlist writes
    };
    const Case cases[] = {
        {PathStyle::Posix, u"/home/me/Music/a.mp3"_s, u"/home/me/Music/"_s, u"a"_s, u".mp3"_s,
         u"/home/me/Music/a.mp3"_s},
        // A relative line is completed from the playlist's folder, and saved complete.
        {PathStyle::Posix, u"sub/b.mp3"_s, u"/lists/sub/"_s, u"b"_s, u".mp3"_s,
         u"/lists/sub/b.mp3"_s},
        {PathStyle::Posix, u"file:///home/me/My%20Music/a.mp3"_s, u"/home/me/My Music/"_s, u"a"_s,
         u".mp3"_s, u"/home/me/My Music/a.mp3"_s},
        {PathStyle::Posix, u"C.MP3"_s, u"/lists/"_s, u"C"_s, u".MP3"_s, u"/lists/C.MP3"_s},
        {PathStyle::Posix, u"ab"_s, u"/lists/"_s, u"ab"_s, {}, u"/lists/ab"_s},
        // Only a dot starts an extension: short names and names without one stay whole.
        {PathStyle::Posix, u"song.flac"_s, u"/lists/"_s, u"song"_s, u".flac"_s,
         u"/lists/song.flac"_s},
        {PathStyle::Posix, u"live"_s, u"/lists/"_s, u"live"_s, {}, u"/lists/live"_s},
        {PathStyle::Posix, u"Track01"_s, u"/lists/"_s, u"Track01"_s, {}, u"/lists/Track01"_s},
        {PathStyle::Posix, u".hidden"_s, u"/lists/"_s, u".hidden"_s, {}, u"/lists/.hidden"_s},
        {PathStyle::Posix, u"Mr. Big"_s, u"/lists/"_s, u"Mr. Big"_s, {}, u"/lists/Mr. Big"_s},
        // A backslash is part of a POSIX name; a relative path with one came from Windows.
        {PathStyle::Posix, u"/m/AC\\DC.mp3"_s, u"/m/AC\\"_s, u"DC"_s, u".mp3"_s,
         u"/m/AC\\DC.mp3"_s},
        {PathStyle::Posix, u"Music\\rel.mp3"_s, u"/lists/Music/"_s, u"rel"_s, u".mp3"_s,
         u"/lists/Music/rel.mp3"_s},
        // Windows paths are kept as read; the folder is where to look, below the playlist.
        {PathStyle::Posix, u"C:\\Music\\Queen\\a.mp3"_s, u"/lists/Music/Queen/"_s, u"a"_s,
         u".mp3"_s, u"C:\\Music\\Queen\\a.mp3"_s},
        {PathStyle::Posix, u"\\\\nas\\share\\Pop\\a.mp3"_s, u"/lists/Pop/"_s, u"a"_s, u".mp3"_s,
         u"\\\\nas\\share\\Pop\\a.mp3"_s},
        // URLs are shown by their last path part or host and written back unchanged.
        {PathStyle::Posix,
         u"http://host/live/stream.mp3"_s,
         {},
         u"stream.mp3"_s,
         {},
         u"http://host/live/stream.mp3"_s},
        {PathStyle::Posix, u"https://host:8000/"_s, {}, u"host"_s, {}, u"https://host:8000/"_s},
        {PathStyle::Windows,
         u"http://host:8000/radio/"_s,
         {},
         u"radio"_s,
         {},
         u"http://host:8000/radio/"_s},
        // Decoded first, then checked: a line break in a name is no file of ours.
        {PathStyle::Posix,
         u"file:///m/a%0Ab.mp3"_s,
         {},
         u"a%0Ab.mp3"_s,
         {},
         u"file:///m/a%0Ab.mp3"_s},
        {PathStyle::Windows, u"\\Music\\a.mp3"_s, u"D:\\Music\\"_s, u"a"_s, u".mp3"_s,
         u"\\Music\\a.mp3"_s},
        {PathStyle::Windows, u"C:\\Music\\a.mp3"_s, u"C:\\Music\\"_s, u"a"_s, u".mp3"_s,
         u"\\Music\\a.mp3"_s},
        {PathStyle::Windows, u"\\\\nas\\share\\a.mp3"_s, u"\\\\nas\\share\\"_s, u"a"_s, u".mp3"_s,
         u"\\\\nas\\share\\a.mp3"_s},
        {PathStyle::Windows, u"a.mp3"_s, u"D:"_s, u"a"_s, u".mp3"_s, u"a.mp3"_s},
    };
    for (const Case& c : cases) {
        const QString playlist =
            c.style == PathStyle::Posix ? u"/lists/x.m3u"_s : u"D:\\lists\\x.m3u"_s;
        const auto entries = ParsePlaylist({u"#EXTM3U"_s, c.line}, playlist, c.style);
        ASSERT_EQ(entries.size(), 1) << c.line.toStdString();
        EXPECT_EQ(entries[0].folder, c.folder) << c.line.toStdString();
        EXPECT_EQ(entries[0].name, c.name) << c.line.toStdString();
        EXPECT_EQ(entries[0].extension, c.extension) << c.line.toStdString();
        EXPECT_EQ(SavedPath(entries[0], c.style), c.saved) << c.line.toStdString();
    }
}

TEST(OrvikPls, FileTitleLengthWithSeveralDigits) {
    QStringList lines{u"[playlist]"_s, u"NumberOfEntries=12"_s};
    for (int i = 1; i <= 12; ++i) {
        lines << u"File%1=/m/track%1.mp3"_s.arg(i) << u"Title%1=Artist %1 - Song %1"_s.arg(i)
              << u"Length%1=%2"_s.arg(i).arg(i == 3 ? 245 : 100 + i);
    }
    lines << u"Version=2"_s;
    const auto entries = ParsePlaylist(lines, u"/lists/x.pls"_s, PathStyle::Posix);
    ASSERT_EQ(entries.size(), 12);
    EXPECT_EQ(entries[2].length, 245);
    EXPECT_EQ(entries[9].name, u"track10"_s);
    EXPECT_EQ(entries[9].folder, u"/m/"_s);
    EXPECT_EQ(entries[9].artist, u"Artist 10"_s);
    EXPECT_EQ(entries[9].title, u"Song 10"_s);
    EXPECT_EQ(entries[11].length, 112);
}

TEST(OrvikPls, EntriesWithoutLengthOrTitle) {
    const auto entries =
        ParsePlaylist({u"[Playlist]"_s, u"File1=/m/a.mp3"_s, u"Title1=No dash here"_s,
                       u"File2=/m/b.mp3"_s, u"Length2=x"_s, u"File3=c.mp3"_s, u"Length3=7"_s,
                       // Keys match by number in any case and order.
                       u"title4=X - Y"_s, u"LENGTH04=9"_s, u"FILE4=/m/d.mp3"_s},
                      u"/lists/x.pls"_s, PathStyle::Posix);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].name, u"a"_s);
    EXPECT_EQ(entries[0].artist, QString());
    EXPECT_EQ(entries[0].title, QString());
    EXPECT_EQ(entries[1].name, u"b"_s);
    EXPECT_EQ(entries[1].length, 0);
    EXPECT_EQ(entries[2].folder, u"/lists/"_s);
    EXPECT_EQ(entries[2].length, 7);
    EXPECT_EQ(entries[3].artist + entries[3].title, u"XY"_s);
    EXPECT_EQ(entries[3].length, 9);
}

TEST(OrvikPlaylist, WithoutHeaderLoadsNothing) {
    const QStringList bodies[] = {
        {u"/m/a.mp3"_s},
        {u"#extm3u"_s, u"/m/a.mp3"_s},
        {u" #EXTM3U"_s, u"/m/a.mp3"_s},
        {u"playlist"_s, u"File1=/m/a.mp3"_s, u"Length1=1"_s},
        {u""_s, u"#EXTM3U"_s, u"/m/a.mp3"_s},
        {},
    };
    for (const QStringList& lines : bodies)
        EXPECT_TRUE(ParsePlaylist(lines, u"/lists/x.m3u"_s, PathStyle::Posix).isEmpty())
            << lines.join(u'|').toStdString();
}

// Players and IPTV lists add attributes to the mark; any first line starting with it counts.
TEST(OrvikPlaylist, HeaderWithAttributesIsAHeader) {
    for (const QString& header : {u"#EXTM3U x-tvg-url=\"http://x/epg.xml\""_s,
                                  u"#EXTM3U url-tvg=\"a\" tvg-shift=2"_s, u"#EXTM3U "_s}) {
        const auto entries = ParsePlaylist({header, u"#EXTINF:-1,A - B"_s, u"/m/a.mp3"_s},
                                           u"/lists/x.m3u"_s, PathStyle::Posix);
        ASSERT_EQ(entries.size(), 1) << header.toStdString();
        EXPECT_EQ(entries.first().artist, u"A"_s);
    }
}

TEST(OrvikPlaylist, ReadsFilesWithAnyLineEndAndEncoding) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* bytes;
        QString title;
    };
    const Case cases[] = {
        {"#EXTM3U\r\n#EXTINF:1,A - Caf\xC3\xA9\r\nsub/x.mp3\r\n", u"Café"_s},
        {"#EXTM3U\n#EXTINF:1,A - Caf\xE9\nsub/x.mp3", u"Café"_s},
        {"\xEF\xBB\xBF#EXTM3U\r#EXTINF:1,A - Caf\xC3\xA9\rsub/x.mp3\r", u"Café"_s},
    };
    const QString path = dir.filePath(u"list.m3u8"_s);
    for (const Case& c : cases) {
        testfiles::WriteBytes(path, c.bytes);
        const PlaylistRead read = ReadPlaylist(path, PathStyle::Posix);
        ASSERT_EQ(read.entries.size(), 1) << c.bytes;
        EXPECT_EQ(read.entries[0].title, c.title) << c.bytes;
        EXPECT_EQ(read.entries[0].path(), dir.filePath(u"sub/x.mp3"_s)) << c.bytes;
    }
}

TEST(OrvikPlaylist, UnreadableFileSaysWhy) {
    QTemporaryDir dir;
    const PlaylistRead read = ReadPlaylist(dir.filePath(u"missing.m3u"_s), PathStyle::Posix);
    EXPECT_TRUE(read.entries.isEmpty());
    EXPECT_FALSE(read.error.isEmpty());
}
