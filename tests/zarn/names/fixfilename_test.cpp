#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "options_fixture.h"
#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "zarn/names/fixfilename.h"

namespace {

const QString kOut = QStringLiteral("%track - %artist - %title.mp3");
const QString kIn = QStringLiteral("%artist - %title.mp3");

class FixFileNameTest : public testing::Test {
  protected:
    // A file of a few MPEG frames with the given tags; `v2` empty for none.
    QString Make(const QString& name, const QList<QByteArray>& v2Frames, const mp3::V1* v1) {
        QByteArray bytes;
        if (!v2Frames.isEmpty()) bytes += mp3::ID3v2Tag(v2Frames, 16);
        bytes += mp3::Audio(3);
        if (v1) bytes += mp3::ID3v1Tag(*v1);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(mp3::WriteFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

QByteArray Text(const char* id, const char* text) {
    return mp3::V2TextFrame(id, text);
}

TEST_F(FixFileNameTest, ID3v1Only) {
    mp3::V1 v1;
    v1.title = "harbour";
    v1.artist = "velt  ";
    v1.track = 5;
    v1.genre = 17;
    const QString path = Make(QStringLiteral("x.mp3"), {}, &v1);
    EXPECT_EQ(FixFileName(path, kOut, kIn, Options()), U("05 - Velt - Harbour.mp3"));
    EXPECT_EQ(FixFileName(path, U("%genre - %title.MP3"), kIn, Options()), U("Rock - Harbour.mp3"));
}

TEST_F(FixFileNameTest, ID3v2Only) {
    const QString path = Make(QStringLiteral("x.mp3"),
                              {Text("TIT2", "Harbour"), Text("TPE1", "Velt"), Text("TRCK", "7"),
                               Text("TALB", "Hits"), Text("TYER", "1999")},
                              nullptr);
    EXPECT_EQ(FixFileName(path, kOut, kIn, Options()), U("07 - Velt - Harbour.mp3"));
    EXPECT_EQ(FixFileName(path, U("%year - %album - %artist.mp3"), kIn, Options()),
              U("1999 - Hits - Velt.mp3"));
}

TEST_F(FixFileNameTest, BothTagsID3v2First) {
    mp3::V1 v1;
    v1.title = "Old Title";
    v1.album = "Hits";
    v1.comment = "Fine";
    const QString path =
        Make(QStringLiteral("x.mp3"), {Text("TIT2", "Harbour"), Text("TPE1", "Velt")}, &v1);
    EXPECT_EQ(FixFileName(path, U("%artist - %album - %title (%comment).mp3"), kIn, Options()),
              U("Velt - Hits - Harbour (Fine).mp3"));
}

TEST_F(FixFileNameTest, NeitherTagTakesValuesFromTheName) {
    const QString path = Make(QStringLiteral("velt - harbour.mp3"), {}, nullptr);
    EXPECT_EQ(FixFileName(path, kOut, kIn, Options()), U("Velt - Harbour.mp3"));
    Options noMisses;
    noMisses.bMisses = false;
    EXPECT_EQ(FixFileName(path, kOut, kIn, noMisses), U(" - Velt - Harbour.mp3"));
}

TEST_F(FixFileNameTest, OptimizedID3v1JoinsTheContinuation) {
    mp3::V1 v1;
    v1.artist = "The Very Long Name Of A Band X";  // 30 characters, no NUL
    v1.album = QByteArray("Hits\0 Continued", 15);
    const QString path = Make(QStringLiteral("x.mp3"), {}, &v1);
    Options options = NoRules();
    EXPECT_EQ(FixFileName(path, U("%artist.mp3"), kIn, options),
              U("The Very Long Name Of A Band X.mp3"));
    options.bOptimizedID3v1 = true;
    EXPECT_EQ(FixFileName(path, U("%artist.mp3"), kIn, options),
              U("The Very Long Name Of A Band X Continued.mp3"));
}

TEST_F(FixFileNameTest, GenresByNumber) {
    const std::pair<int, const char*> cases[] = {
        {0, "Blues - Song.mp3"},      {32, "Classical - Song.mp3"}, {17, "Rock - Song.mp3"},
        {147, "Synthpop - Song.mp3"}, {148, "Unknown - Song.mp3"},  {255, "Unknown - Song.mp3"},
    };
    for (const auto& [genre, expected] : cases) {
        mp3::V1 v1;
        v1.title = "Song";
        v1.genre = genre;
        const QString path = Make(QStringLiteral("g%1.mp3").arg(genre), {}, &v1);
        EXPECT_EQ(FixFileName(path, U("%genre - %title.mp3"), kIn, Options()), U(expected))
            << genre;
    }
}

TEST_F(FixFileNameTest, NoGenreAnywhereIsUnknown) {
    // No ID3v1 tag and no usable TCON: the genre is that of a missing ID3v1 tag.
    for (const char* frame : {"", "(255)", "(x)"}) {
        QList<QByteArray> frames{Text("TIT2", "Song")};
        if (*frame) frames << Text("TCON", frame);
        const QString path = Make(QStringLiteral("x.mp3"), frames, nullptr);
        EXPECT_EQ(FixFileName(path, U("%genre - %title.mp3"), kIn, Options()),
                  U("Unknown - Song.mp3"))
            << frame;
    }
}

TEST_F(FixFileNameTest, TrackOfATotalCountsAsItsNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"1/12", "01 - Song.mp3"}, {"12/12", "12 - Song.mp3"},  {"07/", "07 - Song.mp3"},
        {"3", "03 - Song.mp3"},    {"a/12", "A 12 - Song.mp3"}, {"/12", " 12 - Song.mp3"},
        {"1/x", "1 X - Song.mp3"},
    };
    for (const auto& [track, expected] : cases) {
        const QString path =
            Make(QStringLiteral("x.mp3"), {Text("TIT2", "Song"), Text("TRCK", track)}, nullptr);
        Options options;
        options.bMisses = false;
        EXPECT_EQ(FixFileName(path, U("%track - %title.mp3"), kIn, options), U(expected)) << track;
    }
    NameFields panel;
    panel.outPattern = U("%track - %title.mp3");
    panel.id3v2 = true;
    panel.v2.title = U("Song");
    panel.v2.track = U("1/12");
    EXPECT_EQ(FixFileName2(panel, U("/m/x.mp3"), Options()), U("01 - Song.mp3"));
}

TEST_F(FixFileNameTest, AStemOfOnlyDotsKeepsTheOldName) {
    struct Case {
        const char* title;
        const char* pattern;
        bool misses;
        const char* expected;
    };
    const Case cases[] = {
        {"..", "%title.mp3", true, "Old Name.mp3"},   {"..", "%title.mp3", false, "Old Name.mp3"},
        {".", "%title.mp3", false, "Old Name.mp3"},   {"...", "%title", false, "Old Name.mp3"},
        {" . ", "%title.mp3", false, "Old Name.mp3"}, {".a", "%title.mp3", false, ".A.mp3"},
    };
    for (const Case& c : cases) {
        const QString path = Make(QStringLiteral("old_name.mp3"), {Text("TIT2", c.title)}, nullptr);
        Options options;
        options.bMisses = c.misses;
        options.Change = 1;
        EXPECT_EQ(FixFileName(path, U(c.pattern), kIn, options), U(c.expected)) << c.title;
    }
}

TEST_F(FixFileNameTest, ID3v2GenreNameIsUsedAsItIs) {
    mp3::V1 v1;
    v1.genre = 0;
    for (const char* frame : {"(17)Rock", "(17)", "(0)Velt Core"}) {
        const QString path =
            Make(QStringLiteral("x.mp3"), {Text("TIT2", "Song"), Text("TCON", frame)}, &v1);
        const QString expected = frame == QByteArrayView("(0)Velt Core") ? U("Velt Core - Song.mp3")
                                                                         : U("Rock - Song.mp3");
        EXPECT_EQ(FixFileName(path, U("%genre - %title.mp3"), kIn, Options()), expected) << frame;
    }
}

TEST_F(FixFileNameTest, NothingKnownKeepsTheOldName) {
    mp3::V1 empty;
    const QString path = Make(QStringLiteral("old_name.mp3"), {}, &empty);
    EXPECT_EQ(FixFileName(path, kOut, kIn, Options()), U("Old Name.mp3"));
    EXPECT_EQ(FixFileName(path, U(".mp3"), kIn, Options()), U("Old Name.mp3"));
    EXPECT_EQ(FixFileName(path, QString(), kIn, Options()), U("Old Name.mp3"));
    EXPECT_EQ(FixFileName(dir.filePath(QStringLiteral("missing.mp3")), kOut, kIn, Options()),
              QString());
}

TEST_F(FixFileNameTest, TagsSwitchedOffOrNoExtensionUseTheName) {
    mp3::V1 v1;
    v1.title = "Tagged";
    v1.artist = "Tagged";
    const QString path = Make(QStringLiteral("Velt - Harbour.mp3"), {}, &v1);
    Options options;
    options.bID3 = false;
    EXPECT_EQ(FixFileName(path, kOut, kIn, options), U("Velt - Harbour.mp3"));
    options.bID3 = true;
    options.Extension = QStringLiteral("  ");
    options.bExtension = false;
    EXPECT_EQ(FixFileName(path, kOut, kIn, options), U("Velt - Harbour.mp3"));
}

TEST_F(FixFileNameTest, TitleFromTheNameLosesTheArtist) {
    mp3::V1 v1;
    v1.artist = "Velt";
    const QString path = Make(QStringLiteral("Velt - Harbour.mp3"), {}, &v1);
    EXPECT_EQ(FixFileName(path, U("%artist - %title.mp3"), U("%title.mp3"), Options()),
              U("Velt - Harbour.mp3"));
    Options noMisses;
    noMisses.bMisses = false;
    EXPECT_EQ(FixFileName(path, U("%artist - %title.mp3"), U("%title.mp3"), noMisses),
              U("Velt - Velt - Harbour.mp3"));
}

TEST_F(FixFileNameTest, CaseModeTwoWorksOnTheValues) {
    const QString path =
        Make(QStringLiteral("x.mp3"), {Text("TIT2", "hARBOUR"), Text("TPE1", "VELT")}, nullptr);
    Options options;
    options.Change = 2;
    EXPECT_EQ(FixFileName(path, U("%artist - %title [LIVE].mp3"), kIn, options),
              U("Velt - Harbour [LIVE].mp3"));
}

TEST_F(FixFileNameTest, PlaceholdersAreCaseSensitiveAndRepeatable) {
    const QString path =
        Make(QStringLiteral("x.mp3"), {Text("TIT2", "Harbour"), Text("TPE1", "Velt")}, nullptr);
    EXPECT_EQ(FixFileName(path, U("%Artist %artist %artist.mp3"), kIn, NoRules()),
              U("%Artist Velt Velt.mp3"));
}

TEST_F(FixFileNameTest, TagTextsNoFileSystemTakes) {
    const QString path =
        Make(QStringLiteral("x.mp3"),
             {Text("TIT2", "A/B: \"C\"?\t"), Text("TPE1", "Velt"), Text("TALB", "..")}, nullptr);
    EXPECT_EQ(FixFileName(path, U("%artist - %title.mp3"), kIn, Options()), U("Velt - A B C.mp3"));
    EXPECT_EQ(FixFileName(path, U("%album"), kIn, NoRules()), U("x.mp3"));

    const QString longTitle = QString(200, u'x');
    const QString longPath = Make(QStringLiteral("y.mp3"),
                                  {mp3::V2TextFrame("TIT2", longTitle.toLatin1()),
                                   mp3::V2TextFrame("TPE1", longTitle.toLatin1())},
                                  nullptr);
    const QString cut = FixFileName(longPath, kOut, kIn, Options());
    EXPECT_LE(cut.toUtf8().size(), 255);
    EXPECT_TRUE(cut.endsWith(U(".mp3")));
}

TEST_F(FixFileNameTest, OddOutputPatterns) {
    const QString path =
        Make(QStringLiteral("old.mp3"), {Text("TIT2", "Harbour"), Text("TPE1", "Velt")}, nullptr);
    const std::pair<QString, QString> cases[] = {
        {U("no placeholder.mp3"), U("Old.mp3")},
        {U("%%%"), U("Old.mp3")},
        {U("%artist%title"), U("Veltharbour.mp3")},
        {U("%art - %title.mp3"), U("%art - Harbour.mp3")},
        {U("100% %title%.mp3"), U("100% Harbour%.mp3")},
        {U("%artist - %title - ") + QString(400, u'x') + U(".mp3"), QString()},
    };
    for (const auto& [pattern, expected] : cases) {
        const QString name = FixFileName(path, pattern, kIn, Options());
        if (!expected.isEmpty()) {
            EXPECT_EQ(name, expected) << pattern.toStdString();
        }
        EXPECT_LE(name.toUtf8().size(), 255);
        EXPECT_TRUE(name.endsWith(U(".mp3"))) << name.toStdString();
    }
}

TEST_F(FixFileNameTest, NamesOutsideTheCodePageSurvive) {
    const QString path = Make(U("вельт - гавань 🎵.mp3"), {}, nullptr);
    EXPECT_EQ(FixFileName(path, kOut, kIn, Options()), U("Вельт - Гавань 🎵.mp3"));
    Options removing;
    removing.bRemoveChars = true;
    EXPECT_EQ(FixFileName(path, kOut, kIn, removing), U("Вельт - Гавань 🎵.mp3"));
}

TEST_F(FixFileNameTest, RealFileFromAnotherTagger) {
    const QString corpus = QStringLiteral(ZARN_CORPUS_DIR "/mutagen/id3v1v2-combined.mp3");
    ASSERT_TRUE(QFile::exists(corpus)) << "corpus file missing: " << corpus.toStdString();
    const QString path = dir.filePath(QStringLiteral("combined.mp3"));
    ASSERT_TRUE(QFile::copy(corpus, path));
    // Artist from the ID3v2.4 tag, album from the ID3v1 tag.
    EXPECT_EQ(FixFileName(path, U("%artist - %album.mp3"), kIn, Options()),
              U("Anais Mitchell - Hymns For The Exiled.mp3"));
}

TEST(FixFileName2, PanelValuesInTheirOrder) {
    NameFields panel;
    panel.oldName = U("Velt - Harbour.mp3");
    panel.inPattern = kIn;
    panel.outPattern = U("%track - %artist - %title - %album (%comment) %genre.mp3");
    panel.id3v1 = true;
    panel.v1 = {U("V1 Artist"), U("V1 Title"), U("V1 Album"), U("3"), U(""), U("Rock"), U("c1")};
    panel.v2 = {U("V2 Artist"), U(""), U(""), U(""), U(""), U(""), U("")};
    const QString file = U("/music/Velt - Harbour.mp3");
    Options options = NoRules();
    EXPECT_EQ(FixFileName2(panel, file, options),
              U("03 - V2 Artist - V1 Title - V1 Album (c1) Rock.mp3"));

    panel.v1 = {};
    EXPECT_EQ(FixFileName2(panel, file, options), U(" - V2 Artist - Harbour -  () .mp3"));

    panel.id3v1 = false;
    EXPECT_EQ(FixFileName2(panel, file, options), U(" - Velt - Harbour -  () .mp3"));

    panel.oldName.clear();
    EXPECT_EQ(FixFileName2(panel, file, options), U("Velt - Harbour.mp3"));
}

}  // namespace
