// The rules that turn the tag panel into records and modes, without a window or a file.
#include <gtest/gtest.h>

#include "tests/support/qtstrings.h"
#include "zarn/editing/saverecords.h"

namespace {

PanelValues Form() {
    PanelValues v;
    v.id3v1 = v.id3v2 = true;
    return v;
}

ID3v1Record OldV1() {
    ID3v1Record tag;
    tag.Tag = "TAG";
    tag.Title = PadField("Old title", 30, '\0');
    // An optimized artist continues in the album field behind a NUL.
    tag.Album = PadField(QByteArray("Old album\0rest of artist", 24), 30, '\0');
    tag.Year = "1999";
    tag.Comment = PadField("Old comment", 30, '\0');
    tag.Track = "\x07";
    tag.Genre = "\x11";
    return tag;
}

TEST(SaveRecords, OneFileModesFollowTheBoxesAndWhatTheFileHad) {
    struct Case {
        bool checked, had;
        int mode;
    } cases[] = {{true, true, kWriteTag},
                 {true, false, kWriteTag},
                 {false, true, kRemoveTag},
                 {false, false, kKeepTag}};
    for (const Case& c : cases) {
        PanelValues v;
        v.id3v1 = v.id3v2 = c.checked;
        const TagModes modes = OneFileModes(v, {QString(), c.had, c.had, {}});
        EXPECT_EQ(modes, (TagModes{c.mode, c.mode})) << c.checked << c.had;
    }
}

TEST(SaveRecords, AnAbsentID3v1TagIsNotAddedByAnID3v2Write) {
    struct Case {
        TagModes modes;
        bool hasV1;
        int mode1;
    } cases[] = {{{kKeepTag, kWriteTag}, false, kRemoveTag},
                 {{kKeepTag, kRemoveTag}, false, kRemoveTag},
                 {{kKeepTag, kWriteTag}, true, kKeepTag},
                 {{kWriteTag, kWriteTag}, false, kWriteTag},
                 {{kKeepTag, kKeepTag}, false, kKeepTag}};
    for (const Case& c : cases) EXPECT_EQ(KeepingAbsentID3v1(c.modes, c.hasV1).id3v1, c.mode1);
}

TEST(SaveRecords, OneFileID3v1FromThePanel) {
    struct Case {
        const char* track;
        const char* year;
        const char* genre;
        QByteArray oldGenre;
        QByteArray trackChar, yearField, genreChar;
    } cases[] = {
        {"7", "2004", "Rock", "\xFF", "\x07", "2004", "\x11"},
        {"300", "99", "", "\xFF", QByteArray(1, '\0'), QByteArray("99\0 ", 4), "\xFF"},
        {"3/12", "20041", "Synthpop", "\xFF", "\x03", "2004", "\x93"},
        {"", "", "", "\xC8", QByteArray(1, '\0'), QByteArray("\0   ", 4), "\xC8"},
        {"0", "x1y", "Unknown", "\xC8", QByteArray(1, '\0'), QByteArray("1\0  ", 4), "\xC8"},
        {"99999999999999999999", "", "rock", "\x11", QByteArray(1, '\0'), QByteArray("\0   ", 4),
         QByteArray(1, '\0')},
    };
    for (const Case& c : cases) {
        PanelValues v = Form();
        v.v1 = {U(" Artist "), U(" Title "), U(" Album "), U(c.track),
                U(c.year),     U(c.genre),   U(" Comment")};
        const ID3v1Record tag = OneFileID3v1(OneFileCleaned(v), false, c.oldGenre);
        EXPECT_EQ(tag.Tag, "TAG");
        EXPECT_EQ(tag.Track, c.trackChar) << c.track;
        EXPECT_EQ(tag.Year, c.yearField) << c.year;
        EXPECT_EQ(tag.Genre, c.genreChar) << c.genre;
        // Title and artist trimmed; album and comment as typed.
        EXPECT_EQ(tag.Title, PadField("Title", 30, '\0'));
        EXPECT_EQ(tag.Artist, PadField("Artist", 30, '\0'));
        EXPECT_EQ(tag.Album, PadField(" Album ", 30, '\0'));
        EXPECT_EQ(tag.Comment, PadField(" Comment", 30, '\0'));
    }
}

TEST(SaveRecords, OneFileID3v1PacksLongTitlesWhenOptimized) {
    PanelValues v = Form();
    v.v1.title = QString(45, u't');
    v.v1.comment = U("Comm");
    const ID3v1Record tag = OneFileID3v1(v, true);
    EXPECT_EQ(tag.Title, QByteArray(30, 't'));
    EXPECT_EQ(tag.Comment, PadField("Comm" + QByteArray(1, '\0') + QByteArray(15, 't'), 30, '\0'));
}

// A several-files save with the optimized packing, read back from the 128 bytes a file gets:
// a changed field drops its old continuation, a kept field keeps its text whole.
TEST(SaveRecords, SeveralFilesKeepOrDropPackedContinuations) {
    const QString longTitle = QString(30, u'T') + U("TAILTAIL");
    const QString longArtist = QString(30, u'A') + U("RTISTEND");
    PanelValues was = Form();
    was.v1 = {longArtist, longTitle, U("Alb"), {}, {}, {}, {}};
    was.v1.track = U("5");
    const ID3v1Record old = ID3v1FromBlock(ID3v1Block(OneFileID3v1(was, true)));
    ASSERT_EQ(UnpackID3v1Texts(old, true).title, longTitle);
    const struct {
        const char* what;
        const char *title, *artist, *album, *comment, *year;  // "": keep, "***": empty
        ID3v1Texts expected;
    } cases[] = {
        {"title", "New", "", "", "", "", {U("New"), longArtist, U("Alb"), {}}},
        {"comment", "", "", "", "Hi", "", {longTitle, longArtist, U("Alb"), U("Hi")}},
        {"album", "", "", "Hits", "", "", {longTitle, longArtist, U("Hits"), {}}},
        {"artist", "", "Velt", "", "", "", {longTitle, U("Velt"), U("Alb"), {}}},
        {"emptied title", "***", "", "", "", "", {{}, longArtist, U("Alb"), {}}},
        {"year only", "", "", "", "", "2004", {longTitle, longArtist, U("Alb"), {}}},
    };
    for (const auto& c : cases) {
        PanelValues form = Form();
        form.v1.title = U(c.title);
        form.v1.artist = U(c.artist);
        form.v1.album = U(c.album);
        form.v1.comment = U(c.comment);
        form.v1.year = U(c.year);
        const ID3v1Record merged =
            ID3v1FromBlock(ID3v1Block(MergedID3v1(SeveralFilesCleaned(form), old, true)));
        const ID3v1Texts back = UnpackID3v1Texts(merged, true);
        EXPECT_EQ(back.title, c.expected.title) << c.what;
        EXPECT_EQ(back.artist, c.expected.artist) << c.what;
        EXPECT_EQ(back.album, c.expected.album) << c.what;
        EXPECT_EQ(back.comment, c.expected.comment) << c.what;
        EXPECT_EQ(merged.Track, QByteArray("\x05")) << c.what;
    }
}

// The track byte of an ID3v1.1 tag is never title text, however the comment is read.
TEST(SaveRecords, TheTrackByteIsNeverText) {
    PanelValues v = Form();
    v.v1.title = U("Harbour");
    v.v1.track = U("65");  // "A"
    const QByteArray block = ID3v1Block(OneFileID3v1(v, true));
    for (const bool wholeComment : {false, true})
        EXPECT_EQ(UnpackID3v1Texts(ID3v1FromBlock(block, wholeComment), true).title, U("Harbour"))
            << wholeComment;
}

TEST(SaveRecords, OneFileID3v2FromThePanel) {
    PanelValues v = Form();
    v.v2 = {U("Artist"), U("Title"), U("Album"), U("3/12b"), U("2004-05"), U("Rock"), U("a\nb")};
    v.composer = U("Composer");
    v.url = U("http://x");
    const QByteArray hidden("PRIV\0\0\0\1\0\0x", 11);
    ID3v2Record tag = OneFileID3v2(v, hidden, false);
    EXPECT_EQ(tag.Tag, "ID3");
    EXPECT_EQ(tag.Title, U("Title"));
    EXPECT_EQ(tag.Track, U("3/12"));
    EXPECT_EQ(tag.Year, U("200405"));
    EXPECT_EQ(tag.Genre, U("(17)Rock"));
    EXPECT_EQ(tag.Comment, U("a\nb"));
    EXPECT_EQ(tag.Composer, U("Composer"));
    EXPECT_EQ(tag.URL, U("http://x"));
    EXPECT_EQ(tag.Hidden, hidden);
    EXPECT_TRUE(OneFileID3v2(v, hidden, true).Hidden.isEmpty());
    v.v2.genre = U("Made Up");
    EXPECT_EQ(OneFileID3v2(v, {}, false).Genre, U("(0)Made Up"));
}

TEST(SaveRecords, SummaryListsWhatChanges) {
    PanelValues albumOnly;
    albumOnly.id3v1 = true;
    albumOnly.v1.album = U("New Album");
    EXPECT_EQ(SeveralFilesSummary(albumOnly, {}, 2),
              U("The following attributes will be changed for ALL 2 selected files:\r\n\r\n"
                "ID3v1 (ID3v1 will be added if nonexistent):\r\nAlbum: New Album"));

    PanelValues full = Form();
    full.id3v1 = false;
    full.v1.title = U("ignored: ID3v1 unchecked");
    full.v2 = {U("A"), U("T"), U("Al"), U("*"), U("2004"), U("Rock"), U("C")};
    full.encoder = U("E");
    EXPECT_EQ(SeveralFilesSummary(full, {true, false}, 1500),
              U("The following attributes will be changed for ALL 1500 selected files:\r\n\r\n"
                "ID3v1 tags will be REMOVED!\r\n\r\n"
                "ID3v2 (ID3v2 will be added if nonexistent):\r\nTitle: T\r\nArtist: A\r\n"
                "Album: Al\r\nYear: 2004\r\nGenre: Rock\r\nTrack: *\r\nComments: C\r\n"
                "Encoded By: E"));
}

TEST(SaveRecords, SeveralFilesModes) {
    struct Case {
        bool remove, checked;
        int mode;
    } cases[] = {{true, true, kRemoveTag},
                 {true, false, kRemoveTag},
                 {false, true, kWriteTag},
                 {false, false, kKeepTag}};
    for (const Case& c : cases) {
        PanelValues v;
        v.id3v1 = v.id3v2 = c.checked;
        EXPECT_EQ(SeveralFilesModes(v, {c.remove, c.remove}), (TagModes{c.mode, c.mode}));
    }
}

TEST(SaveRecords, SeveralFilesID3v1KeepsClearsOrReplaces) {
    ID3v1Record none;  // what ReadID3v1 gives for a file without a tag
    none.Genre = "\xFF";
    struct Case {
        const char *title, *album, *year, *comment, *track, *genre;
        bool fileHadTag;
        QByteArray wantTitle, wantAlbum, wantYear, wantComment, wantTrack, wantGenre;
    } cases[] = {
        // Only the album typed: every other field stays the file's own, bytes and all.
        {"", "New", "", "", "", "", true, OldV1().Title, PadField("New", 30, '\0'), "1999",
         OldV1().Comment, "\x07", "\x11"},
        {"", "New", "", "", "", "", false, QByteArray(30, '\0'), PadField("New", 30, '\0'),
         QByteArray(4, '\0'), QByteArray(30, '\0'), QByteArray(1, '\0'), "\xFF"},
        // "***" empties, "*" drops the track, blanks are trimmed (the comment on the right).
        {"***", " *** ", "***", "***", "*", "Jazz", true, QByteArray(30, '\0'),
         QByteArray(30, '\0'), QByteArray(4, '\0'), QByteArray(30, '\0'), QByteArray(1, '\0'),
         "\x08"},
        {"  T  ", "A", "2004", "  C  ", "12", "", true, PadField("T", 30, '\0'),
         PadField("A", 30, '\0'), "2004", PadField("  C", 30, '\0'), "\x0C", "\x11"},
        {"", "", "", "", "256", "", true, OldV1().Title, OldV1().Album, "1999", OldV1().Comment,
         QByteArray(1, '\0'), "\x11"},
    };
    for (const Case& c : cases) {
        PanelValues v;
        v.id3v1 = true;
        v.v1 = {QString(), U(c.title), U(c.album), U(c.track), U(c.year), U(c.genre), U(c.comment)};
        const ID3v1Record tag =
            MergedID3v1(SeveralFilesCleaned(v), c.fileHadTag ? OldV1() : none, false);
        EXPECT_EQ(tag.Tag, "TAG");
        EXPECT_EQ(tag.Title, c.wantTitle) << c.title;
        EXPECT_EQ(tag.Album, c.wantAlbum) << c.album;
        EXPECT_EQ(tag.Year, c.wantYear) << c.year;
        EXPECT_EQ(tag.Comment, c.wantComment) << c.comment;
        EXPECT_EQ(tag.Track, c.wantTrack) << c.track;
        EXPECT_EQ(tag.Genre, c.wantGenre) << c.genre;
        EXPECT_EQ(tag.Artist, c.fileHadTag ? OldV1().Artist : none.Artist);
    }
}

TEST(SaveRecords, SeveralFilesID3v2KeepsClearsOrReplaces) {
    ID3v2Record old;
    old.Tag = "ID3";
    old.Title = U("Old title");
    old.Album = U("Old album");
    old.Track = U("3/12");
    old.Genre = U("Rock");
    old.Encoder = U("Old encoder");
    old.Hidden = QByteArray("PRIV\0\0\0\1\0\0x", 11);
    PanelValues v;
    v.id3v2 = true;
    v.v2.album = U("New album");
    v.v2.track = U("*");
    v.v2.genre = U("Jazz");
    v.encoder = U("***");
    const ID3v2Record tag = MergedID3v2(SeveralFilesCleaned(v), old, false);
    EXPECT_EQ(tag.Tag, "ID3");
    EXPECT_EQ(tag.Title, old.Title);
    EXPECT_EQ(tag.Album, U("New album"));
    EXPECT_EQ(tag.Track, QString());
    EXPECT_EQ(tag.Genre, U("(8)Jazz"));
    EXPECT_EQ(tag.Encoder, QString());
    EXPECT_EQ(tag.Hidden, old.Hidden);
    EXPECT_TRUE(MergedID3v2(v, old, true).Hidden.isEmpty());
    v.v2.genre.clear();
    EXPECT_EQ(MergedID3v2(v, old, false).Genre, U("Rock"));
}

}  // namespace
