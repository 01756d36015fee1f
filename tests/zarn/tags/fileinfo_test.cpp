#include "zarn/tags/fileinfo.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"

namespace {

QByteArray Fill(qint64 size) {
    return QByteArray(size, '\x55');
}

// An ID3v2 tag of exactly `total` bytes (header included) holding a title frame and padding.
QByteArray V2TagOfTotal(int total) {
    const QByteArray frame = mp3::V2TextFrame("TIT2", "Title");
    return mp3::ID3v2Tag({frame}, total - 10 - int(frame.size()));
}

mp3::V1 V1WithTrack(int track) {
    mp3::V1 v1;
    v1.title = "T1";
    v1.track = track;
    return v1;
}

class FileInfoTest : public ::testing::Test {
  protected:
    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("a.mp3")) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(mp3::WriteFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(FileInfoTest, FourMillionByteExample) {
    const QByteArray v2 = V2TagOfTotal(1034);
    const QByteArray v1 = mp3::ID3v1Tag(V1WithTrack(1));
    QByteArray audio = mp3::Audio(9000);
    audio += Fill(4000000 - v2.size() - v1.size() - audio.size());
    const FileInfo info = ReadFileInfo(Write(v2 + audio + v1), false);
    ASSERT_EQ(info.fileLength, 4000000);
    EXPECT_TRUE(info.exists);
    EXPECT_FALSE(info.readError);
    EXPECT_EQ(info.txtfLength, u"Length: 249 s");
    EXPECT_EQ(info.txtfHeader, u"Header: 1034b");
    EXPECT_EQ(info.txtfType, u"MPEG 1.0 layer 3 ID3v1: 1.1 ID3v2: 3.0");
    EXPECT_EQ(info.txtfkBit, u"128kbps");
    EXPECT_EQ(info.txtfQuality, u"44100Hz Stereo");
    EXPECT_EQ(info.txtfSize, u"Size: 4000000b");
    EXPECT_EQ(info.lblFileSize, u"File size: 3906 Kb");
    EXPECT_EQ(info.txtfCopyrighted, u"Copyrighted: No");
    EXPECT_EQ(info.txtfOriginal, u"Original: No");
    EXPECT_EQ(info.txtfCRCs, u"CRCs: No");
    EXPECT_EQ(info.txtfEmphasis, u"Emphasis: None");
    EXPECT_EQ(info.frameLength, 418);
    EXPECT_EQ(info.ID3v1Mark, u"1");
    EXPECT_EQ(info.ID3v2Mark, u"1");
}

TEST_F(FileInfoTest, LabelsFollowTheFirstHeaderFound) {
    mp3::FrameSpec mpeg2;
    mpeg2.version = 2;
    mpeg2.layer = 2;
    mpeg2.bitrateIndex = 12;  // 128 kbit/s
    mpeg2.sampleRateIndex = 1;
    mpeg2.padding = true;
    mpeg2.channelMode = 3;
    mpeg2.protection = true;
    mpeg2.copyright = true;
    mpeg2.original = true;
    mpeg2.emphasis = 3;
    mpeg2.length = 769;
    mp3::FrameSpec freeFormat;
    freeFormat.bitrateIndex = 0;
    const QByteArray tag = V2TagOfTotal(300);
    const struct {
        const char* name;
        QByteArray bytes;
        const char16_t *type, *kbit, *quality, *length, *header;
    } cases[] = {
        // 100 frames of 418 bytes: 41,800 / 418 / 38.4 = 2.6
        {"no tags", mp3::Audio(100, {.length = 418}), u"MPEG 1.0 layer 3", u"128kbps",
         u"44100Hz Stereo", u"Length: 3 s", u"Header: 0b"},
        {"audio right behind the tag", tag + mp3::Audio(100, {.length = 418}),
         u"MPEG 1.0 layer 3 ID3v2: 3.0", u"128kbps", u"44100Hz Stereo", u"Length: 3 s",
         u"Header: 300b"},
        {"junk before the audio", tag + Fill(123) + mp3::Audio(3), u"MPEG 1.0 layer 3 ID3v2: 3.0",
         u"128kbps", u"44100Hz Stereo", u"Length: 0 s", u"Header: 423b"},
        // 144 x 128000 / 24000 + 1 = 769; 100 x 769 bytes / 769 / 38.4 = 2.6
        {"MPEG 2 layer 2", mp3::Audio(100, mpeg2), u"MPEG 2.0 layer 2", u"128kbps", u"24000Hz Mono",
         u"Length: 3 s", u"Header: 0b"},
        {"free format", mp3::Audio(10, freeFormat), u"MPEG 1.0 layer 3", u"freekbps",
         u"44100Hz Stereo", u"", u"Header: 0b"},
        {"MPEG 2.5 at the end", Fill(50) + QByteArray("\xFF\xE3\x90\x00", 4), u"MPEG 2.5 layer 3",
         u"80kbps", u"11025Hz Stereo", u"Length: 0 s", u"Header: 50b"},
        // Neither header passes the search: no audio was found, and the last bytes of the file
        // are not shown as if they were a header.
        {"bad bitrate at the end", Fill(50) + QByteArray("\xFF\xFB\xF0\x00", 4), u"", u"", u"", u"",
         u""},
        {"version unknown at the end", Fill(20) + QByteArray("\xFF\xE9\x90\x00", 4), u"", u"", u"",
         u"", u""},
        {"ID3v1.1 with track 0", mp3::Audio(2) + mp3::ID3v1Tag(V1WithTrack(0)),
         u"MPEG 1.0 layer 3 ID3v1: 1.0", u"128kbps", u"44100Hz Stereo", u"Length: 0 s",
         u"Header: 0b"},
        {"ID3v1.0", mp3::Audio(2) + mp3::ID3v1Tag(V1WithTrack(-1)), u"MPEG 1.0 layer 3 ID3v1: 1.0",
         u"128kbps", u"44100Hz Stereo", u"Length: 0 s", u"Header: 0b"},
        {"both tags", mp3::ID3v2Tag({}, 0, 4) + mp3::Audio(2) + mp3::ID3v1Tag(V1WithTrack(7)),
         u"MPEG 1.0 layer 3 ID3v1: 1.1 ID3v2: 4.0", u"128kbps", u"44100Hz Stereo", u"Length: 0 s",
         u"Header: 10b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileInfo info = ReadFileInfo(Write(c.bytes), false);
        EXPECT_EQ(info.txtfType, QString::fromUtf16(c.type));
        EXPECT_EQ(info.txtfkBit, QString::fromUtf16(c.kbit));
        EXPECT_EQ(info.txtfQuality, QString::fromUtf16(c.quality));
        EXPECT_EQ(info.txtfLength, QString::fromUtf16(c.length));
        EXPECT_EQ(info.txtfHeader, QString::fromUtf16(c.header));
    }
}

TEST_F(FileInfoTest, FlagLabels) {
    mp3::FrameSpec shape;
    shape.protection = true;
    shape.copyright = true;
    shape.original = true;
    shape.emphasis = 1;
    const FileInfo info = ReadFileInfo(Write(mp3::Audio(2, shape)), false);
    EXPECT_EQ(info.txtfCopyrighted, u"Copyrighted: Yes");
    EXPECT_EQ(info.txtfOriginal, u"Original: Yes");
    EXPECT_EQ(info.txtfCRCs, u"CRCs: Yes");
    EXPECT_EQ(info.txtfEmphasis, u"Emphasis: 50/15 micros");
}

TEST_F(FileInfoTest, FileSizeInKilobytesRoundsHalvesToEven) {
    const struct {
        qint64 size;
        const char16_t* text;
    } cases[] = {{1536, u"File size: 2 Kb"}, {2560, u"File size: 2 Kb"}, {3584, u"File size: 4 Kb"},
                 {511, u"File size: 0 Kb"},  {513, u"File size: 1 Kb"},  {0, u"File size: 0 Kb"}};
    for (const auto& c : cases) {
        const FileInfo info = ReadFileInfo(Write(Fill(c.size)), false);
        EXPECT_EQ(info.lblFileSize, QString::fromUtf16(c.text)) << c.size;
        EXPECT_EQ(info.txtfSize, QStringLiteral("Size: %1b").arg(c.size));
    }
}

TEST_F(FileInfoTest, ID3v1Boxes) {
    mp3::V1 v1;
    v1.title = "Title";
    v1.artist = "Artist";
    v1.album = "Album";
    v1.year = "1999";
    v1.comment = "Comment";
    v1.track = 12;
    v1.genre = 17;
    FileInfo info = ReadFileInfo(Write(mp3::Audio(1) + mp3::ID3v1Tag(v1)), false);
    EXPECT_EQ(info.txtTitle, u"Title");
    EXPECT_EQ(info.txtArtist, u"Artist");
    EXPECT_EQ(info.txtAlbum, u"Album");
    EXPECT_EQ(info.txtYear, u"1999");
    EXPECT_EQ(info.txtComments, u"Comment");
    EXPECT_EQ(info.txtTrackNr, u"12");
    EXPECT_EQ(info.cmbGenre, u"Rock");
    EXPECT_EQ(info.ID3v2Mark, u"0");

    v1.track = -1;  // ID3v1.0: all 30 comment bytes, no track
    v1.comment = QByteArray(30, 'c');
    v1.genre = 255;
    info = ReadFileInfo(Write(mp3::Audio(1) + mp3::ID3v1Tag(v1)), false);
    EXPECT_EQ(info.txtComments, QString(30, u'c'));
    EXPECT_EQ(info.txtTrackNr, u"");
    EXPECT_EQ(info.cmbGenre, u"Unknown");
}

TEST_F(FileInfoTest, OptimizedID3v1JoinsLongTitles) {
    const QByteArray title = "A title that is longer than thirty characters, 59 in all!!!";
    ASSERT_EQ(title.size(), 59);
    mp3::V1 v1;
    v1.title = title.left(30);
    v1.comment = QByteArray(1, '\0') + title.mid(30);  // NUL, then characters 31..59
    const QString path = Write(mp3::Audio(1) + mp3::ID3v1Tag(v1));
    EXPECT_EQ(ReadFileInfo(path, true).txtTitle, QString::fromLatin1(title));
    EXPECT_EQ(ReadFileInfo(path, true).txtComments, u"");
    EXPECT_EQ(ReadFileInfo(path, false).txtTitle, QString::fromLatin1(title.left(30)));
}

TEST_F(FileInfoTest, ID3v2BoxesAndHiddenFrames) {
    const QByteArray picture = mp3::V2Frame("APIC", QByteArray("\0image/png\0\3\0PNGDATA", 21));
    const QByteArray tag =
        mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "Song"), mp3::V2TextFrame("TPE1", "Band"),
                       mp3::V2TextFrame("TCON", "(17)"),
                       mp3::V2Frame("COMM", QByteArray("\0engdesc\0A comment", 18)), picture},
                      40);
    const FileInfo info = ReadFileInfo(Write(tag + mp3::Audio(3)), false);
    EXPECT_EQ(info.ID3v2Mark, u"1");
    EXPECT_EQ(info.ID3v1Mark, u"0");
    EXPECT_EQ(info.txtV2Title, u"Song");
    EXPECT_EQ(info.txtV2Artist, u"Band");
    EXPECT_EQ(info.cmbV2Genre, u"Rock");
    EXPECT_EQ(info.txtV2Comments, u"A comment");
    EXPECT_TRUE(info.HiddenFrames.startsWith(picture));
    EXPECT_EQ(info.txtTitle, u"");
    EXPECT_EQ(info.txtfHeader, QStringLiteral("Header: %1b").arg(tag.size()));
}

TEST_F(FileInfoTest, MissingAndUnreadablePaths) {
    const FileInfo missing = ReadFileInfo(dir.filePath(QStringLiteral("gone.mp3")), false);
    EXPECT_FALSE(missing.exists);
    EXPECT_EQ(missing.txtfType, u"");

    const FileInfo folder = ReadFileInfo(dir.path(), false);
    EXPECT_TRUE(folder.exists);
    EXPECT_TRUE(folder.readError);
    EXPECT_EQ(folder.txtfType, u"");
    EXPECT_EQ(folder.ID3v1Mark, u"0");
    EXPECT_EQ(folder.ID3v2Mark, u"0");
}

TEST_F(FileInfoTest, DamagedFilesGiveSaneValues) {
    // An ID3v2 header that claims more bytes than the file has.
    QByteArray oversized = mp3::ID3v2Tag({}, 0);
    oversized.replace(6, 4, mp3::Syncsafe(5000));
    // An ID3v2 tag that claims 30 bytes it does not have, so that it reaches into the ID3v1
    // tag, whose comment holds an audio header: no audio bytes remain.
    QByteArray overlap = mp3::ID3v2Tag({}, 0);
    overlap.replace(6, 4, mp3::Syncsafe(30));
    mp3::V1 v1;
    v1.comment = mp3::FrameHeader({});
    overlap += mp3::ID3v1Tag(v1);
    const struct {
        const char* name;
        QByteArray bytes;
        const char16_t *length, *header, *type;
        bool v1, v2;
    } cases[] = {
        // Without a frame header nothing about the audio is shown, not a made-up stream.
        {"empty file", QByteArray(), u"", u"", u"", false, false},
        {"shorter than an ID3v1 tag", QByteArray("TAG", 3), u"", u"", u"", false, false},
        {"no frame at all", QByteArray(3000, '\x55') + mp3::ID3v1Tag({}), u"", u"", u"ID3v1: 1.0",
         true, false},
        {"tag larger than the file", oversized + mp3::Audio(1), u"", u"", u"ID3v2: 3.0", false,
         true},
        {"header inside the ID3v1 tag", overlap, u"Length: 0 s", u"Header: 107b",
         u"MPEG 1.0 layer 3 ID3v1: 1.0 ID3v2: 3.0", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileInfo info = ReadFileInfo(Write(c.bytes), false);
        EXPECT_TRUE(info.exists);
        EXPECT_FALSE(info.readError);
        EXPECT_EQ(info.txtfLength, QString::fromUtf16(c.length));
        EXPECT_EQ(info.txtfHeader, QString::fromUtf16(c.header));
        EXPECT_EQ(info.txtfType, QString::fromUtf16(c.type));
        if (c.header[0] == 0) {
            EXPECT_EQ(info.txtfQuality + info.txtfCRCs + info.txtfkBit, QString());
        }
        EXPECT_EQ(info.hasID3v1(), c.v1);
        EXPECT_EQ(info.hasID3v2(), c.v2);
    }
}

}  // namespace
