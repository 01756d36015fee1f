#include "orvik/text.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <cstring>

#include "orvik/linereader.h"
#include "orvik/playlist.h"

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

namespace {

QStringList AllLines(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LineReader reader(buffer);
    QStringList lines;
    while (const auto line = reader.next()) lines.append(*line);
    return lines;
}

QByteArray Utf16(const QString& text, bool bigEndian) {
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

// Endless bytes without a line end, counting what was taken.
class EndlessDevice : public QIODevice {
  public:
    qint64 given = 0;

  protected:
    qint64 readData(char* data, qint64 size) override {
        std::memset(data, 'x', size_t(size));
        given += size;
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
    bool isSequential() const override { return true; }
};

}  // namespace

TEST(OrvikLineReader, EveryLineEndAndEncoding) {
    struct Case {
        QByteArray bytes;
        QStringList lines;
    };
    // A CR LF that falls on the edge between two reads is still one line end.
    const QByteArray edge = QByteArray(64 * 1024 - 1, 'a') + "\r\nb";
    const Case cases[] = {
        {"a\r\n\r\nb\nc\rd", {u"a"_s, u""_s, u"b"_s, u"c"_s, u"d"_s}},
        {"a\r\n\r\nb\nc\rd\r\n", {u"a"_s, u""_s, u"b"_s, u"c"_s, u"d"_s}},
        {edge, {QString(64 * 1024 - 1, u'a'), u"b"_s}},
        // Each line is UTF-8 when it can be, else Windows-1252; a byte order mark is dropped.
        {"\xEF\xBB\xBF"
         "Bj\xC3\xB6rk\nBj\xF6rk",
         {u"Björk"_s, u"Björk"_s}},
        // 0x80 is the euro sign, 0x81 has no character and keeps its code.
        {"\x80\x81\x9F", {QString::fromUtf16(u"\u20AC\u0081\u0178")}},
        {Utf16(u"Bj\u00F6rk\r\n\U0001F3B5\r\n"_s, false), {u"Björk"_s, u"\U0001F3B5"_s}},
        {Utf16(u"Bj\u00F6rk\nx"_s, true), {u"Björk"_s, u"x"_s}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AllLines(c.bytes), c.lines) << c.bytes.left(40).toHex().toStdString();
}

TEST(OrvikLineReader, NoPlaylistIsReadFurtherThanItsStart) {
    EndlessDevice device;
    device.open(QIODevice::ReadOnly);
    EXPECT_TRUE(ReadPlaylistText(device, u"/x.m3u"_s, PathStyle::Posix).isEmpty());
    EXPECT_LE(device.given, 1024 * 1024);
}

TEST(OrvikText, PositionsCountFromOne) {
    EXPECT_EQ(InStr(1, u"a - b"_s, u" - "_s), 2);
    EXPECT_EQ(InStr(3, u"a - b"_s, u" - "_s), 0);
    EXPECT_EQ(InStr(9, u"abc"_s, u"c"_s), 0);
    EXPECT_EQ(Mid(u"#EXTINF:245,"_s, 9, 3), u"245"_s);
    EXPECT_EQ(Mid(u"abc"_s, 4), QString());
    EXPECT_EQ(TrimBlanks(u" \ta b\t "_s), u"\ta b\t"_s);
}
