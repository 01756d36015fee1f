#include "zarn/tags/mpegheader.h"

#include <gtest/gtest.h>

#include "tests/support/mp3writer.h"
#include "zarn/tags/roundhalfeven.h"

namespace {

TEST(ByteToBits, MostSignificantBitFirst) {
    const struct {
        int code;
        const char16_t* bits;
    } cases[] = {{255, u"11111111"},
                 {5, u"00000101"},
                 {0, u"00000000"},
                 {0x80, u"10000000"},
                 {0x6A, u"01101010"}};
    for (const auto& c : cases)
        EXPECT_EQ(ByteToBits(char(c.code)), QString::fromUtf16(c.bits)) << c.code;
}

TEST(BitrateText, TablesByVersionAndLayer) {
    const struct {
        const char16_t* index;
        int version, layer;
        const char16_t* text;
    } cases[] = {
        {u"1001", kMpeg1, 3, u"128"},     {u"1001", kMpeg2, 3, u"80"},
        {u"0001", kMpeg1, 1, u"32"},      {u"1110", kMpeg1, 1, u"448"},
        {u"0010", kMpeg1, 2, u"48"},      {u"1110", kMpeg1, 2, u"384"},
        {u"0010", kMpeg1, 3, u"40"},      {u"1110", kMpeg1, 3, u"320"},
        {u"1001", kMpeg2, 1, u"144"},     {u"1110", kMpeg2, 1, u"256"},
        {u"0001", kMpeg2, 2, u"8"},       {u"1110", kMpeg2, 2, u"160"},
        {u"0000", kMpeg1, 3, u"free"},    {u"1111", kMpeg2, 1, u"bad"},
        {u"1001", kMpeg25, 3, u"80"},     {u"0000", kMpeg25, 3, u"free"},
        {u"1001", kMpegUnknown, 3, u"?"}, {u"1001", kMpeg1, 0, u"?"},
        {u"1001", kMpeg1, 4, u"?"},       {u"10x1", kMpeg1, 3, u"?"},
        {u"100", kMpeg1, 3, u"?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BitrateText(QString::fromUtf16(c.index), c.version, c.layer),
                  QString::fromUtf16(c.text))
            << QString::fromUtf16(c.index).toStdString() << " " << c.version << " " << c.layer;
}

TEST(SampleRate, ByVersionAndIndex) {
    const struct {
        int version;
        const char16_t* index;
        int rate;
    } cases[] = {
        {kMpeg1, u"00", 44100},   {kMpeg1, u"01", 48000},  {kMpeg1, u"10", 32000},
        {kMpeg2, u"00", 22050},   {kMpeg2, u"01", 24000},  {kMpeg2, u"10", 16000},
        {kMpeg25, u"00", 11025},  {kMpeg25, u"01", 12000}, {kMpeg25, u"10", 8000},
        {kMpeg1, u"11", 0},       {kMpeg2, u"11", 0},      {kMpeg25, u"11", 0},
        {kMpegUnknown, u"00", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SampleRate(c.version, QString::fromUtf16(c.index)), c.rate)
            << c.version << " " << QString::fromUtf16(c.index).toStdString();
}

TEST(DecodeMpegHeader, VersionsAndLayers) {
    const struct {
        int version, layer, bitrateIndex, sampleRateIndex;
        const char16_t *versionText, *layerText, *bitrate;
        int rate;
    } cases[] = {
        {1, 1, 4, 1, u"MPEG 1.0", u" layer 1", u"128", 48000},
        {1, 2, 9, 2, u"MPEG 1.0", u" layer 2", u"160", 32000},
        {1, 3, 9, 0, u"MPEG 1.0", u" layer 3", u"128", 44100},
        {2, 1, 9, 0, u"MPEG 2.0", u" layer 1", u"144", 22050},
        {2, 2, 5, 1, u"MPEG 2.0", u" layer 2", u"40", 24000},
        {2, 3, 9, 2, u"MPEG 2.0", u" layer 3", u"80", 16000},
        {25, 3, 9, 0, u"MPEG 2.5", u" layer 3", u"80", 11025},
        {25, 1, 0, 2, u"MPEG 2.5", u" layer 1", u"free", 8000},
    };
    for (const auto& c : cases) {
        mp3::FrameSpec shape;
        shape.version = c.version;
        shape.layer = c.layer;
        shape.bitrateIndex = c.bitrateIndex;
        shape.sampleRateIndex = c.sampleRateIndex;
        const MpegHeader h = DecodeMpegHeader(mp3::FrameHeader(shape));
        SCOPED_TRACE(c.version * 10 + c.layer);
        EXPECT_EQ(h.versionText, QString::fromUtf16(c.versionText));
        EXPECT_EQ(h.layerText, QString::fromUtf16(c.layerText));
        EXPECT_EQ(h.layer, c.layer);
        EXPECT_EQ(h.bitrateText, QString::fromUtf16(c.bitrate));
        EXPECT_EQ(h.bitrate, h.bitrateText == u"?" ? 0 : h.bitrateText.toInt() * 1000);
        EXPECT_EQ(h.sampleRate, c.rate);
    }
}

TEST(DecodeMpegHeader, UnknownVersionAndLayer) {
    // FF E9 90 00: version bits "01", layer bits "00"
    const MpegHeader h = DecodeMpegHeader(QByteArray("\xFF\xE9\x90\x00", 4));
    EXPECT_EQ(h.versionText, u"MPEG ?.?");
    EXPECT_EQ(h.layerText, u" layer ?");
    EXPECT_EQ(h.bitrateText, u"?");
    EXPECT_EQ(h.sampleRate, 0);
    EXPECT_EQ(FrameLength(h), 0);
}

TEST(DecodeMpegHeader, FlagsAndModes) {
    const struct {
        int channelMode, emphasis;
        bool protection, copyright, original, padding;
        const char16_t *channel, *emphasisText;
    } cases[] = {
        {0, 0, false, false, false, false, u" Stereo", u"None"},
        {1, 1, true, true, false, true, u" JStereo", u"50/15 micros"},
        {2, 2, false, false, true, false, u" DStereo", u"?"},
        {3, 3, true, true, true, true, u" Mono", u"CCIT J.17"},
    };
    for (const auto& c : cases) {
        mp3::FrameSpec shape;
        shape.channelMode = c.channelMode;
        shape.emphasis = c.emphasis;
        shape.protection = c.protection;
        shape.copyright = c.copyright;
        shape.original = c.original;
        shape.padding = c.padding;
        const QByteArray bytes = mp3::FrameHeader(shape);
        const MpegHeader h = DecodeMpegHeader(bytes);
        SCOPED_TRACE(c.channelMode);
        EXPECT_EQ(h.bits, ByteToBits(bytes[0]) + ByteToBits(bytes[1]) + ByteToBits(bytes[2]) +
                              ByteToBits(bytes[3]));
        EXPECT_EQ(h.channelText, QString::fromUtf16(c.channel));
        EXPECT_EQ(h.emphasisText, QString::fromUtf16(c.emphasisText));
        EXPECT_EQ(h.crcs, c.protection);
        EXPECT_EQ(h.copyrighted, c.copyright);
        EXPECT_EQ(h.original, c.original);
        EXPECT_EQ(h.padding, c.padding);
    }
}

TEST(DecodeMpegHeader, ShortInputCountsAsZeroBytes) {
    const MpegHeader h = DecodeMpegHeader(QByteArray("\xFF", 1));
    EXPECT_EQ(h.bits, QStringLiteral("11111111") + QString(24, u'0'));
    EXPECT_EQ(h.versionText, u"MPEG 2.5");
}

TEST(IsFrameHeader, AcceptsOnlyWhatTheSearchLooksFor) {
    const struct {
        const char* bytes;
        bool header;
    } cases[] = {
        {"\xFF\xFB\x90\x00", true},   // MPEG 1 layer 3
        {"\xFF\xF3\x90\x00", true},   // MPEG 2 layer 3
        {"\xFF\xE3\x90\x00", true},   // MPEG 2.5 layer 3
        {"\xFF\xE1\x90\x00", false},  // MPEG 2.5 without a layer: 11 sync bits alone
        {"\xFF\xFB\xF0\x00", false},  // bitrate index 15
        {"\xFF\xFB\x9C\x00", false},  // sample-rate index 3
        {"\xFF\xF9\x00\x00", true},   // layer "00" and free bitrate still pass
        {"\xFE\xFB\x90\x00", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsFrameHeader(reinterpret_cast<const uchar*>(c.bytes)), c.header)
            << QByteArray(c.bytes, 4).toHex().toStdString();
}

TEST(FrameLength, RoundsHalvesToEven) {
    mp3::FrameSpec shape;  // MPEG 1 layer 3, 128 kbit/s, 44100 Hz
    EXPECT_EQ(FrameLength(DecodeMpegHeader(mp3::FrameHeader(shape))), 418);  // 417.96
    shape.padding = true;
    EXPECT_EQ(FrameLength(DecodeMpegHeader(mp3::FrameHeader(shape))), 419);
    shape = {};
    shape.version = 2;
    shape.bitrateIndex = 1;  // 576 samples of 8 kbit/s at 22050 Hz: 72 x 8000 / 22050 = 26.12
    EXPECT_EQ(FrameLength(DecodeMpegHeader(mp3::FrameHeader(shape))), 26);
    shape.layer = 2;  // layer II frames hold 1152 samples in every version
    EXPECT_EQ(FrameLength(DecodeMpegHeader(mp3::FrameHeader(shape))), 52);
    shape.layer = 3;
    shape.bitrateIndex = 0;  // free
    EXPECT_EQ(FrameLength(DecodeMpegHeader(mp3::FrameHeader(shape))), 0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct {
        qint64 num, den, result;
    } cases[] = {{1536, 1024, 2}, {2560, 1024, 2}, {3584, 1024, 4}, {1535, 1024, 1},
                 {1537, 1024, 2}, {0, 7, 0},       {-3, 2, -2},     {-5, 2, -2},
                 {-7, 4, -2},     {5, 2, 2},       {7, 2, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.num, c.den), c.result) << c.num << "/" << c.den;
}

TEST(PlayingSeconds, DividesByFrameLengthAndFramesPerSecond) {
    EXPECT_EQ(PlayingSeconds(3998838, 418), 249);  // 249.13
    // 10-byte frames: 384 bytes are 1 s, so 192, 576 and 960 bytes are exact halves.
    EXPECT_EQ(PlayingSeconds(192, 10), 0);
    EXPECT_EQ(PlayingSeconds(576, 10), 2);
    EXPECT_EQ(PlayingSeconds(960, 10), 2);
    EXPECT_EQ(PlayingSeconds(961, 10), 3);
    EXPECT_EQ(PlayingSeconds(1000, 0), -1);
}

}  // namespace
