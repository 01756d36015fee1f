#include <gtest/gtest.h>

#include "options_fixture.h"
#include "zarn/names/patterns.h"
#include "zarn/shell/options.h"
#include "zarn/shell/text.h"

namespace {

struct FieldCase {
    const char* pattern;
    const char* path;
    const char* field;
    const char* expected;
};

class GetFieldFromNameTest : public testing::TestWithParam<FieldCase> {};

TEST_P(GetFieldFromNameTest, TakesTheFieldOutOfTheName) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(GetFieldFromName(QString::fromUtf8(c.path), QString::fromUtf8(c.field),
                               QString::fromUtf8(c.pattern), Options()),
              QString::fromUtf8(c.expected))
        << c.pattern << " | " << c.path << " | " << c.field;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, GetFieldFromNameTest,
    testing::Values(
        FieldCase{"%artist - %title.mp3", R"(C:\Music\Velt - Harbour.mp3)", "artist", "Velt"},
        FieldCase{"%artist - %title.mp3", R"(C:\Music\Velt - Harbour.mp3)", "title", "Harbour"},
        FieldCase{"%artist - %title.mp3", "/home/me/Velt - Harbour.mp3", "TITLE", "Harbour"},
        FieldCase{"%Artist - %TITLE.mp3", "Velt - Harbour.mp3", "artist", "Velt"},
        FieldCase{"%track. %title.mp3", "07. Song.mp3", "track", "07"},
        FieldCase{"%track. %title.mp3", "07. Song.mp3", "title", "Song"},
        FieldCase{"%track. %title.mp3", "A. Song.mp3", "track", ""},
        FieldCase{"%year - %title.mp3", "199x - Song.mp3", "year", ""},
        // One folder level per backslash (or slash) in the pattern.
        FieldCase{R"(%artist\%album\%track - %title.mp3)", R"(D:\mp3\Velt\Hits\01 - Harbour.mp3)",
                  "artist", "Velt"},
        FieldCase{R"(%artist\%album\%track - %title.mp3)", R"(D:\mp3\Velt\Hits\01 - Harbour.mp3)",
                  "album", "Hits"},
        FieldCase{R"(%artist\%album\%track - %title.mp3)", R"(D:\mp3\Velt\Hits\01 - Harbour.mp3)",
                  "track", "01"},
        FieldCase{R"(%artist\%album\%track - %title.mp3)", R"(D:\mp3\Velt\Hits\01 - Harbour.mp3)",
                  "title", "Harbour"},
        FieldCase{"%artist/%album/%track - %title.mp3", "/mp3/Velt/Hits/01 - Harbour.mp3", "album",
                  "Hits"},
        FieldCase{R"(%artist\%album\%track - %title.mp3)", R"(Hits\01 - Harbour.mp3)", "artist",
                  ""},
        FieldCase{R"(%artist\%album\%track - %title.mp3)", R"(Hits\01 - Harbour.mp3)", "title", ""},
        // A value whose separator is missing runs to the end less the extension.
        FieldCase{"%album - %title.mp3", "Hits.mp3", "album", "Hits"},
        FieldCase{"%album - %title.mp3", "Hits.mp3", "title", ""},
        // A literal tail longer than the whole name leaves nothing to take.
        FieldCase{"%title - a long literal tail.mp3", "a.mp3", "title", ""},
        // Leading literal text is skipped, not compared.
        FieldCase{"[%artist] %title.mp3", "[Velt] Harbour.mp3", "artist", "Velt"},
        FieldCase{"[%artist] %title.mp3", "[Velt] Harbour.mp3", "title", "Harbour"},
        FieldCase{"%artist - %title.mp3", "Velt%20-%20Harbour.mp3", "title", "Harbour"},
        FieldCase{"%artist - %title.mp3", "Velt_-_Harbour.mp3", "artist", "Velt"},
        // Sorted slot 0 is never walked.
        FieldCase{"%artist - %title - %album - %track - %year - %genre - %comment.mp3",
                  "Velt - Harbour - Hits - 01 - 1999 - Rock - Fine.mp3", "artist", ""},
        // Patterns that name nothing.
        FieldCase{"", "Velt - Harbour.mp3", "artist", ""},
        FieldCase{"   ", "Velt - Harbour.mp3", "artist", ""},
        FieldCase{"%artist - %title.mp3", "Velt - Harbour.mp3", "album", ""},
        FieldCase{"no placeholder.mp3", "Velt - Harbour.mp3", "title", ""},
        FieldCase{"%%%", "Velt - Harbour.mp3", "title", ""}, FieldCase{"%title%", "%", "title", ""},
        FieldCase{"%artist%title", "", "title", ""},
        FieldCase{"%artist - %title.mp3", "Вельт - Гавань.mp3", "title", "Гавань"},
        FieldCase{"%artist - %title.mp3", "🎵 - 港.mp3", "artist", "🎵"}));

TEST(GetFieldFromName, WithoutExtensionOptionKeepsTheNamesOwnEnding) {
    Options options;
    options.bExtension = false;
    EXPECT_EQ(GetFieldFromName(QStringLiteral("Velt - Harbour.ogg"), QStringLiteral("title"),
                               QStringLiteral("%artist - %title.mp3"), options),
              QStringLiteral("Harbour"));
    options.bScoreToSpace = false;
    EXPECT_EQ(GetFieldFromName(QStringLiteral("Velt_-_Harbour.mp3"), QStringLiteral("artist"),
                               QStringLiteral("%artist_-_%title.mp3"), options),
              QStringLiteral("Velt"));
}

TEST(GetFieldFromName, VeryLongNamesAndPatternsDoNotBreakIt) {
    const QString longName = QString(5000, u'x') + QStringLiteral(" - y.mp3");
    EXPECT_EQ(GetFieldFromName(longName, QStringLiteral("title"),
                               QStringLiteral("%artist - %title.mp3"), Options()),
              QStringLiteral("y"));
    const QString longPattern = QString(3000, u'%') + QStringLiteral("%title");
    EXPECT_EQ(
        GetFieldFromName(QStringLiteral("a.mp3"), QStringLiteral("title"), longPattern, Options()),
        QStringLiteral("a.mp3"));
}

TEST(IsAllDigits, OnlyDigitsAndNotEmpty) {
    EXPECT_TRUE(IsAllDigits(QStringLiteral("0123456789")));
    EXPECT_FALSE(IsAllDigits(QString()));
    EXPECT_FALSE(IsAllDigits(QStringLiteral("1 ")));
    EXPECT_FALSE(IsAllDigits(QStringLiteral("-1")));
    EXPECT_FALSE(IsAllDigits(QStringLiteral("٣")));  // other scripts' digits are not "0".."9"
}

}  // namespace
