// An independent tagger must agree with ours, in both directions.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QUrl>

#include "tests/support/mp3writer.h"
#include "tests/zarn/tags/mutagenoracle.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

QJsonObject ReadWithMutagen(const QString& path) {
    return oracle::Read(path);
}

QByteArray RunOracle(const QStringList& args) {
    return oracle::Run(args);
}

struct Fields {
    QString title, artist, album, year, comment, genre, track, composer, orig, copyright, url,
        encoder;
};

ID3v2Record RecordOf(const Fields& f) {
    ID3v2Record tag;
    tag.Title = f.title;
    tag.Artist = f.artist;
    tag.Album = f.album;
    tag.Year = f.year;
    tag.Comment = f.comment;
    tag.Genre = f.genre;
    tag.Track = f.track;
    tag.Composer = f.composer;
    tag.OrigArtist = f.orig;
    tag.Copyright = f.copyright;
    tag.URL = f.url;
    tag.Encoder = f.encoder;
    return tag;
}

const Fields kAscii = {u"Title"_qs,
                       u"Artist"_qs,
                       u"Album"_qs,
                       u"1999"_qs,
                       u"A comment"_qs,
                       u"(17)Rock"_qs,
                       u"3/12"_qs,
                       u"Composer"_qs,
                       u"Original"_qs,
                       u"(c) Label"_qs,
                       u"http://a.example/x"_qs,
                       u"Encoder 1.0"_qs};
const Fields kAccented = {u"Café Noël"_qs,
                          u"Björk Guðmundsdóttir"_qs,
                          u"Ça ira ½ ¿"_qs,
                          u"2004"_qs,
                          u"Très bien"_qs,
                          u"(13)Pop"_qs,
                          u"7"_qs,
                          u"Fauré"_qs,
                          u"Señor Ñu"_qs,
                          u"© Ünïcode"_qs,
                          u"http://b.example/é"_qs,
                          u"Lamé"_qs};
// Encoding 0 is Windows-1252 here and Latin-1 in mutagen; the accented texts stay within the
// characters both agree on. Beyond Windows-1252 texts are written as UTF-16.
const Fields kUnicode = {u"Łódź Καλημέρα"_qs, u"Чайковский"_qs,        u"東京"_qs,
                         u"2010"_qs,          u"Ω comment"_qs,         u"(0)Blues"_qs,
                         u"1/2"_qs,           u"Šostakovič"_qs,        u"Ünal Ağa"_qs,
                         u"℗ 2010"_qs,        u"http://c.example/"_qs, u"Enc ✓"_qs};

TEST(Mutagen, ReadsWhatWriteTagsWrites) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.mp3"));
    ASSERT_TRUE(mp3::WriteFile(path, mp3::Audio(10)));
    // The first write makes a new tag (full rewrite), the later ones update it in place.
    for (const Fields& f : {kUnicode, kAccented, kAscii}) {
        SCOPED_TRACE(f.title.toStdString());
        ID3v1Record v1;
        PackID3v1Texts(v1, {f.title, f.artist, f.album, f.comment}, false);
        v1.Year = TextField(f.year, 4);
        v1.Track = "\x07";
        v1.Genre = "\x11";
        ID3v2Record v2 = RecordOf(f);
        v2.Tag = ReadID3v2(path).Tag;
        ASSERT_TRUE(WriteTags(path, v1, v2, 1, 1));
        const QJsonObject read = ReadWithMutagen(path);
        const QJsonObject t = read[u"v2"_qs].toObject();
        EXPECT_EQ(read[u"version"_qs].toArray(), (QJsonArray{2, 3, 0}));
        EXPECT_EQ(t[u"TIT2"_qs].toString(), f.title);
        EXPECT_EQ(t[u"TPE1"_qs].toString(), f.artist);
        EXPECT_EQ(t[u"TALB"_qs].toString(), f.album);
        EXPECT_EQ(t[u"TYER"_qs].toString(), f.year);
        EXPECT_EQ(t[u"COMM"_qs].toString(), f.comment);
        EXPECT_EQ(t[u"TCON"_qs].toString(), f.genre);
        EXPECT_EQ(t[u"TRCK"_qs].toString(), f.track);
        EXPECT_EQ(t[u"TCOM"_qs].toString(), f.composer);
        EXPECT_EQ(t[u"TOPE"_qs].toString(), f.orig);
        EXPECT_EQ(t[u"TCOP"_qs].toString(), f.copyright);
        EXPECT_EQ(t[u"TENC"_qs].toString(), f.encoder);
        EXPECT_EQ(QUrl::fromPercentEncoding(t[u"WXXX"_qs].toString().toUtf8()), f.url);
        const QJsonObject one = read[u"v1"_qs].toObject();
        if (f.title != kUnicode.title) {
            EXPECT_EQ(one[u"TIT2"_qs].toString(), f.title);
            EXPECT_EQ(one[u"TPE1"_qs].toString(), f.artist.left(30));
            EXPECT_EQ(one[u"COMM"_qs].toString(), f.comment);
        } else {
            EXPECT_EQ(one[u"TPE1"_qs].toString(), u"??????????"_qs);
        }
        EXPECT_EQ(one[u"TDRC"_qs].toString(), f.year);
        EXPECT_EQ(one[u"TRCK"_qs].toString(), u"7"_qs);
        EXPECT_EQ(one[u"TCON"_qs].toString(), u"17"_qs);
    }
}

TEST(Mutagen, WriteTagsReadsWhatMutagenWrites) {
    struct Case {
        int version, encoding;
        const Fields* fields;
    };
    const Case cases[] = {
        {3, 0, &kAscii},    {3, 0, &kAccented}, {3, 1, &kAccented}, {3, 1, &kUnicode},
        {4, 0, &kAccented}, {4, 1, &kUnicode},  {4, 2, &kUnicode},  {4, 3, &kUnicode},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "v2." << c.version << " encoding " << c.encoding);
        const Fields& f = *c.fields;
        const QString path = dir.filePath(QStringLiteral("m.mp3"));
        ASSERT_TRUE(mp3::WriteFile(path, mp3::Audio(10)));
        const QString genreCode = f.genre.section(u')', 0, 0) + u')';
        const QList<std::pair<const char*, QString>> frames = {
            {"TIT2", f.title},   {"TPE1", f.artist},    {"TALB", f.album},   {"TYER", f.year},
            {"COMM", f.comment}, {"TCON", genreCode},   {"TRCK", f.track},   {"TCOM", f.composer},
            {"TOPE", f.orig},    {"TCOP", f.copyright}, {"TENC", f.encoder}, {"WXXX", f.url}};
        QJsonArray json;
        for (const auto& [id, text] : frames)
            json.append(QJsonArray{QString::fromLatin1(id), c.encoding, text});
        RunOracle({QStringLiteral("write"), path, QString::number(c.version),
                   QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact))});
        const ID3v2Record r = ReadID3v2(path);
        EXPECT_EQ(r.Version, QStringLiteral("%1.0").arg(c.version));
        EXPECT_EQ(r.Title, f.title);
        EXPECT_EQ(r.Artist, f.artist);
        EXPECT_EQ(r.Album, f.album);
        EXPECT_EQ(r.Year, f.year);
        EXPECT_EQ(r.Comment, f.comment);
        EXPECT_EQ(r.Genre, f.genre.section(u')', 1));
        EXPECT_EQ(r.Track, f.track);
        EXPECT_EQ(r.Composer, f.composer);
        EXPECT_EQ(r.OrigArtist, f.orig);
        EXPECT_EQ(r.Copyright, f.copyright);
        EXPECT_EQ(r.Encoder, f.encoder);
        EXPECT_EQ(r.URL, f.url);
        EXPECT_TRUE(r.Hidden.isEmpty()) << r.Hidden.toHex().constData();
    }
}

TEST(Mutagen, ReadsFramesOfEverySizeAndWindows1252Texts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.mp3"));
    ASSERT_TRUE(mp3::WriteFile(path, mp3::Audio(4)));
    // Frame bodies of 127, 128, 255, 256 and 1201 bytes (one encoding byte and the text), then
    // texts that only Windows-1252 holds among the single-byte sets.
    const QString texts[] = {QString(126, u'a'),   QString(127, u'b'),  QString(254, u'c'),
                             QString(255, u'd'),   QString(1200, u'e'), QString(63, u'Ж'),
                             u"€ – “ ” … ™ Œ š"_qs};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.left(10).toStdString());
        ID3v2Record tag = ReadID3v2(path);
        tag.Title = text;
        tag.Comment = text;
        tag.Artist = u"After"_qs;
        ASSERT_TRUE(WriteTags(path, {}, tag, -1, 1));
        const QJsonObject t = ReadWithMutagen(path)[u"v2"_qs].toObject();
        EXPECT_EQ(t[u"TIT2"_qs].toString(), text);
        EXPECT_EQ(t[u"COMM"_qs].toString(), text);
        EXPECT_EQ(t[u"TPE1"_qs].toString(), u"After"_qs);
    }
}

}  // namespace
