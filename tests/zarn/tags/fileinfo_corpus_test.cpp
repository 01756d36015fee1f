// The file information of real files written by other programs.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "zarn/tags/fileinfo.h"

namespace {

const QString kCorpus = QStringLiteral(ZARN_CORPUS_DIR);

// Copies a corpus file to `dir` so that nothing ever opens the original.
QString CopyOf(const QString& relative, const QTemporaryDir& dir) {
    const QString copy = dir.filePath(QString(relative).replace(u'/', u'_'));
    EXPECT_TRUE(QFile::copy(kCorpus + u'/' + relative, copy)) << relative.toStdString();
    return copy;
}

TEST(FileInfoCorpus, EveryFileReadsWithSaneValues) {
    QTemporaryDir dir;
    QDirIterator it(kCorpus, {QStringLiteral("*.mp3"), QStringLiteral("*.id3")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString relative = QDir(kCorpus).relativeFilePath(it.next());
        SCOPED_TRACE(relative.toStdString());
        const QString path = CopyOf(relative, dir);
        const FileInfo info = ReadFileInfo(path, true);
        EXPECT_TRUE(info.exists);
        EXPECT_FALSE(info.readError);
        EXPECT_EQ(info.fileLength, QFileInfo(path).size());
        // A header is shown exactly when audio was found.
        EXPECT_EQ(info.txtfHeader.startsWith(u"Header: "), !info.txtfkBit.isEmpty());
        EXPECT_GE(info.seconds, -1);
        EXPECT_EQ(info.txtfLength.isEmpty(), info.seconds < 0);
        ++files;
    }
    EXPECT_GE(files, 38);
}

TEST(FileInfoCorpus, KnownFiles) {
    const struct {
        const char* file;
        const char16_t *type, *kbit, *quality, *length, *header;
    } cases[] = {
        // 79 frames of 104 bytes (104.49 rounded): 8,208 / 104 / 38.4 = 2.06
        {"mutagen/xing.mp3", u"MPEG 1.0 layer 3", u"32kbps", u"44100Hz JStereo", u"Length: 2 s",
         u"Header: 0b"},
        {"taglib/bladeenc.mp3", u"MPEG 1.0 layer 3", u"64kbps", u"44100Hz Mono", u"Length: 4 s",
         u"Header: 0b"},
        {"mutagen/silence-44-s.mp3", u"MPEG 1.0 layer 3 ID3v1: 1.1 ID3v2: 3.0", u"32kbps",
         u"44100Hz JStereo", u"Length: 4 s", u"Header: 1314b"},
        {"mutagen/silence-44-s-v1.mp3", u"MPEG 1.0 layer 3 ID3v1: 1.1", u"32kbps",
         u"44100Hz JStereo", u"Length: 4 s", u"Header: 0b"},
        // VBR: the Xing frame counts 157 frames of 576 samples: 157 x 576 / 24000 = 3.77
        {"mutagen/silence-44-s-mpeg2.mp3", u"MPEG 2.0 layer 3", u"64kbps", u"24000Hz JStereo",
         u"Length: 4 s", u"Header: 0b"},
        {"mutagen/silence-44-s-mpeg25.mp3", u"MPEG 2.5 layer 3", u"32kbps", u"12000Hz JStereo",
         u"Length: 4 s", u"Header: 0b"},
        // VBRI: 8,500 frames of 1152 samples at 44100 Hz, though the file holds only 8 KB
        {"mutagen/vbri.mp3", u"MPEG 1.0 layer 3 ID3v2: 3.0", u"160kbps", u"44100Hz Stereo",
         u"Length: 222 s", u"Header: 1007b"},
        // A Xing frame that counts no frames
        {"mutagen/bad-xing.mp3", u"MPEG 1.0 layer 3 ID3v2: 3.0", u"48kbps", u"44100Hz JStereo",
         u"Length: 0 s", u"Header: 1582b"},
        {"mutagen/too-short.mp3", u"MPEG 1.0 layer 3 ID3v2: 2.0", u"160kbps", u"44100Hz JStereo",
         u"Length: 0 s", u"Header: 2147b"},
        // 327 bytes of junk with false syncs that the header test rejects
        {"taglib/invalid-frames1.mp3", u"MPEG 1.0 layer 3", u"160kbps", u"44100Hz JStereo",
         u"Length: 0 s", u"Header: 327b"},
        // No frame header: nothing about the audio is shown.
        {"mutagen/emptyfile.mp3", u"", u"", u"", u"", u""},
        // The tag claims more bytes than the file holds.
        {"taglib/excessive_alloc.mp3", u"ID3v2: 4.0", u"", u"", u"", u""},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const FileInfo info = ReadFileInfo(CopyOf(QString::fromLatin1(c.file), dir), false);
        EXPECT_EQ(info.txtfType, QString::fromUtf16(c.type));
        EXPECT_EQ(info.txtfkBit, QString::fromUtf16(c.kbit));
        EXPECT_EQ(info.txtfQuality, QString::fromUtf16(c.quality));
        EXPECT_EQ(info.txtfLength, QString::fromUtf16(c.length));
        EXPECT_EQ(info.txtfHeader, QString::fromUtf16(c.header));
    }
}

TEST(FileInfoCorpus, BothTagsOfAFile) {
    QTemporaryDir dir;
    const FileInfo info =
        ReadFileInfo(CopyOf(QStringLiteral("mutagen/silence-44-s.mp3"), dir), false);
    EXPECT_EQ(info.ID3v1Mark, u"1");
    EXPECT_EQ(info.ID3v2Mark, u"1");
    EXPECT_EQ(info.txtTitle, u"Silence");
    EXPECT_EQ(info.txtV2Title, u"Silence");
    EXPECT_EQ(info.lblFileSize, u"File size: 16 Kb");
}

}  // namespace
