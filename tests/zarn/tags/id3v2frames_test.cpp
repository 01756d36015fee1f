#include <gtest/gtest.h>

#include "tests/support/mp3writer.h"
#include "zarn/tags/id3v2.h"

namespace {

using mp3::V2Frame;
using mp3::V2TextFrame;

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values) bytes.append(char(v));
    return bytes;
}

QByteArray Utf16LE(const QString& text, bool bom = true) {
    QByteArray bytes = bom ? QByteArray("\xFF\xFE") : QByteArray();
    for (QChar ch : text) bytes += char(ch.unicode() & 0xFF), bytes += char(ch.unicode() >> 8);
    return bytes;
}

QByteArray Utf16BE(const QString& text, bool bom) {
    QByteArray bytes = bom ? QByteArray("\xFE\xFF") : QByteArray();
    for (QChar ch : text) bytes += char(ch.unicode() >> 8), bytes += char(ch.unicode() & 0xFF);
    return bytes;
}

const QByteArray kNul(1, '\0');
const QByteArray kNul2(2, '\0');

TEST(FrameText, ReadsByEncodingAndLastNulRule) {
    struct Case {
        const char* name;
        QByteArray data;
        QByteArray id;
        QString text;
    };
    const Case cases[] = {
        {"plain text", V2TextFrame("TIT2", "Song"), "TIT2", u"Song"_qs},
        {"Windows-1252 byte", V2TextFrame("TIT2", "\x80 \xE9"), "TIT2", u"€ é"_qs},
        {"missing frame", V2TextFrame("TIT2", "Song"), "TPE1", {}},
        {"terminated text", V2TextFrame("TIT2", QByteArray("Song\0", 5)), "TIT2", u"Song"_qs},
        {"only a terminator", V2TextFrame("TIT2", kNul), "TIT2", {}},
        {"terminated second value", V2TextFrame("TPE1", QByteArray("A\0B\0", 4)), "TPE1",
         u"A / B"_qs},
        {"terminated comment", V2Frame("COMM", kNul + "eng" + "d" + kNul + "Hey" + kNul), "COMM",
         u"Hey"_qs},
        {"comment with description, empty text",
         V2Frame("COMM", kNul + "eng" + "desc" + kNul),
         "COMM",
         {}},
        {"url with description, no url", V2Frame("WXXX", kNul + "desc" + kNul), "WXXX", {}},
        {"url without description terminator", V2Frame("WXXX", kNul + "http://n"), "WXXX",
         u"http://n"_qs},
        {"comment without description terminator", V2Frame("COMM", kNul + "eng" + "xHello"), "COMM",
         u"Hello"_qs},
        {"unknown encoding byte", V2Frame("TIT2", QByteArray("\x07Song")), "TIT2", u"Song"_qs},
        {"comment with description only",
         V2Frame("COMM", kNul + "eng" + "d" + kNul + kNul),
         "COMM",
         {}},
        {"size 1 is empty", V2TextFrame("TIT2", ""), "TIT2", {}},
        {"size 0 is empty", V2Frame("TIT2", ""), "TIT2", {}},
        {"values joined", V2TextFrame("TPE1", QByteArray("A\0B", 3)), "TPE1", u"A / B"_qs},
        {"comment skips description", V2Frame("COMM", kNul + "eng" + "desc" + kNul + "Hello"),
         "COMM", u"Hello"_qs},
        {"comment empty description", V2Frame("COMM", kNul + "eng" + kNul + "Hi"), "COMM",
         u"Hi"_qs},
        {"url skips description", V2Frame("WXXX", kNul + "d" + kNul + "http://x"), "WXXX",
         u"http://x"_qs},
        {"data ends early", V2TextFrame("TIT2", "Song").left(12), "TIT2", u"S"_qs},
        {"identifier inside another frame's text",
         V2TextFrame("TIT2", "TPE1") + V2TextFrame("TPE1", "A"), "TPE1", u"A"_qs},
        {"UTF-16 with BOM", V2Frame("TIT2", Bytes({1}) + Utf16LE(u"Łódź"_qs)), "TIT2", u"Łódź"_qs},
        {"UTF-16 big-endian BOM", V2Frame("TIT2", Bytes({1}) + Utf16BE(u"Ωmega"_qs, true)), "TIT2",
         u"Ωmega"_qs},
        {"UTF-16BE without BOM", V2Frame("TIT2", Bytes({2}) + Utf16BE(u"日本"_qs, false)), "TIT2",
         u"日本"_qs},
        {"UTF-8", V2Frame("TALB", Bytes({3}) + QString(u"Ærø ♫"_qs).toUtf8()), "TALB", u"Ærø ♫"_qs},
        {"UTF-8 two values", V2Frame("TPE1", Bytes({3}) + "One" + kNul + "Two"), "TPE1",
         u"One / Two"_qs},
        // The aligned terminator, not a zero byte inside a character, ends a UTF-16 string.
        {"UTF-16 comment with description",
         V2Frame("COMM", Bytes({1}) + "eng" + Utf16LE(u"d"_qs) + kNul2 + Utf16LE(u"Ā text"_qs)),
         "COMM", u"Ā text"_qs},
        {"UTF-16 terminated value", V2Frame("TIT2", Bytes({1}) + Utf16LE(u"x"_qs) + kNul2), "TIT2",
         u"x"_qs},
        {"UTF-16 two terminated values",
         V2Frame("TPE1", Bytes({1}) + Utf16LE(u"x"_qs) + kNul2 + Utf16LE(u"y"_qs) + kNul2), "TPE1",
         u"x / y"_qs},
        {"terminated URL", V2Frame("WXXX", kNul + kNul + "http://t" + kNul), "WXXX",
         u"http://t"_qs},
        {"UTF-16 URL is single-byte after the description",
         V2Frame("WXXX", Bytes({1}) + Utf16LE(u"d"_qs) + kNul2 + "http://y"), "WXXX",
         u"http://y"_qs},
        {"UTF-8 URL", V2Frame("WXXX", Bytes({3}) + kNul + "http://z"), "WXXX", u"http://z"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FrameText(c.data, c.id), c.text);
    }
}

TEST(RemoveFrame, CutsExactlyOneFrame) {
    const QByteArray a = V2TextFrame("TIT2", "Title"), b = V2TextFrame("TPE1", "Artist");
    const QByteArray c = V2Frame("COMM", kNul + "eng" + kNul + "x");
    EXPECT_EQ(RemoveFrame(a + b + c, "TPE1"), a + c);
    EXPECT_EQ(RemoveFrame(a + b + c, "COMM"), a + b);
    EXPECT_EQ(RemoveFrame(a + b, "TALB"), a + b);
    // Only the first of two frames with the same identifier goes.
    EXPECT_EQ(RemoveFrame(c + a + c, "COMM"), a + c);
    // A size past the end removes the rest.
    EXPECT_EQ(RemoveFrame(a + V2TextFrame("TALB", "x").left(12), "TALB"), a);
    EXPECT_EQ(RemoveFrame(a + "TALB", "TALB"), a + "TALB");
}

TEST(MakeFrame, Layouts) {
    struct Case {
        const char* name;
        QByteArray id;
        QString value;
        QByteArray frame;
    };
    const Case cases[] = {
        {"text", "TIT2", u"Song"_qs, QByteArray("TIT2\0\0\0\x05\0\0\0Song", 15)},
        {"encoder flag", "TENC", u"L"_qs, QByteArray("TENC\0\0\0\x02\x40\0\0L", 12)},
        {"comment", "COMM", u"Hi"_qs, QByteArray("COMM\0\0\0\x07\0\0\0eng\0Hi", 17)},
        {"url", "WXXX", u"u"_qs, QByteArray("WXXX\0\0\0\x03\0\0\0\0u", 13)},
        {"ISO-8859-1 stays single-byte", "TPE1", u"Café ½"_qs,
         QByteArray("TPE1\0\0\0\x07\0\0\0Caf\xE9 \xBD", 17)},
        {"Windows-1252-only characters become UTF-16", "TIT2", u"€"_qs,
         QByteArray("TIT2\0\0\0\x05\0\0\x01\xFF\xFE\xAC\x20", 15)},
        {"C1 controls become UTF-16", "TIT2", QString(QChar(0x85)),
         QByteArray("TIT2\0\0\0\x05\0\0\x01\xFF\xFE\x85\0", 15)},
        {"empty value", "TIT2", QString(), {}},
        {"beyond Windows-1252 becomes UTF-16", "TIT2", u"Ł"_qs,
         QByteArray("TIT2\0\0\0\x05\0\0\x01\xFF\xFE\x41\x01", 15)},
        {"url keeps characters by percent-encoding", "WXXX", u"h/Ł"_qs,
         QByteArray("WXXX\0\0\0\x0A\0\0\0\0h/%C5%81", 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MakeFrame(c.id, c.value), c.frame);
    }
    // Sizes are plain numbers.
    const QByteArray big = MakeFrame("TIT2", QString(200, u'x'));
    EXPECT_EQ(big.mid(4, 4), Bytes({0, 0, 0, 201}));
    EXPECT_EQ(FrameText(big, "TIT2"), QString(200, u'x'));
    const QByteArray comm = MakeFrame("COMM", u"Zażółć"_qs);
    EXPECT_EQ(FrameText(comm, "COMM"), u"Zażółć"_qs);
    EXPECT_EQ(RemoveFrame(comm + "rest", "COMM"), "rest");
}

TEST(MakeTagHeader, SizeBytes) {
    EXPECT_EQ(MakeTagHeader(0), QByteArray("ID3\x03\0\0\0\0\0\0", 10));
    EXPECT_EQ(MakeTagHeader(-5), MakeTagHeader(0));
    EXPECT_EQ(MakeTagHeader(24000).mid(6), Bytes({0, 1, 59, 64}));
    EXPECT_EQ(MakeTagHeader(2097152 * 130 + 5).mid(6), Bytes({2, 0, 0, 5}));
}

}  // namespace
