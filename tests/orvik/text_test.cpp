#include "orvik/text.h"

#include <gtest/gtest.h>

using namespace orvik;
using namespace Qt::StringLiterals;

TEST(OrvikWholeNumber, ReadsLengthTexts) {
    struct Case {
        QString text;
        qint16 value;
    };
    const Case cases[] = {
        {u"245"_s, 245},     {u"-1"_s, -1},         {u" 12 "_s, 12}, {u"12.5"_s, 12},
        {u"32767"_s, 32767}, {u"-32768"_s, -32768}, {u"32768"_s, 0}, {u"99999999999"_s, 0},
        {u"abc"_s, 0},       {u"12abc"_s, 0},       {QString(), 0},  {u"-"_s, 0},
        {u"1 2"_s, 0},       {u"+7"_s, 7},
    };
    for (const Case& c : cases) EXPECT_EQ(WholeNumber(c.text), c.value) << c.text.toStdString();
}

TEST(OrvikText, SplitsEveryLineEnding) {
    const QStringList expected{u"a"_s, u""_s, u"b"_s, u"c"_s, u"d"_s};
    EXPECT_EQ(SplitLines(u"a\r\n\r\nb\nc\rd"_s), expected);
    EXPECT_EQ(SplitLines(u"a\r\n\r\nb\nc\rd\r\n"_s), expected);
}

TEST(OrvikText, DecodesUtf8ElseWindows1252) {
    // "Björk" in UTF-8, with and without a byte order mark, and in Windows-1252.
    EXPECT_EQ(DecodePlaylistText("Bj\xC3\xB6rk"), u"Björk"_s);
    EXPECT_EQ(DecodePlaylistText("\xEF\xBB\xBF"
                                 "Bj\xC3\xB6rk"),
              u"Björk"_s);
    EXPECT_EQ(DecodePlaylistText("Bj\xF6rk"), u"Björk"_s);
    // 0x80 is the euro sign, 0x81 has no character and keeps its code, 0x9F is Y with diaeresis.
    EXPECT_EQ(DecodePlaylistText("\x80\x81\x9F"), QString::fromUtf16(u"\u20AC\u0081\u0178"));
}

TEST(OrvikText, PositionsCountFromOne) {
    EXPECT_EQ(InStr(1, u"a - b"_s, u" - "_s), 2);
    EXPECT_EQ(InStr(3, u"a - b"_s, u" - "_s), 0);
    EXPECT_EQ(InStr(9, u"abc"_s, u"c"_s), 0);
    EXPECT_EQ(Mid(u"#EXTINF:245,"_s, 9, 3), u"245"_s);
    EXPECT_EQ(Mid(u"abc"_s, 4), QString());
    EXPECT_EQ(TrimBlanks(u" \ta b\t "_s), u"\ta b\t"_s);
}
