#include <gtest/gtest.h>

#include <functional>

#include "options_fixture.h"
#include "tests/support/qtstrings.h"
#include "zarn/names/cleanup.h"
#include "zarn/shell/cp1252.h"

namespace {

TEST(CapitaliseWords, UppercasesTheFirstLetterOfEveryWord) {
    const std::pair<const char*, const char*> cases[] = {
        {"velt - harbour.mp3", "Velt - Harbour.Mp3"},
        {"rock-n-roll", "Rock-N-Roll"},
        {"a+b.c", "A+B.C"},
        {"song (live)", "Song (Live)"},
        {"one  two", "One  Two"},
        {"x ", "X "},
        {"élan vital", "Élan Vital"},
        {"mARY had", "MARY Had"},
        {"20 years", "20 Years"},
        {"a 'quoted' word", "A 'Quoted' Word"},
        {"вельт - гавань", "Вельт - Гавань"},
        {"🎵 song", "🎵 Song"},
        {"", ""},
    };
    for (const auto& [input, expected] : cases) {
        QString text = U(input);
        CapitaliseWords(text);
        EXPECT_EQ(text, U(expected)) << input;
    }
}

TEST(RemoveChars, RemovesOrKeepsTheSet) {
    EXPECT_EQ(RemoveChars(U("a^b`c{d}e~f"), Options::DefaultRemoveChars()), U("abcdef"));
    EXPECT_EQ(RemoveChars(U("Café Ärger"), Options::DefaultRemoveChars()), U("Caf Ärger"));
    EXPECT_EQ(RemoveChars(U("Вельт 🎵 港"), Options::DefaultRemoveChars()), U("Вельт 🎵 港"));
    EXPECT_EQ(RemoveChars(U("Velt"), QString()), U("Velt"));
    EXPECT_EQ(RemoveChars(U("Velt"), U("v")), U("Velt"));  // case-sensitive
    EXPECT_EQ(RemoveChars(U("1999-05-03"), U("0123456789"), true), U("19990503"));
    EXPECT_EQ(RemoveChars(U("a🎵b😀"), U("🎵")), U("ab😀"));  // pairs are never split
}

TEST(DefaultRemoveChars, HoldsTheCodePageSignsButNotTheNordicLetters) {
    const QString set = Options::DefaultRemoveChars();
    EXPECT_EQ(set.size(), 121);
    for (const char* kept : {"§", "Ä", "Å", "Æ", "Ö", "Ø", "Ü", "ä", "å", "æ", "ö", "ø", "ü"})
        EXPECT_FALSE(set.contains(U(kept))) << kept;
    for (int code : {94, 96, 123, 125, 126, 127, 128, 159, 160, 191, 192, 233, 255})
        EXPECT_TRUE(set.contains(Cp1252Char(static_cast<unsigned char>(code)))) << code;
}

struct TagCase {
    const char* name;
    std::function<void(Options&)> set;
    const char* input;
    const char* expected;
};

TEST(FixTagText, EachRuleOnAndOff) {
    const TagCase cases[] = {
        {"nothing on", [](Options&) {}, "  (Velt_%20 hits)  ", "(Velt_%20 hits)"},
        {"parentheses", [](Options& o) { o.bParentheses = true; }, "(Live at Wembley)",
         "Live at Wembley"},
        {"parentheses inside", [](Options& o) { o.bParentheses = true; }, "(Live) at Wembley",
         "(Live) at Wembley"},
        {"control characters", [](Options&) {}, "a\tb\nc", "abc"},
        {"remove chars", [](Options& o) { o.bRemoveChars = true; }, "Café~", "Caf"},
        {"empty remove set",
         [](Options& o) {
             o.bRemoveChars = true;
             o.strRemoveChars.clear();
         },
         "Café~", "Café~"},
        {"%20", [](Options& o) { o.b20toSpace = true; }, "a%20b", "a b"},
        {"underscore", [](Options& o) { o.bScoreToSpace = true; }, "a_b", "a b"},
        {"spaces", [](Options& o) { o.bSpaces = true; }, "a    b", "a b"},
        {"mistakes", [](Options& o) { o.bMisses = true; }, "() - Song - ()", "Song"},
        {"mistakes .mp3", [](Options& o) { o.bMisses = true; }, "Song .MP3", "Song"},
        {"mistakes off", [](Options&) {}, "Song.mp3", "Song.mp3"},
        {"case 1 capitals", [](Options& o) { o.Change = 1; }, "VELT HITS", "Velt Hits"},
        {"case 1 mixed", [](Options& o) { o.Change = 1; }, "velt HITS", "Velt HITS"},
        {"case 2", [](Options& o) { o.Change = 2; }, "vELT hITS", "Velt hits"},
        {"case 3", [](Options& o) { o.Change = 3; }, "Velt", "VELT"},
        {"case 4", [](Options& o) { o.Change = 4; }, "Velt", "velt"},
        {"replace whole text",
         [](Options& o) {
             o.bReplace = true;
             o.Replaces = {{U("mp3"), U("X")}, {U(""), U("never")}};
         },
         "song.mp3", "song.X"},
        {"replace then spaces",
         [](Options& o) {
             o.bReplace = true;
             o.bSpaces = true;
             o.Replaces = {{U("feat"), U(" ")}};
         },
         "a feat b", "a b"},
    };
    for (const TagCase& c : cases) {
        Options o = NoRules();
        c.set(o);
        EXPECT_EQ(FixTagText(U(c.input), o), U(c.expected)) << c.name;
    }
}

TEST(CleanNewName, EachRuleOnAndOff) {
    const TagCase cases[] = {
        {"nothing on", [](Options&) {}, "Velt_-%20Hits.MP3", "Velt_-%20Hits.MP3"},
        {"characters a name cannot hold", [](Options&) {}, R"(AC/DC\x:y<z>|*?"q.mp3)",
         "AC DC x y z   q.mp3"},
        {"%20 and underscore",
         [](Options& o) {
             o.b20toSpace = true;
             o.bScoreToSpace = true;
         },
         "Velt_-%20Hits.mp3", "Velt - Hits.mp3"},
        {"spaces", [](Options& o) { o.bSpaces = true; }, "Velt   -  Hits.mp3", "Velt - Hits.mp3"},
        {"dashes always", [](Options&) {}, "a---b - - - c.mp3", "a-b - c.mp3"},
        {"remove chars", [](Options& o) { o.bRemoveChars = true; }, "Café.mp3", "Caf.mp3"},
        {"mistakes trailing dash", [](Options& o) { o.bMisses = true; }, "Velt - Harbour - .mp3",
         "Velt - Harbour.mp3"},
        {"mistakes no dash blanks", [](Options& o) { o.bMisses = true; }, "Velt-Harbour.mp3",
         "Velt - Harbour.mp3"},
        {"mistakes short", [](Options& o) { o.bMisses = true; }, "Ka-Z.mp3", "Ka - Z.mp3"},
        {"mistakes two dashes", [](Options& o) { o.bMisses = true; }, "a-b-c-d.mp3",
         "a - b - c-d.mp3"},
        {"mistakes dots", [](Options& o) { o.bMisses = true; }, "Mr. Bo - Song.mp3",
         "Mr  Bo - Song.mp3"},
        {"mistakes dots, replace and spaces",
         [](Options& o) {
             o.bMisses = true;
             o.bReplace = true;
             o.bSpaces = true;
         },
         "Mr. Bo - Song.mp3", "Mr Bo - Song.mp3"},
        {"mistakes leading separator", [](Options& o) { o.bMisses = true; },
         " - Velt - Harbour.mp3", "Velt - Harbour.mp3"},
        {"leading separator kept", [](Options&) {}, " - Velt - Harbour.mp3",
         " - Velt - Harbour.mp3"},
        {"mistakes empty brackets", [](Options& o) { o.bMisses = true; }, "() - Velt - ().mp3",
         "Velt.mp3"},
        {"mistakes blank before extension", [](Options& o) { o.bMisses = true; },
         "Velt - Hits .mp3", "Velt - Hits.mp3"},
        {"case 1", [](Options& o) { o.Change = 1; }, "VELT - HITS.MP3", "Velt - Hits.Mp3"},
        {"case 1 lowercase extension",
         [](Options& o) {
             o.Change = 1;
             o.bLowExtension = true;
         },
         "VELT - HITS.MP3", "Velt - Hits.mp3"},
        {"case 2 leaves the name", [](Options& o) { o.Change = 2; }, "vELT.mp3", "vELT.mp3"},
        {"case 3", [](Options& o) { o.Change = 3; }, "Velt - Hits.mp3", "VELT - HITS.MP3"},
        {"case 4", [](Options& o) { o.Change = 4; }, "Velt - Hits.MP3", "velt - hits.mp3"},
        {"case 4 beyond ASCII", [](Options& o) { o.Change = 4; }, "VELT ÄRGER Ω.MP3",
         "velt ärger ω.mp3"},
        {"replace spares the extension",
         [](Options& o) {
             o.bReplace = true;
             o.Replaces = {{U("mp3"), U("X")}, {U("Velt"), U("Veld")}};
         },
         "Velt mp3.mp3", "Veld X.mp3"},
        {"replace without a dot",
         [](Options& o) {
             o.bReplace = true;
             o.Replaces = {{U("a"), U("b")}};
         },
         "aaa", "bbb"},
        {"extension", [](Options& o) { o.bExtension = true; }, "Velt.ogg", "Velt.mp3"},
        {"extension for a name without dot", [](Options& o) { o.bExtension = true; }, "Velt",
         "Velt.mp3"},
        {"lowercase extension only", [](Options& o) { o.bLowExtension = true; }, "A.B.MP3",
         "A.B.mp3"},
        {"lowercase extension, no dot", [](Options& o) { o.bLowExtension = true; }, "ABC", "ABC"},
        {"extension text lowered",
         [](Options& o) {
             o.bExtension = true;
             o.bLowExtension = true;
             o.Extension = U("OGG");
         },
         "Velt.mp3", "Velt.ogg"},
    };
    for (const TagCase& c : cases) {
        Options o = NoRules();
        c.set(o);
        EXPECT_EQ(CleanNewName(U(c.input), o), U(c.expected)) << c.name;
    }
}

TEST(CleanNewName, DefaultsOnTypicalNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"01 - velt - harbour.MP3", "01 - Velt - Harbour.mp3"},
        {"velt_-_harbour_(live).mp3", "Velt - Harbour (Live).mp3"},
        {"вельт - гавань.mp3", "Вельт - Гавань.mp3"},
        {" - Velt - Harbour.mp3", "Velt - Harbour.mp3"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(CleanNewName(U(input), Options()), U(expected)) << input;
}

}  // namespace
