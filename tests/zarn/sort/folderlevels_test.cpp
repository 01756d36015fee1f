#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "zarn/sort/folderlevels.h"
#include "zarn/sort/sortsettings.h"

namespace {

TEST(FolderLevelsTest, SafeFolderName) {
    const std::pair<const char*, const char*> cases[] = {
        {"Velt", "Velt"},    {" Velt ", "Velt"},  {"AC/DC", "AC DC"}, {"Pop/Funk", "Pop Funk"},
        {"a\\b:c", "a b c"}, {"Why?\"", "Why"},   {"", "Unknown"},    {".", "Unknown"},
        {"..", "Unknown"},   {" .. ", "Unknown"}, {"/", "Unknown"},   {"\x01\x1f", "Unknown"},
        {"...", "..."},      {"Björk", "Björk"},
    };
    for (const auto& [text, folder] : cases) EXPECT_EQ(SafeFolderName(U(text)), U(folder)) << text;
}

TEST(FolderLevelsTest, LetterAndSameArtist) {
    EXPECT_EQ(LetterFolder(U("velt")), U("V"));
    EXPECT_EQ(LetterFolder(U(" 2pac")), U("2"));
    EXPECT_EQ(LetterFolder(U("élan")), U("É"));
    EXPECT_EQ(LetterFolder(U("  ")), QString());
    EXPECT_TRUE(SameArtist(U("Velt"), U("VELT")));
    EXPECT_FALSE(SameArtist(U("Velt"), U("Velt ")));
}

// The artist of a row: the name first, then ID3v1, then ID3v2, then "Unknown".
TEST(FolderLevelsTest, ArtistOfRowFallsBackThroughTheTags) {
    QTemporaryDir dir;
    struct Case {
        const char* file;
        QByteArray v1Artist;  // empty: no ID3v1 tag
        QByteArray v2Artist;  // empty: no ID3v2 tag
        bool fixNames;
        const char* newName;
        const char* artist;
    } cases[] = {
        {"Velt - Harbour.mp3", "Tagged", "", false, "", "Velt"},
        {"Velt - Harbour.mp3", "", "", true, "velt_band - Harbour.mp3", "Velt Band"},
        {"Harbour.mp3", "One", "Two", false, "", "One"},
        {"Harbour.mp3", "", "Two", false, "", "Two"},
        {"Harbour.mp3", "", "", false, "", "Unknown"},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(U(c.file));
        QByteArray bytes;
        if (!c.v2Artist.isEmpty()) bytes += mp3::ID3v2Tag({mp3::V2TextFrame("TPE1", c.v2Artist)});
        bytes += mp3::Audio(2);
        if (!c.v1Artist.isEmpty()) {
            mp3::V1 v1;
            v1.artist = c.v1Artist;
            bytes += mp3::ID3v1Tag(v1);
        }
        ASSERT_TRUE(mp3::WriteFile(path, bytes));
        SortSettings s;
        s.fixNames = c.fixNames;
        s.inPattern = U("%artist - %title.mp3");
        s.outPattern = U("%artist - %title.mp3");
        // "%title.mp3" names give no artist through this input pattern.
        if (QString::fromUtf8(c.file) == u"Harbour.mp3") s.inPattern = U("%title.mp3");
        EXPECT_EQ(ArtistOfRow(path, U(c.newName), s), U(c.artist)) << c.file << c.newName;
    }
}

}  // namespace
