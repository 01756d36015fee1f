// Tags that mutagen writes read right, and a save that changes one field keeps every other frame
// as mutagen reads it, pictures byte for byte, audio untouched.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/zarn/tags/mutagenoracle.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2fields.h"
#include "zarn/tags/id3v2framelist.h"

namespace {

const QString kCorpus = QStringLiteral(ZARN_CORPUS_DIR);
const QString kChanged = QStringLiteral("Changed album");

// The bytes behind the ID3v2 tag.
QByteArray AfterTag(const QByteArray& file) {
    if (!file.startsWith("ID3") || file.size() < 10) return file;
    const auto b = [&](int i) { return qsizetype(uchar(file[i])); };
    return file.mid(10 + (b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9)));
}

// Saves `path` with a new album and checks what mutagen reads against `before`: the same
// frames, the new album, at most a year frame more that holds the year shown. Returns the
// file's size after the save.
qsizetype SaveAndCompare(const QString& path, const QJsonObject& before) {
    ID3v2Record tag = ReadID3v2(path);
    const bool hasV1 = mp3::ReadFile(path).right(128).startsWith("TAG");
    tag.Album = kChanged;
    EXPECT_TRUE(WriteTags(path, ReadID3v1(path), tag, hasV1 ? 0 : -1, 1));
    const QJsonObject after = oracle::Dump(path);
    EXPECT_EQ(after[u"version"_qs].toArray(), (QJsonArray{2, 3, 0}));
    const QJsonObject old = before[u"frames"_qs].toObject(), now = after[u"frames"_qs].toObject();
    for (auto it = old.begin(); it != old.end(); ++it) {
        if (it.key() == u"TALB") continue;
        QJsonValue expected = it.value();
        // A version 2 picture names its format in three letters; ID3v2.3 wants a MIME type.
        if (it.key().startsWith(u"APIC") && before[u"version"_qs].toArray()[1] == 2) {
            QJsonObject picture = expected.toObject();
            const QString format = picture[u"mime"_qs].toString().toLower();
            picture[u"mime"_qs] = format == u"jpg" ? u"image/jpeg"_qs : u"image/"_qs + format;
            expected = picture;
        }
        EXPECT_EQ(oracle::Compact(now[it.key()]), oracle::Compact(expected))
            << "frame " << it.key().toStdString();
    }
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (old.contains(it.key()) || it.key() == u"TALB") continue;
        EXPECT_TRUE(it.key() == u"TYER" && !tag.Year.isEmpty())
            << "new frame " << it.key().toStdString();
    }
    EXPECT_EQ(now[u"TALB"_qs].toObject()[u"text"_qs].toArray(), QJsonArray{kChanged});
    return mp3::ReadFile(path).size();
}

struct Case {
    const char* name;
    int onlyVersion;     // 0: both
    const char* frames;  // JSON for the oracle's "build"
    const char16_t *title, *artist, *comment, *genre, *year;
};

// "$126t" stands for 126 letters t.
QString Expand(const QString& text) {
    static const QRegularExpression run(QStringLiteral("\\$(\\d+)(\\w)"));
    QString out = text;
    QRegularExpressionMatch m;
    while ((m = run.match(out)).hasMatch())
        out.replace(m.capturedStart(), m.capturedLength(),
                    QString(m.captured(1).toInt(), m.captured(2)[0]));
    return out;
}

QString Expand(const char16_t* text) {
    return Expand(QString::fromUtf16(text));
}

// Each case in an ID3v2.3 and an ID3v2.4 tag.
const Case kCases[] = {
    {"encoding 0", 0, R"j([["TIT2",{"encoding":0,"text":["Café Noël"]}]])j", u"Café Noël", u"", u"",
     u"", u""},
    {"encoding 1", 0, R"j([["TIT2",{"encoding":1,"text":["Łódź Ω"]}]])j", u"Łódź Ω", u"", u"", u"",
     u""},
    {"encoding 2", 0, R"j([["TIT2",{"encoding":2,"text":["東京"]}]])j", u"東京", u"", u"", u"",
     u""},
    {"encoding 3", 0, R"j([["TIT2",{"encoding":3,"text":["Ærø ♫"]}]])j", u"Ærø ♫", u"", u"", u"",
     u""},
    {"Windows-1252-only characters", 0, R"j([["TIT2",{"encoding":1,"text":["€ – “ ” … ™ Œ š"]}]])j",
     u"€ – “ ” … ™ Œ š", u"", u"", u"", u""},
    {"frames of 127 bytes", 0,
     R"j([["TIT2",{"encoding":0,"text":["$126t"]}],
        ["TPE1",{"encoding":0,"text":["After"]}]])j",
     u"$126t", u"After", u"", u"", u""},
    {"frames of 128 bytes", 0,
     R"j([["TIT2",{"encoding":0,"text":["$127t"]}],
        ["TPE1",{"encoding":0,"text":["After"]}]])j",
     u"$127t", u"After", u"", u"", u""},
    // 1 encoding byte, 3 language bytes, the terminator of the empty description, the text.
    {"frames of 255 and 256 bytes", 0,
     R"j([["COMM",{"encoding":0,"lang":"eng","desc":"","text":["$250c"]}],
        ["TPE1",{"encoding":0,"text":["$255p"]}],
        ["TIT2",{"encoding":0,"text":["After"]}]])j",
     u"After", u"$255p", u"$250c", u"", u""},
    {"frames of 1,000+ bytes", 0,
     R"j([["TIT2",{"encoding":1,"text":["$1200t"]}],["TPE1",{"encoding":0,"text":["After"]}]])j",
     u"$1200t", u"After", u"", u"", u""},
    {"a picture of 5,000 bytes", 0,
     R"j([["APIC",{"encoding":3,"mime":"image/png","type":3,"desc":"Cover ✓","data":{"bytes":5000}}],
        ["TIT2",{"encoding":0,"text":["After the picture"]}]])j",
     u"After the picture", u"", u"", u"", u""},
    {"a frame of 1,000+ bytes before the known frames", 0,
     R"j([["PRIV",{"owner":"x","data":{"bytes":1500,"seed":7}}],
        ["TIT2",{"encoding":1,"text":["After PRIV"]}]])j",
     u"After PRIV", u"", u"", u"", u""},
    {"TXXX whose description holds a frame identifier", 0,
     R"j([["TXXX",{"encoding":0,"desc":"COMMENTARY","text":["x"]}],
        ["COMM",{"encoding":0,"lang":"eng","desc":"","text":["The comment"]}],
        ["APIC",{"encoding":0,"mime":"image/jpeg","type":0,"desc":"","data":{"bytes":300}}]])j",
     u"", u"", u"The comment", u"", u""},
    {"chapters with titles, no title of the file", 0,
     R"j([["CTOC",{"element_id":"toc","flags":3,"child_element_ids":["c1","c2"],
                  "sub_frames":[["TIT2",{"encoding":3,"text":["Contents"]}]]}],
        ["CHAP",{"element_id":"c1","start_time":0,"end_time":500,"start_offset":0,"end_offset":0,
                 "sub_frames":[["TIT2",{"encoding":3,"text":["Chapter one"]}]]}],
        ["CHAP",{"element_id":"c2","start_time":500,"end_time":900,"start_offset":0,"end_offset":0,
                 "sub_frames":[["TIT2",{"encoding":1,"text":["Chapter two"]}],
                               ["APIC",{"encoding":0,"mime":"image/png","type":3,"desc":"",
                                        "data":{"bytes":400}}]]}],
        ["TPE1",{"encoding":0,"text":["Narrator"]}]])j",
     u"", u"Narrator", u"", u"", u""},
    {"genre name", 0, R"j([["TCON",{"encoding":0,"text":["Rock"]}]])j", u"", u"", u"", u"Rock",
     u""},
    {"genre number", 0, R"j([["TCON",{"encoding":0,"text":["17"]}]])j", u"", u"", u"", u"Rock",
     u""},
    {"genre code", 0, R"j([["TCON",{"encoding":0,"text":["(17)"]}]])j", u"", u"", u"", u"Rock",
     u""},
    {"genre code and name", 0, R"j([["TCON",{"encoding":0,"text":["(17)Rock"]}]])j", u"", u"", u"",
     u"Rock", u""},
    {"genre outside the table", 0, R"j([["TCON",{"encoding":1,"text":["Chiptune"]}]])j", u"", u"",
     u"", u"Chiptune", u""},
    {"iTunes comments before the comment", 0,
     R"j([["COMM",{"encoding":0,"lang":"eng","desc":"iTunNORM","text":[" 0000044E 00000061"]}],
        ["COMM",{"encoding":0,"lang":"eng","desc":"iTunes_CDDB_IDs","text":["11+ABC"]}],
        ["COMM",{"encoding":1,"lang":"deu","desc":"","text":["Kommentar"]}],
        ["COMM",{"encoding":1,"lang":"eng","desc":"Other","text":["More"]}]])j",
     u"", u"", u"Kommentar", u"", u""},
    {"several values", 4,
     R"j([["TPE1",{"encoding":3,"text":["Alice","Bob"]}],
        ["TCON",{"encoding":3,"text":["Rock","Pop"]}]])j",
     u"", u"Alice / Bob", u"", u"Rock / Pop", u""},
    {"recording time", 0, R"j([["TDRC",{"encoding":0,"text":["2004-05-06"]}]])j", u"", u"", u"",
     u"", u"2004"},
};

class InteropTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("i.mp3"));
    const QByteArray audio = mp3::Audio(12);
};

TEST_F(InteropTest, MutagenTagsReadRightAndSurviveASave) {
    for (const Case& c : kCases) {
        for (const int version : {3, 4}) {
            // ID3v2.3 has no separator for several values; mutagen joins them with "/".
            if (c.onlyVersion && version != c.onlyVersion) continue;
            SCOPED_TRACE(testing::Message() << c.name << ", ID3v2." << version);
            ASSERT_TRUE(mp3::WriteFile(path, audio));
            oracle::Build(path, version, Expand(QString::fromUtf8(c.frames)).toUtf8());
            const ID3v2Record r = ReadID3v2(path);
            EXPECT_EQ(r.Title, Expand(c.title));
            EXPECT_EQ(r.Artist, Expand(c.artist));
            EXPECT_EQ(r.Comment, Expand(c.comment));
            EXPECT_EQ(r.Genre, Expand(c.genre));
            EXPECT_EQ(r.Year, Expand(c.year));
            const QJsonObject before = oracle::Dump(path);
            const qsizetype size = SaveAndCompare(path, before);
            EXPECT_EQ(AfterTag(mp3::ReadFile(path)), audio);
            // Saving again changes nothing and does not grow the file.
            EXPECT_EQ(SaveAndCompare(path, before), size);
        }
    }
}

TEST_F(InteropTest, EveryCorpusFileKeepsItsFrames) {
    QDirIterator it(kCorpus, {QStringLiteral("*.mp3"), QStringLiteral("*.id3")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int compared = 0;
    while (it.hasNext()) {
        const QString source = it.next();
        SCOPED_TRACE(source.toStdString());
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(source, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        const QJsonObject before = oracle::Dump(path);
        if (before.isEmpty()) continue;  // no ID3v2 tag, or one mutagen cannot read
        const qsizetype size = SaveAndCompare(path, before);
        EXPECT_EQ(SaveAndCompare(path, before), size);
        ++compared;
    }
    EXPECT_GE(compared, 18);
}

// Each field held by two frames, as other programs write several values: the field shows both,
// a save that changed another field keeps both, and a save that changed the field leaves
// exactly the new value for mutagen, every other frame as it was.
TEST_F(InteropTest, AChangedFieldHoldsExactlyItsNewValue) {
    const QByteArray eng("\0eng", 4);
    const auto text = [](const char* value) { return QByteArray(1, '\0') + value; };
    const auto comm = [&](const char* desc, const char* value) {
        return eng + desc + QByteArray(1, '\0') + value;
    };
    const auto url = [](const char* value) { return QByteArray(2, '\0') + value; };
    struct FieldCase {
        const char* id;
        QByteArray first, second;
        const char16_t *shown, *typed, *read;  // read: what mutagen reads after the change
    } cases[] = {
        {"TIT2", text("One"), text("Two"), u"One / Two", u"Nora Kvist", u"Nora Kvist"},
        {"TALB", text("One"), text("Two"), u"One / Two", u"Nora Kvist", u"Nora Kvist"},
        {"TPE1", text("piman"), text("jzig"), u"piman / jzig", u"Nora Kvist", u"Nora Kvist"},
        {"TRCK", text("1"), text("2"), u"1 / 2", u"7/12", u"7/12"},
        {"TYER", text("1999"), text("2000"), u"1999 / 2000", u"2024", u"2024"},
        {"TCON", text("(17)Rock"), text("Pop"), u"Rock / Pop", u"(8)Jazz", u"(8)Jazz"},
        {"COMM", comm("", "One"), comm("", "Two"), u"One / Two", u"Nora Kvist", u"Nora Kvist"},
        {"TENC", text("One"), text("Two"), u"One / Two", u"Nora Kvist", u"Nora Kvist"},
        {"TCOP", text("One"), text("Two"), u"One / Two", u"Nora Kvist", u"Nora Kvist"},
        {"TOPE", text("One"), text("Two"), u"One / Two", u"Nora Kvist", u"Nora Kvist"},
        {"TCOM", text("One"), text("Two"), u"One / Two", u"Nora Kvist", u"Nora Kvist"},
        {"WXXX", url("http://a.example/"), url("http://b.example/"),
         u"http://a.example/ / http://b.example/", u"http://new.example/", u"http://new.example/"},
    };
    ASSERT_EQ(std::size(cases), ID3v2Fields().size());
    // A frame of no field and a comment with another description: they must stay.
    const QList<QByteArray> others = {mp3::V2Frame("COMM", comm("Other", "More"), false),
                                      mp3::V2Frame("TIT3", text("Kept"), false)};
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.id);
        const auto field =
            std::find_if(ID3v2Fields().begin(), ID3v2Fields().end(),
                         [&](const ID3v2Field& f) { return c.id == QByteArray(f.id); });
        ASSERT_NE(field, ID3v2Fields().end());
        ASSERT_TRUE(mp3::WriteFile(
            path, mp3::ID3v2Tag(QList<QByteArray>{mp3::V2Frame(c.id, c.first, false)} + others +
                                    QList<QByteArray>{mp3::V2Frame(c.id, c.second, false)},
                                64) +
                      audio));
        const QJsonObject before = oracle::Dump(path);
        ID3v2Record tag = ReadID3v2(path);
        EXPECT_EQ(tag.*field->value, QString::fromUtf16(c.shown));
        const ID3v2Frame first = ParseID3v2Frames(mp3::V2Frame(c.id, c.first, false)).first();
        for (const ID3v2Frame& hidden : ParseID3v2Frames(tag.Hidden))
            EXPECT_FALSE(SameField(hidden, first)) << "hidden " << hidden.id.constData();

        // Saved unchanged: both values stay, as mutagen read them.
        ASSERT_TRUE(WriteTags(path, {}, tag, -1, 1));
        EXPECT_EQ(oracle::Compact(oracle::Dump(path)), oracle::Compact(before));

        tag.*field->value = QString::fromUtf16(c.typed);
        ASSERT_TRUE(WriteTags(path, {}, tag, -1, 1));
        const QJsonValue read = oracle::Read(path)[u"v2"_qs].toObject()[QLatin1String(c.id)];
        EXPECT_EQ(read.toString(), QString::fromUtf16(c.read));
        const QJsonObject old = before[u"frames"_qs].toObject();
        const QJsonObject now = oracle::Dump(path)[u"frames"_qs].toObject();
        for (auto it = old.begin(); it != old.end(); ++it) {
            if (it.key().section(u':', 0, 0) == QLatin1String(c.id) &&
                it.key() != u"COMM:Other:eng")
                continue;
            EXPECT_EQ(oracle::Compact(now[it.key()]), oracle::Compact(it.value()))
                << it.key().toStdString();
        }
        EXPECT_EQ(AfterTag(mp3::ReadFile(path)), audio);
    }
}

// The corpus file whose artist is two frames, renamed and tagged with a new artist.
TEST_F(InteropTest, ANewArtistReplacesBothOldFrames) {
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(kCorpus + u"/mutagen/silence-44-s.mp3"_qs, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    ID3v2Record tag = ReadID3v2(path);
    EXPECT_EQ(tag.Artist, u"piman / jzig"_qs);
    tag.Artist = u"Nora Kvist"_qs;
    ASSERT_TRUE(WriteTags(path, {}, tag, 0, 1));
    const QJsonObject frames = oracle::Dump(path)[u"frames"_qs].toObject();
    EXPECT_EQ(frames[u"TPE1"_qs].toObject()[u"text"_qs].toArray(), QJsonArray{u"Nora Kvist"_qs});
    EXPECT_EQ(frames[u"TRCK"_qs].toObject()[u"text"_qs].toArray(), QJsonArray{u"02/10"_qs});
}

// A second ID3v2 tag behind the first (another program's) stays whole when the first tag
// grows, and the audio behind it is untouched.
TEST_F(InteropTest, ASecondTagSurvivesARewrite) {
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(kCorpus + u"/taglib/duplicate_id3v2.mp3"_qs, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray behind = AfterTag(mp3::ReadFile(path));
    ASSERT_TRUE(behind.startsWith("ID3\x04"));
    ID3v2Record tag = ReadID3v2(path);
    tag.Title = QString(5000, u't');  // more than the old tag holds: the file is rewritten
    ASSERT_TRUE(WriteTags(path, {}, tag, -1, 1));
    EXPECT_EQ(AfterTag(mp3::ReadFile(path)), behind);
    EXPECT_EQ(oracle::Read(path)[u"v2"_qs].toObject()[u"TIT2"_qs].toString(), tag.Title);
}

}  // namespace
