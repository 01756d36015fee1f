// The tag readers and writers on real files written by other programs.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/zarn/tags/recordingprompter.h"
#include "zarn/shell/cp1252.h"
#include "zarn/tags/genres.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

const QString kCorpus = QStringLiteral(ZARN_CORPUS_DIR);

QStringList CorpusFiles() {
    QStringList files;
    QDirIterator it(kCorpus, {QStringLiteral("*.mp3"), QStringLiteral("*.id3")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(kCorpus).relativeFilePath(it.next());
    files.sort();
    return files;
}

// Copies a corpus file to `dir` so that nothing ever writes to the original.
QString CopyOf(const QString& relative, const QTemporaryDir& dir) {
    const QString copy = dir.filePath(QString(relative).replace(u'/', u'_'));
    QFile::remove(copy);
    EXPECT_TRUE(QFile::copy(kCorpus + u'/' + relative, copy)) << relative.toStdString();
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

// The bytes between the ID3v2 tag (its announced size, cut at the end of the file) and the
// ID3v1 tag.
QByteArray Between(const QByteArray& file) {
    qsizetype start = 0, end = file.size();
    if (end >= 128 && file.mid(end - 128, 3) == "TAG") end -= 128;
    if (file.startsWith("ID3") && file.size() >= 10) {
        const auto b = [&](int i) { return qsizetype(uchar(file[i])); };
        start = qMin(end, 10 + (b(6) * 2097152 + b(7) * 16384 + b(8) * 128 + b(9)));
    }
    return file.mid(start, end - start);
}

// A header that announces more than the file holds before its ID3v1 tag.
bool ClaimsMoreThanItHolds(const QByteArray& file) {
    if (!file.startsWith("ID3") || file.size() < 10) return false;
    const auto b = [&](int i) { return qsizetype(uchar(file[i])); };
    const qsizetype end =
        file.size() - (file.size() >= 128 && file.right(128).startsWith("TAG") ? 128 : 0);
    return 10 + (b(6) * 2097152 + b(7) * 16384 + b(8) * 128 + b(9)) > end;
}

// A rewrite keeps the bytes between the tags byte for byte, junk before the first frame header
// included; only further ID3v2 tags right behind a removed one may go with it.
void ExpectAudioKept(const QByteArray& before, const QByteArray& after) {
    EXPECT_TRUE(before.endsWith(after)) << "audio changed";
    if (after != before) {
        EXPECT_TRUE(before.startsWith("ID3")) << "bytes before the audio lost";
    }
}

TEST(TagsCorpus, EveryFileReadsAndWritesWithoutLoss) {
    QTemporaryDir dir;
    const QStringList files = CorpusFiles();
    ASSERT_GE(files.size(), 38);
    for (const QString& relative : files) {
        SCOPED_TRACE(relative.toStdString());
        RecordingPrompter prompter;
        const QString path = CopyOf(relative, dir);
        const QByteArray original = mp3::ReadFile(path);
        const ID3v1Record v1 = ReadID3v1(path, &prompter);
        ID3v2Record v2 = ReadID3v2(path, &prompter);
        // Not even a file too short for an ID3v1 tag is an error: it has none.
        EXPECT_TRUE(prompter.criticals.isEmpty());
        if (ClaimsMoreThanItHolds(original)) {
            // Cut short by its tagger: read as far as it goes, never written.
            EXPECT_EQ(v2.hasTag(), true);
            EXPECT_FALSE(WriteTags(path, v1, v2, 1, 1, &prompter));
            EXPECT_FALSE(WriteTags(path, {}, {}, -1, -1, &prompter));
            EXPECT_EQ(mp3::ReadFile(path), original);
            continue;
        }
        EXPECT_EQ(v1.hasTag(), original.size() >= 128 && original.right(128).startsWith("TAG"));
        EXPECT_EQ(v2.hasTag(), original.startsWith("ID3"));
        EXPECT_FALSE(GenreOfFile(path).isEmpty());
        // Rewrite both tags with a new title: the title reads back, the audio is intact.
        v2.Title = u"New title ✓"_qs;
        ID3v1Record newV1 = v1;
        newV1.Title = TextField(u"New v1"_qs, 30);
        ASSERT_TRUE(WriteTags(path, newV1, v2, 1, 1, &prompter));
        const ID3v2Record written = ReadID3v2(path);
        EXPECT_EQ(written.Title, v2.Title);
        EXPECT_TRUE(written.Hidden.startsWith(v2.Hidden)) << "hidden frames lost";
        EXPECT_EQ(FieldText(ReadID3v1(path).Title), u"New v1"_qs);
        ExpectAudioKept(Between(original), Between(mp3::ReadFile(path)));
        // And once more, now in place.
        v2 = ReadID3v2(path);
        v2.Artist = u"Artist"_qs;
        ASSERT_TRUE(WriteTags(path, newV1, v2, 0, 1, &prompter));
        EXPECT_EQ(ReadID3v2(path).Artist, u"Artist"_qs);
        ExpectAudioKept(Between(original), Between(mp3::ReadFile(path)));
        // Removing both tags leaves only the audio.
        ASSERT_TRUE(WriteTags(path, {}, {}, -1, -1, &prompter));
        const QByteArray bare = mp3::ReadFile(path);
        EXPECT_FALSE(bare.startsWith("ID3"));
        ExpectAudioKept(Between(original), bare);
        EXPECT_TRUE(prompter.criticals.isEmpty());
    }
}

TEST(TagsCorpus, KnownTexts) {
    const struct {
        const char* file;
        const char16_t *version, *title, *artist, *album, *genre, *v1Title;
    } cases[] = {
        {"mutagen/silence-44-s.mp3", u"3.0", u"Silence", u"piman / jzig", u"Quod Libet Test Data",
         u"Silence", u"Silence"},
        {"mutagen/silence-44-s-v1.mp3", u"", u"", u"", u"", u"", u"Silence"},
        {"mutagen/id3v1v2-combined.mp3", u"4.0", u"cosmic american", u"Anais Mitchell", u"", u"",
         u"cosmic american"},
        {"mutagen/bad-xing.mp3", u"3.0", u"09-28-2001", u"Ito Kazunori",
         u"Patlabor CD Box Deluxe Disc 3", u"Anime", u""},
        {"mutagen/issue_21.id3", u"4.0", u"Punk To Funk", u"FatBoy Slim",
         u"Better Living Through Chemistr", u"Bigbeat", u""},
        {"mutagen/id3v24_extended_header.id3", u"4.0", u"One Second of Silence", u"Snild Dolkow",
         u"Mutagen Bug Reports", u"Relaxation..? :)", u""},
        {"mutagen/vbri.mp3", u"3.0", u"I Can Walk On Water I Can Fly", u"Basshunter",
         u"I Can Walk On Water I Can Fly", u"Dance", u""},
        {"taglib/005411.id3", u"4.0", u"Sunshine Superman", u"Donovan", u"Sunshine Superman",
         u"Folk", u""},
        {"taglib/extended-header.mp3", u"4.0", u"Druids", u"Excelsis", u"Vo Chrieger U Drache",
         u"Folk/Power Metal", u""},
        {"taglib/w000.mp3", u"3.0", u"Knowing You", u"Sergio Galoyan f. Tamra Keenan",
         u"Knowing You", u"Dance", u""},
        {"taglib/ape-id3v1.mp3", u"", u"", u"", u"", u"", u"Title"},
        // Version 2 frames, unsynchronisation of the whole tag and of single frames.
        {"mutagen/id3v22-test.mp3", u"2.0", u"cosmic american", u"Anais Mitchell",
         u"Hymns for the Exiled", u"", u""},
        {"taglib/itunes10.mp3", u"2.0", u"iTunes10MP3", u"Artist", u"Album", u"Heavy Metal", u""},
        {"mutagen/id3v23_unsynch.id3", u"3.0", u"My babe just cares for me", u"Nina Simone",
         u"100% Jazz", u"", u""},
        {"taglib/unsynch24.id3", u"4.0", u"Hi", u"", u"", u"", u""},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = CopyOf(QString::fromLatin1(c.file), dir);
        const ID3v2Record v2 = ReadID3v2(path);
        EXPECT_EQ(v2.Version, QString::fromUtf16(c.version));
        EXPECT_EQ(v2.Title, QString::fromUtf16(c.title));
        EXPECT_EQ(v2.Artist, QString::fromUtf16(c.artist));
        EXPECT_EQ(v2.Album, QString::fromUtf16(c.album));
        EXPECT_EQ(v2.Genre, QString::fromUtf16(c.genre));
        EXPECT_EQ(FieldText(ReadID3v1(path).Title), QString::fromUtf16(c.v1Title));
    }
}

TEST(TagsCorpus, OriginalsUnchanged) {
    QFile sums(kCorpus + u"/SHA256SUMS"_qs);
    ASSERT_TRUE(sums.open(QIODevice::ReadOnly));
    int checked = 0;
    while (!sums.atEnd()) {
        const QList<QByteArray> parts = sums.readLine().trimmed().split(' ');
        if (parts.size() < 2) continue;
        const QString file = kCorpus + u'/' + QString::fromUtf8(parts.last());
        EXPECT_EQ(QCryptographicHash::hash(mp3::ReadFile(file), QCryptographicHash::Sha256).toHex(),
                  parts.first())
            << file.toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 38);
}

}  // namespace
