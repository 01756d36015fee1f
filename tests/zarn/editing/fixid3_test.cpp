// Fix ID3 over the panel's values: the steps in their order, the track dug out of the name,
// and the records a fixed file is written with.
#include <gtest/gtest.h>

#include "tests/support/qtstrings.h"
#include "zarn/editing/fixid3.h"
#include "zarn/shell/options.h"
#include "zarn/tags/genres.h"

namespace {

// Tag fields in their record order (artist, title, album, track, year, genre, comment);
// "~" stands for a NUL character.
TagFields F(std::initializer_list<const char*> texts) {
    QStringList f;
    for (const char* text : texts) f << U(text).replace(u'~', QChar(u'\0'));
    while (f.size() < 7) f << QString();
    return {f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
}

QString Joined(const TagFields& f) {
    return QStringList{f.artist, f.title, f.album, f.track, f.year, f.genre, f.comment}.join(u'|');
}

TEST(FixID3Test, TrackIsDugOutOfTheName) {
    struct Case {
        const char *box, *name, *track;
    } cases[] = {
        {"", "05 Song.mp3", "5"},              // two leading digits as a number
        {"", "00 Intro.mp3", "0"},             //
        {"", "Artist - 03 - Song.mp3", "03"},  // the first two digits side by side, as they are
        {"", "Song 7.mp3", "7"},               // else the first digit
        {"", "No digits at all.mp3", ""},      // nothing to dig: the box stays
        {"x", "No digits.mp3", "x"},           //
        {"12", "05 Song.mp3", "12"},           // digits only: already a track
        {"02/10", "01 Song.mp3", "02/10"},     // a number with its total: the total stays
        {"3/", "01 Song.mp3", "3/"},           //
        {"3/x", "01 Song.mp3", "1"},           // no number: dug
        {"/10", "Artist - 04 - Song.mp3", "04"},
        {"", "Artist - Song 2", "2"},  // no extension: nothing is cut off the name
        {"", "Mr. Big 3", "3"},        // a dot followed by blanks is no extension
        {"", "Band - Song.4", ""},     // ".4" is the extension
        {"", "1999 Live - 2.mp3", "19"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DigTrack(U(c.box), U(c.name)), U(c.track)) << c.box << " | " << c.name;
}

TEST(FixID3Test, CommonMistakeSplitsArtistFromTitle) {
    struct Case {
        const char *artist, *title, *newArtist, *newTitle;
    } cases[] = {
        {"", "Artist - Song", "Artist", "Song"},
        {"artist", "Artist - Song", "artist", "Song"},  // the artist matches ignoring case
        {"Other", "Artist - Song", "Other", "Artist - Song"},
        {"Artist", "Artist -", "Artist", ""},  // only the artist and a dash
        {"", "Artist - ab", "Artist", "ab"},
        {"", "Artist - a", "", "Artist - a"},  // too short after the dash
        {"", "No dash here", "", "No dash here"},
    };
    for (const Case& c : cases) {
        TagFields v1;
        v1.artist = U(c.artist);
        v1.title = U(c.title);
        SplitArtistFromTitle(v1);
        EXPECT_EQ(v1.artist, U(c.newArtist)) << c.title;
        EXPECT_EQ(v1.title, U(c.newTitle)) << c.title;
    }
}

// The whole fix on one file's boxes, with the default options and the input pattern below.
struct PanelCase {
    const char* what;
    bool id3v1, id3v2, misses;
    const char* name;
    TagFields v1, v2;
    TagFields wantV1, wantV2;
};

TEST(FixID3Test, StepsRunInTheirOrder) {
    const char* c35 = "A comment of thirty-five characters";
    const char* c28 = "A comment of thirty-five cha";
    const PanelCase cases[] = {
        {"track from a leading 05, nothing else filled from the name", true, false, true,
         "05 Song.mp3", F({}), F({}), F({"", "", "", "5"}), F({})},
        {"ID3v2 artist, title and track (as it stands) from the name through the pattern", false,
         true, true, "07 - the artist - the title.mp3", F({}), F({}), F({}),
         F({"The Artist", "The Title", "", "07"})},
        {"texts cleaned, blank comments emptied, ID3v1 year loses its NULs", true, false, true,
         "a.mp3", F({"  the  band ", "LOUD SONG", "x", "2", "19~~ ", "", "   "}), F({}),
         F({"The Band", "Loud Song", "X", "2", "19", "", ""}), F({})},
        {"ID3v2 over ID3v1: cut to 30 / 4 / 28, track whole, genre by name", true, true, true,
         "a.mp3", F({"Old", "Old", "Old", "1", "1990", "Rock", "old"}),
         F({"A", "T", "An album name longer than thirty", "3", "2003-05-01", "Pop", c35}),
         F({"A", "T", "An Album Name Longer Than Thir", "3", "2003", "Pop", c28}),
         F({"A", "T", "An Album Name Longer Than Thirty", "3", "2003-05-01", "Pop", c35})},
        {"a genre outside the list leaves ID3v1 without one", true, true, true, "1.mp3",
         F({"", "", "", "", "", "Rock"}), F({"", "", "", "", "", "Synthwave"}),
         F({"", "", "", "1", "", "", ""}), F({"", "", "", "1", "", "Synthwave"})},
        {"the common mistake, in the ID3v1 boxes only", true, true, true, "x.mp3", F({}),
         F({"", "Band - Song"}), F({"Band", "Song", "", ""}), F({"Band", "Band - Song", "", ""})},
        {"without the common-mistakes option the title stays whole", true, true, false, "x.mp3",
         F({}), F({"", "Band - Song"}), F({"", "Band - Song", "", ""}),
         F({"", "Band - Song", "", ""})},
        {"empty ID3v2 boxes take the ID3v1 values; the comment comes first from ID3v1", true, true,
         true, "x.mp3", F({"Band", "Song", "Album", "4", "1999", "Jazz", "Note"}), F({}),
         F({"Band", "Song", "Album", "4", "1999", "Jazz", "Note"}),
         F({"Band", "Song", "Album", "4", "1999", "Jazz", "Note"})},
    };
    for (const PanelCase& c : cases) {
        Options options;
        options.bMisses = c.misses;
        PanelValues values;
        values.id3v1 = c.id3v1;
        values.id3v2 = c.id3v2;
        values.v1 = c.v1;
        values.v2 = c.v2;
        values.oldName = U(c.name);
        const FixSource source{U("/music/") + U(c.name), U("%track - %artist - %title.mp3"),
                               options};
        const PanelValues fixed = FixPanelValues(values, source);
        EXPECT_EQ(Joined(fixed.v1), Joined(c.wantV1)) << c.what << " (ID3v1)";
        EXPECT_EQ(Joined(fixed.v2), Joined(c.wantV2)) << c.what << " (ID3v2)";
    }
}

TEST(FixID3Test, RecordsOfAFixedFile) {
    PanelValues fixed;
    fixed.id3v1 = fixed.id3v2 = true;
    fixed.v1 = F({"Artist", "A title of more than thirty characters", "Album", "12", "1999", "Rock",
                  "Comment"});
    fixed.v2 = F({"Artist", "Title", "Album", "3/12", "2003-05-01", "Rock", "Comment"});
    const ShownFile shown{U("/music/a.mp3"), true, true, QByteArray("PRIV\0\0\0\1\0\0x", 11)};
    const QByteArray noGenre(1, '\xFF');

    Options options;
    FixedRecords records = FixedRecordsOf(fixed, shown, noGenre, options);
    ASSERT_TRUE(records.error.isEmpty());
    EXPECT_EQ(records.modes, (TagModes{kWriteTag, kWriteTag}));
    EXPECT_EQ(records.tag1.Track, QByteArray(1, '\x0C'));
    EXPECT_EQ(records.tag1.Year, QByteArray("1999"));
    EXPECT_EQ(records.tag1.Genre, QByteArray(1, char(GenreNumber(U("Rock")))));
    EXPECT_EQ(FieldText(records.tag1.Title), U("A title of more than thirty ch"));
    EXPECT_EQ(records.tag2.Track, U("3/12"));
    EXPECT_EQ(records.tag2.Year, U("2003-05-01"));
    EXPECT_EQ(records.tag2.Genre, U("(17)Rock"));
    EXPECT_EQ(records.tag2.Hidden, shown.hiddenFrames);

    // The options the records read: the optimized packing keeps the title's tail in the
    // comment, and hidden frames may be dropped.
    options.bOptimizedID3v1 = true;
    options.bRemHiddenID3 = true;
    records = FixedRecordsOf(fixed, shown, noGenre, options);
    EXPECT_EQ(UnpackID3v1Texts(records.tag1, true).title, fixed.v1.title);
    EXPECT_TRUE(records.tag2.Hidden.isEmpty());

    // Only ID3v2 fixed in a file without ID3v1: no ID3v1 tag appears.
    fixed.id3v1 = false;
    const ShownFile v2Only{shown.path, false, true, {}};
    EXPECT_EQ(FixedRecordsOf(fixed, v2Only, noGenre, options).modes,
              (TagModes{kRemoveTag, kWriteTag}));

    // "3/12" gives ID3v1 the track 3; a track that is no number is named and nothing is built.
    fixed.id3v1 = true;
    fixed.v1.track = U("3/12");
    records = FixedRecordsOf(fixed, shown, noGenre, options);
    EXPECT_EQ(records.tag1.Track, QByteArray(1, '\3'));
    // A track one byte cannot hold is no ID3v1 track either: the file is named and skipped.
    for (const char* track : {"3/x", "256", "300/12", "99999999999"}) {
        fixed.v1.track = U(track);
        records = FixedRecordsOf(fixed, shown, noGenre, options);
        EXPECT_TRUE(records.error.contains(U(track) + U("\" is not a number from 0 to 255")))
            << records.error.toStdString();
        EXPECT_FALSE(records.tag1.hasTag()) << track;
    }
    fixed.v1.track = U("255");
    EXPECT_EQ(FixedRecordsOf(fixed, shown, noGenre, options).tag1.Track, QByteArray("\xFF"));
}

}  // namespace
