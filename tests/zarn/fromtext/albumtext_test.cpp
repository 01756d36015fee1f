#include <gtest/gtest.h>

#include <QFile>

#include "tests/support/qtstrings.h"
#include "zarn/fromtext/albuminfo.h"
#include "zarn/fromtext/albumtags.h"
#include "zarn/fromtext/scan.h"
#include "zarn/shell/options.h"

namespace {

struct KeywordCase {
    const char* text;
    AlbumInfo expected;
};

class ReadAlbumInfoTest : public testing::TestWithParam<KeywordCase> {};

TEST_P(ReadAlbumInfoTest, PicksTheFieldsByKeyword) {
    const KeywordCase& c = GetParam();
    const AlbumInfo info = ReadAlbumInfo(U(c.text));
    EXPECT_EQ(info.artist, c.expected.artist) << c.text;
    EXPECT_EQ(info.album, c.expected.album) << c.text;
    EXPECT_EQ(info.year, c.expected.year) << c.text;
    EXPECT_EQ(info.releaseDate, c.expected.releaseDate) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, ReadAlbumInfoTest,
    testing::Values(
        KeywordCase{"Artist: Velt\r\nAlbum: Hits", {U("Velt"), U("Hits"), {}, {}}},
        // Lines may end in LF alone; the keyword is found in any case.
        KeywordCase{"ARTIST: Velt\nALBUM:\tHits\n", {U("Velt"), U("Hits"), {}, {}}},
        // A keyword on the last line without a line break takes the rest of that line.
        KeywordCase{"x\r\nReleased: 4 May 1998", {{}, {}, {}, U("4 May 1998")}},
        // Both numbers of a year line run together: only digits are kept.
        KeywordCase{"Year: 1998 (2009)\r\n", {{}, {}, U("19982009"), {}}},
        // An empty "artist:" value falls through to the next keyword that gives one.
        KeywordCase{"Artist:\r\nGrupp: Kvist", {U("Kvist"), {}, {}, {}}},
        KeywordCase{"Street date: 2004-03-12 <b>#1</b>", {{}, {}, {}, U("2004-03-12 b1/b")}},
        // Letters stay, whatever their accent; a no-break space is a blank.
        KeywordCase{"Artist: Åsa Öberg Café\u00A0X", {U("Åsa Öberg Café X"), {}, {}, {}}},
        KeywordCase{"Artist: Ça Ñu\u00BF", {U("Ça Ñu"), {}, {}, {}}},
        // A keyword is a whole word: "Artists" holds no "artist".
        KeywordCase{"Various Artists compilation\r\nAlbum: Hits", {{}, U("Hits"), {}, {}}},
        KeywordCase{"Various Artists compilation\r\nArtist Velt", {U("Velt"), {}, {}, {}}},
        KeywordCase{"Released:1998\r\nYearbook 2001", {{}, {}, {}, U("1998")}},
        KeywordCase{"no keywords here", {}}));

struct LineCase {
    const char* line;
    const char* inPattern;
    int ignoreFirst;       // 0: box unchecked
    const char* expected;  // track|artist|title|album
};

class ScanLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ScanLineTest, TakesTheValuesOutOfTheLine) {
    const LineCase& c = GetParam();
    ScanSettings s;
    s.inPattern = U(c.inPattern);
    s.artist = U("Box Artist");
    s.album = U("Box Album");
    s.ignoreFirst = c.ignoreFirst != 0;
    s.ignoreFirstCount = c.ignoreFirst;
    const TagFields v = ScanLine(U(c.line), s, Options());
    EXPECT_EQ(QStringList({v.track, v.artist, v.title, v.album}).join(u'|'), U(c.expected))
        << c.line << " | " << c.inPattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, ScanLineTest,
    testing::Values(
        // The separator after %title is ".mp", which a text line lacks: the title runs on.
        LineCase{"1 - Velt - Golden Hour (3:45)", "%track - %artist - %title.mp3", 0,
                 "01|Velt|Golden Hour (3:45)|Box Album"},
        // A pattern that ends in a placeholder gives it the rest of the line.
        LineCase{"01. Song", "%track. %title", 0, "01|Box Artist|Song|Box Album"},
        LineCase{"01 - Velt Ensemble - Gold - Live", "%track - %artist - %title", 0,
                 "01|Velt Ensemble|Gold - Live|Box Album"},
        LineCase{"Hits / Velt", "%album / %artist", 0, "|Velt||Hits"},
        LineCase{"01. Song", "%track. %title.mp3", 0, "01|Box Artist|Song|Box Album"},
        // Ignore first 3 keeps the line from its 3rd character on.
        LineCase{"01. Song", "%title.mp3", 3, "|Box Artist|. Song|Box Album"},
        LineCase{"5 - Song", "%track - %title.mp3", 0, "05|Box Artist|Song|Box Album"},
        LineCase{"0 - Song", "%track - %title.mp3", 0, "00|Box Artist|Song|Box Album"},
        LineCase{"12 - Song", "%TRACK - %Title.mp3", 0, "12|Box Artist|Song|Box Album"},
        // Placeholders in any order; the album of the line replaces the box's.
        LineCase{"Hits / Velt / Song", "%album / %artist / %title.mp3", 0, "|Velt|Song|Hits"},
        // A separator the line lacks: the value runs to the end, later ones are empty.
        LineCase{"Velt Song", "%artist - %title.mp3", 0, "|Velt Song||Box Album"},
        // A separator right at the start gives an empty value.
        LineCase{"3 -  - Song", "%track - %artist - %title.mp3", 0, "03||Song|Box Album"}));

TEST(ScanText, OverridesFixesAndCleansEachName) {
    Options options;
    options.Change = 3;  // upper case, to see the tag-text clean-up
    ScanSettings s;
    s.inPattern = U("  %track - %artist - %title.mp3 ");
    s.outPattern = U("%track %artist/%title %year? \"%album\"%track.mp3");
    s.artist = U("Box Artist");
    s.album = U("Box Album");
    s.year = U("2004");
    s.album4All = true;
    s.year4All = true;
    s.fixFilenames = true;
    const QStringList names =
        ScanText(U("\r\n1 - velt - song\r\n   \r\n2 - mira - %year"), s, options);
    // The album box wins over the line, the year box fills %year, and a value holding a
    // placeholder is not replaced again.
    EXPECT_EQ(names, QStringList({U("01 VELT SONG 2004 Box Album01.mp3"),
                                  U("02 MIRA %YEAR 2004 Box Album02.mp3")}));
    EXPECT_EQ(ScanText(U(" \r\n \n"), s, options), QStringList());
    EXPECT_EQ(NewNameFromValues(U("  %title "), TagFields()), U("Untitled.mp3"));
}

TEST(ScanText, NewNamesHoldNoControlCharacters) {
    ScanSettings s;
    s.inPattern = U("%track - %title");
    s.outPattern = U("%track - %title.mp3");
    const QString text = U("01\tGolden\tHour\n02 - Salt") + QChar(0) + U("Stone") + QChar(0x0B) +
                         U("\n03 - ") + QChar(0x01);
    const QStringList names = ScanText(text, s, Options());
    EXPECT_EQ(names,
              QStringList({U("01 Golden Hour - .mp3"), U("02 - SaltStone.mp3"), U("03 - .mp3")}));
}

// The same album text saved by the editors people use, loaded and pasted.
TEST(SourceText, EveryEncodingAndBothWaysInGiveTheSameText) {
    const QString text = U("Artist: Beyoncé\u00A0Knowles\r\n1. Niño");
    const auto utf16 = [&text](bool little) {
        QByteArray bytes = little ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (QChar ch : text) {
            const char low = char(ch.unicode() & 0xFF), high = char(ch.unicode() >> 8);
            bytes.append(little ? low : high).append(little ? high : low);
        }
        return bytes;
    };
    const QString removeChars = Options().strRemoveChars;
    const QString expected = U("Artist: Beyoncé Knowles\r\n1. Niño");
    const QList<std::pair<const char*, QByteArray>> files = {
        {"UTF-8", text.toUtf8()},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + text.toUtf8()},
        {"UTF-16LE", utf16(true)},
        {"UTF-16BE", utf16(false)},
        {"Windows-1252", QByteArray("Artist: Beyonc\xE9\xA0Knowles\r\n1. Ni\xF1o")}};
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(SourceTextFromBytes(bytes, removeChars), expected) << name;
    EXPECT_EQ(CleanSourceText(text, removeChars), expected);
    EXPECT_EQ(ReadAlbumInfo(expected).artist, U("Beyoncé Knowles"));
}

TEST(IgnoreCount, AnythingButAPositiveNumberIsZero) {
    const std::pair<const char*, int> cases[] = {
        {"3", 3},  {" 12 ", 12}, {"", 0},   {"x", 0},
        {"-2", 0}, {"0", 0},     {"4a", 4}, {"99999999999", INT_MAX}};
    for (const auto& [box, count] : cases) EXPECT_EQ(IgnoreCount(U(box)), count) << box;
    ScanSettings s;
    s.inPattern = U("%title.mp3");
    s.outPattern = U("%title");
    s.ignoreFirst = s.ignoreLast = true;
    s.ignoreFirstCount = INT_MAX;
    s.ignoreLastCount = INT_MAX;
    EXPECT_EQ(ScanText(U("Song"), s, Options()), QStringList({U("Untitled.mp3")}));
    s.ignoreFirstCount = 0;
    s.ignoreLastCount = 3;
    EXPECT_EQ(ScanText(U("Song (x)"), s, Options()), QStringList({U("Song")}));
}

// A real album description, loaded as the window loads it, with the lines a user selects.
struct AlbumCase {
    const char* file;
    const char* firstTrackLine;
    const char* inPattern;
    int ignoreLast;
    AlbumInfo picked;
    QStringList names;
};

class RealAlbumTest : public testing::TestWithParam<AlbumCase> {};

TEST_P(RealAlbumTest, ScansIntoTheExpectedNames) {
    const AlbumCase& c = GetParam();
    QFile file(QStringLiteral(ZARN_ALBUMS_DIR "/") + U(c.file));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const Options options;
    const QString text = SourceTextFromBytes(file.readAll(), options.strRemoveChars);
    const AlbumInfo info = ReadAlbumInfo(text);
    EXPECT_EQ(info.artist, c.picked.artist);
    EXPECT_EQ(info.album, c.picked.album);
    EXPECT_EQ(info.year, c.picked.year);
    EXPECT_EQ(info.releaseDate, c.picked.releaseDate);

    ScanSettings s;
    s.inPattern = U(c.inPattern);
    s.outPattern = U("%track - %artist - %title.mp3");
    s.ignoreLast = c.ignoreLast > 0;
    s.ignoreLastCount = c.ignoreLast;
    s.artist = info.artist;
    s.album = info.album;
    const QString selected = text.mid(text.indexOf(U(c.firstTrackLine)));
    EXPECT_EQ(ScanText(ScanSource(text, selected), s, options), c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Albums, RealAlbumTest,
    testing::Values(
        AlbumCase{"numbered-cp1252.txt",
                  "01.",
                  "%track. %title.mp3",
                  0,
                  {U("Velt"), U("Harbour Lights"), U("2004"), {}},
                  {U("01 - Velt - Golden Hour.mp3"), U("02 - Velt - Salt and Stone.mp3"),
                   U("03 - Velt - Mr. Lighthouse.mp3"), U("04 - Velt - Sjöman.mp3"),
                   U("05 - Velt - Ferry at 5.mp3"), U("06 - Velt - Low Tide (Reprise).mp3"),
                   U("07 - Velt - Harbour Lights.mp3"), U("08 - Velt - Last Ferry Home.mp3")}},
        // " (3:45)" is cut by "Ignore last 7".
        AlbumCase{"dashed-header.txt",
                  "1 -",
                  "%track - %artist - %title.mp3",
                  7,
                  {U("Various Artists"), U("Northern Nights"), U("1998"), U("4 May 1998")},
                  {U("01 - Velt - Golden Hour.mp3"), U("02 - Mira Sol - Blue Harbour.mp3"),
                   U("03 - The Ashgroves - Night Train.mp3"), U("04 - Velt - Salt and Stone.mp3"),
                   U("05 - Åsa Lind - Midnattssol.mp3")}},
        // The columns are split by tabs in the pattern; "\t3:45" is cut by "Ignore last 5".
        // The header's "Artist" column is what the keyword pick finds for the artist.
        AlbumCase{
            "tabbed-columns.txt",
            "1\t",
            "%track\t%title\t%artist.mp3",
            5,
            {U("Length"), U("Coastline"), U("2011"), {}},
            {U("01 - Velt - Golden Hour.mp3"), U("02 - The Ashgroves - Night Train.mp3"),
             U("03 - Mira Sol - Blue Harbour.mp3"), U("04 - Nora Kvist - Silver Strand.mp3")}}));

}  // namespace

namespace {

// The tag values of a file renamed to "03 - Velt - Harbour.mp3" by "%track - %artist -
// %title.mp3"; the file had an album, a genre (Jazz), a year and a comment before.
struct TagCase {
    const char* what;
    AlbumBoxes boxes;
    const char* outPattern;
    const char* v1;  // track|title|artist|album|year|comment|genre number
    const char* v2;  // track|title|artist|album|year|comment|genre
};

class AlbumTagsTest : public testing::TestWithParam<TagCase> {};

TEST_P(AlbumTagsTest, TakesValuesFromNameAndBoxes) {
    const TagCase& c = GetParam();
    AlbumFileTags old;
    PackID3v1Texts(old.v1, {U("Old Title"), U("Old Artist"), U("Old Album"), U("Old Comment")},
                   false);
    old.v1.Year = TextField(U("1990"), 4);
    old.v1.Genre = QByteArray(1, char(8));
    old.v2.Album = U("Old Album");
    old.v2.Genre = U("Jazz");
    old.v2.Year = U("1990");
    old.v2.Comment = U("Old Comment");
    old.v2.Hidden = QByteArray("PRIV\0\0\0\x02\0\0ab", 12);
    const AlbumFileTags t =
        AlbumTags(U("/m/03 - Velt - Harbour.mp3"), U(c.outPattern), c.boxes, old, Options());
    const ID3v1Texts v1 = UnpackID3v1Texts(t.v1, false);
    const QString v1Values =
        QStringList({QString::number(uchar(t.v1.Track.at(0))), v1.title, v1.artist, v1.album,
                     FieldText(t.v1.Year), v1.comment, QString::number(uchar(t.v1.Genre.at(0)))})
            .join(u'|');
    const QString v2Values = QStringList({t.v2.Track, t.v2.Title, t.v2.Artist, t.v2.Album,
                                          t.v2.Year, t.v2.Comment, t.v2.Genre})
                                 .join(u'|');
    EXPECT_EQ(v1Values, U(c.v1)) << c.what;
    EXPECT_EQ(v2Values, U(c.v2)) << c.what;
    EXPECT_EQ(t.v2.Hidden, old.v2.Hidden) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Tags, AlbumTagsTest,
    testing::Values(
        TagCase{"values the name does not hold stay",
                {},
                "%track - %artist - %title.mp3",
                "3|Harbour|Velt|Old Album|1990|Old Comment|8",
                "03|Harbour|Velt|Old Album|1990|Old Comment|Jazz"},
        TagCase{"use for all",
                {U("Box Artist"), U("Hits"), U("2004"), U("Rock"), U("12 May"), true, true, true,
                 true, true},
                "%track - %artist - %title.mp3",
                "3|Harbour|Box Artist|Hits|2004|12 May|17",
                "03|Harbour|Box Artist|Hits|2004|12 May|(17)Rock"},
        TagCase{"a genre outside the table",
                {{}, {}, {}, U("Polka Punk"), {}, false, false, false, true, false},
                "%track - %artist - %title.mp3",
                "3|Harbour|Velt|Old Album|1990|Old Comment|0",
                "03|Harbour|Velt|Old Album|1990|Old Comment|(0)Polka Punk"},
        TagCase{"an empty genre for all",
                {{}, {}, {}, {}, {}, false, false, false, true, false},
                "%track - %artist - %title.mp3",
                "3|Harbour|Velt|Old Album|1990|Old Comment|255",
                "03|Harbour|Velt|Old Album|1990|Old Comment|"},
        // The name read by another pattern: the album from the name, the track is no number.
        TagCase{"other pattern",
                {},
                "%album - %artist - %title.mp3",
                "0|Harbour|Velt|03|1990|Old Comment|8",
                "|Harbour|Velt|03|1990|Old Comment|Jazz"}));

}  // namespace
