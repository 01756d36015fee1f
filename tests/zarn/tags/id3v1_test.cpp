#include "zarn/tags/id3v1.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/zarn/tags/recordingprompter.h"
#include "zarn/shell/cp1252.h"
#include "zarn/tags/genres.h"

namespace {

class ID3v1Test : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    RecordingPrompter prompter;

    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(mp3::WriteFile(path, bytes));
        return path;
    }
};

const QByteArray kAudio = mp3::Audio(4);

TEST_F(ID3v1Test, ReadsFieldsOfBothVersions) {
    struct Case {
        const char* name;
        mp3::V1 tag;
        QByteArray comment, track;
    };
    const QByteArray c30 = "123456789012345678901234567890";
    const Case cases[] = {
        {"v1.0 keeps 30 comment bytes", {"T", "A", "B", "1999", c30, -1, 17}, c30, {"\0", 1}},
        {"v1.1 hides the track byte",
         {"T", "A", "B", "1999", "hello", 7, 17},
         QByteArray("hello") + QByteArray(25, '\0'),
         "\x07"},
        {"track 0 is v1.1 without track",
         {"T", "A", "B", "", "x", 0, 255},
         QByteArray("x") + QByteArray(29, '\0'),
         {"\0", 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ID3v1Record r =
            ReadID3v1(file(QStringLiteral("a.mp3"), kAudio + mp3::ID3v1Tag(c.tag)));
        EXPECT_EQ(r.Tag, "TAG");
        EXPECT_EQ(r.Title, QByteArray("T") + QByteArray(29, '\0'));
        EXPECT_EQ(r.Year.size(), 4);
        EXPECT_EQ(r.Comment, c.comment);
        EXPECT_EQ(r.Track, c.track);
        EXPECT_EQ(uchar(r.Genre.at(0)), uchar(c.tag.genre));
    }
    EXPECT_TRUE(prompter.criticals.isEmpty());
}

TEST_F(ID3v1Test, ReadWithoutTagOrFile) {
    const ID3v1Record none = ReadID3v1(file(QStringLiteral("n.mp3"), kAudio), &prompter);
    EXPECT_EQ(none.Tag, QByteArray(3, '\0'));
    EXPECT_EQ(none.Genre, "\xFF");
    const ID3v1Record missing = ReadID3v1(dir.filePath(QStringLiteral("gone.mp3")), &prompter);
    EXPECT_EQ(missing.Tag, QByteArray(3, '\0'));
    EXPECT_EQ(missing.Genre, QByteArray(1, '\0'));
    EXPECT_TRUE(prompter.criticals.isEmpty());
}

// A file shorter than a tag simply has none: no error on reading, the tag appended on writing.
TEST_F(ID3v1Test, ShortFileHasNoTagAndGetsOne) {
    const QString path = file(QStringLiteral("short.mp3"), QByteArray(100, 'x'));
    EXPECT_EQ(ReadID3v1(path, &prompter).Tag, QByteArray(3, '\0'));
    ID3v1Record tag;
    tag.Title = TextField(QStringLiteral("Short"), 30);
    EXPECT_TRUE(WriteID3v1(path, tag, &prompter));
    EXPECT_TRUE(prompter.criticals.isEmpty());
    EXPECT_EQ(mp3::ReadFile(path), QByteArray(100, 'x') + ID3v1Block(tag));
    EXPECT_EQ(FieldText(ReadID3v1(path, &prompter).Title), QStringLiteral("Short"));
}

TEST_F(ID3v1Test, WriteAppendsThenOverwrites) {
    const QString path = file(QStringLiteral("w.mp3"), kAudio);
    ID3v1Record tag;
    tag.Title = TextField(QStringLiteral("Song"), 30);
    tag.Comment = TextField(QStringLiteral("c"), 30);
    tag.Genre = QByteArray(1, char(17));
    ASSERT_TRUE(WriteID3v1(path, tag));
    EXPECT_EQ(mp3::ReadFile(path).size(), kAudio.size() + 128);
    tag.Track = QByteArray(1, char(5));
    ASSERT_TRUE(WriteID3v1(path, tag));
    const QByteArray bytes = mp3::ReadFile(path);
    ASSERT_EQ(bytes.size(), kAudio.size() + 128);
    EXPECT_EQ(bytes.left(kAudio.size()), kAudio);
    const ID3v1Record back = ReadID3v1(path);
    EXPECT_EQ(FieldText(back.Title), QStringLiteral("Song"));
    EXPECT_EQ(back.Track, "\x05");
    EXPECT_EQ(GenreName(FromCp1252(back.Genre)), QStringLiteral("Rock"));
}

TEST_F(ID3v1Test, WriteToMissingFileFailsWithoutCreatingIt) {
    const QString path = dir.filePath(QStringLiteral("gone.mp3"));
    EXPECT_FALSE(WriteID3v1(path, ID3v1Record(), &prompter));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(prompter.criticals.size(), 1);
    EXPECT_TRUE(prompter.criticals[0].startsWith(QStringLiteral("Error: 53\n")));
}

TEST(ID3v1Block, TrackDecidesTheVersion) {
    ID3v1Record tag;
    tag.Comment = QByteArray(30, 'c');
    tag.Genre = "\xFF";
    QByteArray block = ID3v1Block(tag);
    ASSERT_EQ(block.size(), 128);
    EXPECT_EQ(block.mid(97, 30), QByteArray(30, 'c'));
    tag.Track = "\x0C";
    block = ID3v1Block(tag);
    ASSERT_EQ(block.size(), 128);
    EXPECT_EQ(block.mid(97, 28), QByteArray(28, 'c'));
    EXPECT_EQ(block.mid(125, 3), QByteArray("\0\x0C\xFF", 3));
    // Fields of the wrong width behave like fixed-length fields: blanks fill, excess is cut.
    tag.Title = "ab";
    tag.Year = "199999";
    block = ID3v1Block(tag);
    EXPECT_EQ(block.mid(3, 30), QByteArray("ab") + QByteArray(28, ' '));
    EXPECT_EQ(block.mid(93, 4), "1999");
}

TEST(ID3v1Text, FieldConversions) {
    EXPECT_EQ(PadField("abc", 5, '\0'), QByteArray("abc\0\0", 5));
    EXPECT_EQ(PadField("abcdef", 4, '\0'), "abcd");
    EXPECT_EQ(FieldText(QByteArray("Caf\xE9\0x", 6)), QStringLiteral("Café"));
    EXPECT_EQ(FieldText("\x80 no NUL"), QStringLiteral("€ no NUL"));
    EXPECT_EQ(TextField(QStringLiteral("Łódź"), 6), QByteArray("?\xF3"
                                                               "d?\0\0",
                                                               6));
}

// Title and artist beyond 30 characters ride in the comment and album fields.
TEST(ID3v1Packing, RoundTrips) {
    const QString title59 = QString(59, u'T').replace(30, 1, u'x');
    struct Case {
        const char* name;
        ID3v1Texts in;
        bool track;  // written as ID3v1.1, which cuts the comment to 28
        ID3v1Texts out;
    };
    const Case cases[] = {
        {"59-char title, empty comment",
         {title59, u"A"_qs, u""_qs, u""_qs},
         false,
         {title59, u"A"_qs, u""_qs, u""_qs}},
        {"45-char title with comment",
         {title59.left(45), u"A"_qs, u"Alb"_qs, u"Good"_qs},
         false,
         {title59.left(45), u"A"_qs, u"Alb"_qs, u"Good"_qs}},
        {"long artist and album",
         {u"T"_qs, QString(40, u'a'), u"Album"_qs, u""_qs},
         true,
         {u"T"_qs, QString(40, u'a'), u"Album"_qs, u""_qs}},
        {"track cuts the continuation",
         {title59, u""_qs, u""_qs, u""_qs},
         true,
         {title59.left(57), u""_qs, u""_qs, u""_qs}},
        {"blanks are trimmed",
         {u"  T  "_qs, u" A"_qs, u"B "_qs, u" c "_qs},
         false,
         {u"T"_qs, u"A"_qs, u"B"_qs, u"c"_qs}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ID3v1Record tag;
        PackID3v1Texts(tag, c.in, true);
        if (c.track) tag.Track = "\x03";
        QByteArray block = ID3v1Block(tag);
        ID3v1Record read;  // as the reader fills it
        read.Title = block.mid(3, 30);
        read.Artist = block.mid(33, 30);
        read.Album = block.mid(63, 30);
        read.Comment = c.track ? block.mid(97, 29) + '\0' : block.mid(97, 30);
        const ID3v1Texts out = UnpackID3v1Texts(read, true);
        EXPECT_EQ(out.title, c.out.title);
        EXPECT_EQ(out.artist, c.out.artist);
        EXPECT_EQ(out.album, c.out.album);
        EXPECT_EQ(out.comment, c.out.comment);
    }
}

TEST(ID3v1Packing, LayoutAndPlainReading) {
    const QString title = QString(30, u'a') + QString(15, u'b');
    ID3v1Record tag;
    PackID3v1Texts(tag, {title, u""_qs, u""_qs, u"cmnt"_qs}, true);
    EXPECT_EQ(tag.Title, QByteArray(30, 'a'));
    EXPECT_EQ(tag.Comment,
              "cmnt" + QByteArray(1, '\0') + QByteArray(15, 'b') + QByteArray(10, '\0'));
    // Read with the setting off, the title stops at 30 and the comment is its own text.
    ID3v1Texts plain = UnpackID3v1Texts(tag, false);
    EXPECT_EQ(plain.title, QString(30, u'a'));
    EXPECT_EQ(plain.comment, u"cmnt"_qs);
    // Off when writing: each field holds its own text only.
    PackID3v1Texts(tag, {title, u""_qs, u""_qs, u"cmnt"_qs}, false);
    EXPECT_EQ(tag.Comment, "cmnt" + QByteArray(26, '\0'));
    // An ordinary 28-character v1.1 comment (first NUL at 29) adds nothing to the title.
    tag.Comment = QByteArray(28, 'k') + QByteArray(2, '\0');
    plain = UnpackID3v1Texts(tag, true);
    EXPECT_EQ(plain.title, QString(30, u'a'));
    EXPECT_EQ(plain.comment, QString(28, u'k'));
}

TEST(Genres, NamesAndNumbers) {
    struct Case {
        int code;
        const char16_t* name;
    };
    for (const Case& c :
         {Case{0, u"Blues"}, Case{17, u"Rock"}, Case{40, u"Alt. Rock"}, Case{85, u"Bebob"},
          Case{147, u"Synthpop"}, Case{148, u"Unknown"}, Case{255, u"Unknown"}}) {
        EXPECT_EQ(GenreName(FromCp1252(QByteArray(1, char(c.code)))), QString::fromUtf16(c.name))
            << c.code;
    }
    EXPECT_EQ(GenreName(QString()), QString());
    EXPECT_EQ(GenreTable().size(), 148);
    EXPECT_EQ(GenreNumber(u"Rock"_qs), 17);
    EXPECT_EQ(GenreNumber(u"rock"_qs), 0);
    EXPECT_EQ(GenreNumber(u"Unknown"_qs), 0);
    EXPECT_EQ(GenreNumber(QString()), 255);
    EXPECT_EQ(GenreNumber(u"Synthpop"_qs), 147);
}

TEST_F(ID3v1Test, GenreOfFile) {
    mp3::V1 v1;
    v1.genre = 32;
    EXPECT_EQ(GenreOfFile(file(QStringLiteral("g.mp3"), kAudio + mp3::ID3v1Tag(v1))),
              u"Classical"_qs);
    EXPECT_EQ(GenreOfFile(file(QStringLiteral("n.mp3"), kAudio)), u"Unknown"_qs);
    // Without an ID3v1 genre the first ID3v2 genre names the folder.
    const auto v2 = [](const QByteArray& genre) {
        return mp3::ID3v2Tag({mp3::V2TextFrame("TCON", genre, false)}, 8);
    };
    EXPECT_EQ(GenreOfFile(file(QStringLiteral("v2.mp3"), v2("(17)Rock") + kAudio)), u"Rock"_qs);
    EXPECT_EQ(GenreOfFile(file(QStringLiteral("two.mp3"),
                               v2(QByteArray("Jazz\0Pop", 8)) + kAudio + mp3::ID3v1Tag({}))),
              u"Jazz"_qs);
    EXPECT_EQ(
        GenreOfFile(file(QStringLiteral("both.mp3"), v2("Jazz") + kAudio + mp3::ID3v1Tag(v1))),
        u"Classical"_qs);
    EXPECT_EQ(GenreOfFile(dir.filePath(QStringLiteral("gone.mp3"))), QString());
}

}  // namespace
