// The tag panel's editing rules without a window.
#include <gtest/gtest.h>

#include "tests/support/qtstrings.h"
#include "zarn/editing/panelrules.h"
#include "zarn/tags/id3v1limits.h"

namespace {

TEST(PanelRules, NumberFilters) {
    constexpr auto A = NumberKey::Accept, R = NumberKey::Reject, S = NumberKey::Replace;
    struct Case {
        bool v2;
        const char* text;
        char key;
        NumberKey::Action action;
        const char* result;
    } cases[] = {
        {false, "9", '+', S, "10"},  {false, "0", '-', R, ""},
        {false, "00", '-', S, "-1"}, {false, "*", '+', R, ""},
        {false, "007", '+', S, "8"}, {false, "-5", '+', S, "-4"},
        {false, "3.7", '+', S, "4"}, {false, "", '+', R, ""},
        {false, "12", '5', A, ""},   {false, "12", '*', A, ""},
        {false, "12", '\b', A, ""},  {false, "12", 'a', R, ""},
        {false, "12", '/', R, ""},   {true, "3/12", '+', R, ""},
        {true, "0", '-', R, ""},     {true, "1999", '+', S, "2000"},
        {true, "007", '-', S, "6"},  {true, "-5", '+', R, ""},
        {true, "12", '/', R, ""},    {true, "12", '*', A, ""},
        {true, "", '-', R, ""},      {true, "99999999999999999999", '+', R, ""},
    };
    for (const Case& c : cases) {
        const NumberKey key = c.v2 ? ID3v2NumberKey(U(c.text), QLatin1Char(c.key))
                                   : ID3v1NumberKey(U(c.text), QLatin1Char(c.key));
        EXPECT_EQ(key.action, c.action) << c.v2 << c.text << c.key;
        if (c.action == S) {
            EXPECT_EQ(key.text, U(c.result)) << c.text << c.key;
        }
    }
}

TEST(PanelRules, CopyBetweenTheVersions) {
    PanelValues v;
    v.v2 = {QString(35, u'a'), QString(31, u't'), U("Album"), U("3/12"), U("2004-05-06"), U(""),
            QString(40, u'c')};
    v.composer = U("Composer");
    const PanelValues to = CopiedToID3v1(v);
    EXPECT_TRUE(to.id3v1);
    EXPECT_EQ(to.v1.artist, QString(30, u'a'));
    EXPECT_EQ(to.v1.title, QString(30, u't'));
    EXPECT_EQ(to.v1.track, U("3/12"));
    EXPECT_EQ(to.v1.year, U("2004"));
    EXPECT_EQ(to.v1.comment, QString(28, u'c'));
    EXPECT_EQ(to.v1.genre, QString());

    PanelValues from;
    from.v1 = {U("A"), U("T"), U("Al"), U("7"), U("1999"), U("Rock"), U("C")};
    from.composer = U("Kept");
    const PanelValues back = CopiedFromID3v1(from);
    EXPECT_TRUE(back.id3v2);
    EXPECT_EQ(back.v2.genre, U("Rock"));
    EXPECT_EQ(back.v2.track, U("7"));
    EXPECT_EQ(back.composer, U("Kept"));
}

TEST(PanelRules, OptimizedLengthsAndArrows) {
    struct Case {
        int comment;
        bool track;
        int album, title, artist;
    } cases[] = {{4, true, 0, 53, 59},
                 {30, false, 30, 30, 29},
                 {0, false, 10, 59, 49},
                 {28, true, 70, 30, 0}};
    for (const Case& c : cases) {
        const ID3v1BoxLimits limits = ID3v1LengthLimits(true, c.album, c.comment, c.track);
        EXPECT_EQ(limits.title, c.title) << c.comment << c.track;
        EXPECT_EQ(limits.artist, c.artist) << c.album;
    }
    EXPECT_FALSE(NeedsOptimizedPacking(QString(30, u'x')));
    EXPECT_TRUE(NeedsOptimizedPacking(QString(31, u'x')));
    EXPECT_EQ(RowAfterArrow(0, 5, true), 0);
    EXPECT_EQ(RowAfterArrow(3, 5, true), 2);
    EXPECT_EQ(RowAfterArrow(4, 5, false), 4);
    EXPECT_EQ(RowAfterArrow(-1, 5, false), 0);
    EXPECT_EQ(RowAfterArrow(0, 0, false), -1);
}

}  // namespace
