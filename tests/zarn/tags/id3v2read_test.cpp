#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/zarn/tags/recordingprompter.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

using mp3::V2Frame;
using mp3::V2TextFrame;

const QByteArray kNul(1, '\0');

class ReadID3v2Test : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    RecordingPrompter prompter;

    ID3v2Record read(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("t.mp3"));
        EXPECT_TRUE(mp3::WriteFile(path, bytes));
        return ReadID3v2(path, &prompter);
    }
};

TEST_F(ReadID3v2Test, AllTwelveFields) {
    const QByteArray apic = V2Frame("APIC", QByteArray("\0image/png\0\x03\0PNGDATA", 22));
    const QList<QByteArray> frames = {V2TextFrame("TIT2", "Title"),
                                      V2TextFrame("TPE1", "Artist"),
                                      V2TextFrame("TALB", "Album"),
                                      V2TextFrame("TYER", "2001"),
                                      V2Frame("COMM", kNul + "eng" + kNul + "Comment"),
                                      V2TextFrame("TCON", "(17)"),
                                      V2TextFrame("TRCK", "3/12"),
                                      V2TextFrame("TCOM", "Composer"),
                                      V2TextFrame("TOPE", "Orig"),
                                      V2TextFrame("TCOP", "(c) 2001"),
                                      V2Frame("WXXX", kNul + kNul + "http://u"),
                                      V2TextFrame("TENC", "Enc"),
                                      apic};
    const ID3v2Record r = read(mp3::ID3v2Tag(frames, 50) + mp3::Audio(3));
    EXPECT_EQ(r.Tag, "ID3");
    EXPECT_EQ(r.Version, u"3.0"_qs);
    EXPECT_EQ(r.Title, u"Title"_qs);
    EXPECT_EQ(r.Artist, u"Artist"_qs);
    EXPECT_EQ(r.Album, u"Album"_qs);
    EXPECT_EQ(r.Year, u"2001"_qs);
    EXPECT_EQ(r.Comment, u"Comment"_qs);
    EXPECT_EQ(r.Genre, u"Rock"_qs);
    EXPECT_EQ(r.Track, u"3/12"_qs);
    EXPECT_EQ(r.Composer, u"Composer"_qs);
    EXPECT_EQ(r.OrigArtist, u"Orig"_qs);
    EXPECT_EQ(r.Copyright, u"(c) 2001"_qs);
    EXPECT_EQ(r.URL, u"http://u"_qs);
    EXPECT_EQ(r.Encoder, u"Enc"_qs);
    // The picture, without the padding.
    EXPECT_EQ(r.Hidden, apic);
    EXPECT_TRUE(prompter.criticals.isEmpty());
}

TEST_F(ReadID3v2Test, GenreRules) {
    struct Case {
        QByteArray tcon;
        QString genre;
    };
    const Case cases[] = {
        {"(17)", u"Rock"_qs},
        {"(17)Rock", u"Rock"_qs},
        {"(17)rock", u"Rock"_qs},
        {"(17)Jazz", u"Jazz"_qs},
        {"(255)", u"Unknown"_qs},
        {"(148)", u"Unknown"_qs},
        {"Rock", u"Rock"_qs},
        {"17", u"Rock"_qs},
        {"Chiptune", u"Chiptune"_qs},
        {"(RX)", u"Remix"_qs},
        {"(CR)", u"Cover"_qs},
        {"((Weird)", u"(Weird)"_qs},
        {QByteArray("17\0Rock", 7), u"Rock"_qs},
        {QByteArray("Rock\0Pop", 8), u"Rock / Pop"_qs},
        {"(0)Chiptune", u"Chiptune"_qs},
        {"(x)", {}},
        {"(x)Folk ", u"Folk"_qs},
        {"()", {}},
        {"(0)", u"Blues"_qs},
        {"(256)", {}},
        {"(99999999999999999999)", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tcon.constData());
        const ID3v2Record r = read(mp3::ID3v2Tag(
            {V2TextFrame("TCON", c.tcon), V2TextFrame("TCOM", "After"), V2TextFrame("XTRA", "h")}));
        EXPECT_EQ(r.Genre, c.genre);
        // A genre number that names nothing must not stop the fields read after it.
        EXPECT_EQ(r.Composer, u"After"_qs);
        EXPECT_EQ(r.Hidden, V2TextFrame("XTRA", "h"));
    }
    EXPECT_TRUE(prompter.criticals.isEmpty());
}

TEST_F(ReadID3v2Test, HiddenFrames) {
    const QByteArray comm1 = V2Frame("COMM", kNul + "eng" + kNul + "first");
    const QByteArray comm2 = V2Frame("COMM", kNul + "eng" + "d" + kNul + "second");
    ID3v2Record r = read(mp3::ID3v2Tag({V2TextFrame("TIT2", "T")}, 100));
    EXPECT_TRUE(r.Hidden.isEmpty());
    r = read(mp3::ID3v2Tag({comm1, V2TextFrame("TIT2", "T"), comm2}, 4));
    EXPECT_EQ(r.Comment, u"first"_qs);
    EXPECT_EQ(r.Hidden, comm2);
}

TEST_F(ReadID3v2Test, FilesOfEarlierBuildsWithSyncsafeSizes) {
    // A 3.0 header over frames of 128 bytes and more with syncsafe sizes, as earlier builds
    // wrote them (each frame they made begins with text encoding 0).
    const QByteArray title(200, 't'), comment(150, 'c'), picture = kNul + QByteArray(300, '\x42');
    const QByteArray apic = V2Frame("APIC", picture);
    const QString path = dir.filePath(QStringLiteral("old.mp3"));
    ASSERT_TRUE(mp3::WriteFile(path, mp3::ID3v2Tag({V2TextFrame("TIT2", title),
                                                    V2Frame("COMM", kNul + "eng" + kNul + comment),
                                                    apic, V2TextFrame("TPE1", "Artist")},
                                                   400) +
                                         mp3::Audio(3)));
    ID3v2Record r = ReadID3v2(path);
    EXPECT_EQ(r.Title, QString::fromLatin1(title));
    EXPECT_EQ(r.Comment, QString::fromLatin1(comment));
    EXPECT_EQ(r.Artist, u"Artist"_qs);
    EXPECT_EQ(r.Hidden, V2Frame("APIC", picture, false));
    // Saved again, every size is a plain number.
    r.Album = u"Album"_qs;
    ASSERT_TRUE(WriteTags(path, {}, r, -1, 1));
    const QByteArray saved = mp3::ReadFile(path);
    EXPECT_EQ(saved.mid(10, 8), QByteArray("TIT2\0\0\0\xC9", 8));
    EXPECT_TRUE(saved.contains(V2Frame("APIC", picture, false)));
    EXPECT_EQ(ReadID3v2(path).Title, QString::fromLatin1(title));
}

TEST_F(ReadID3v2Test, NoTagTruncatedTagAndMissingFile) {
    ID3v2Record r = read(mp3::Audio(2));
    EXPECT_EQ(r.Tag, QByteArray(3, '\0'));
    EXPECT_TRUE(r.Version.isEmpty());
    r = read("ID");
    EXPECT_EQ(r.Tag, QByteArray(3, '\0'));
    // The header announces more than the file holds: read what is there.
    const QByteArray tag = mp3::ID3v2Tag({V2TextFrame("TIT2", "Cut"), V2TextFrame("TPE1", "Me")});
    r = read(tag.left(tag.size() - 3));
    EXPECT_EQ(r.Tag, "ID3");
    EXPECT_EQ(r.Title, u"Cut"_qs);
    r = ReadID3v2(dir.filePath(QStringLiteral("gone.mp3")), &prompter);
    EXPECT_EQ(r.Tag, QByteArray(3, '\0'));
    EXPECT_TRUE(prompter.criticals.isEmpty());
    // A tag of version 4.1 shows its own version.
    QByteArray v4 = mp3::ID3v2Tag({V2TextFrame("TIT2", "x")}, 0, 4);
    v4[4] = 1;
    EXPECT_EQ(read(v4).Version, u"4.1"_qs);
}

TEST_F(ReadID3v2Test, UnreadablePathReportsError) {
    const ID3v2Record r = ReadID3v2(dir.path(), &prompter);
    EXPECT_EQ(r.Tag, QByteArray(3, '\0'));
    ASSERT_EQ(prompter.criticals.size(), 1);
    EXPECT_TRUE(prompter.criticals[0].startsWith(QStringLiteral("Error: ")));
}

}  // namespace
