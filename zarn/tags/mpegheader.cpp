#include "zarn/tags/mpegheader.h"

#include <array>

#include "zarn/shell/text.h"
#include "zarn/tags/roundhalfeven.h"

namespace {

// Bitrates in kbit/s by index 1..14; index 0 is "free" and 15 "bad" in every table.
using BitrateRow = std::array<int, 14>;
constexpr BitrateRow kMpeg1Layer1 = {32,  64,  96,  128, 160, 192, 224,
                                     256, 288, 320, 352, 384, 416, 448};
constexpr BitrateRow kMpeg1Layer2 = {32,  48,  56,  64,  80,  96,  112,
                                     128, 160, 192, 224, 256, 320, 384};
constexpr BitrateRow kMpeg1Layer3 = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr BitrateRow kMpeg2Layer1 = {32,  48,  56,  64,  80,  96,  112,
                                     128, 144, 160, 176, 192, 224, 256};
constexpr BitrateRow kMpeg2Layer23 = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

const BitrateRow* BitrateTable(int versionCode, int layer) {
    if (versionCode == kMpeg1) {
        if (layer == 1) return &kMpeg1Layer1;
        if (layer == 2) return &kMpeg1Layer2;
        if (layer == 3) return &kMpeg1Layer3;
    } else if (versionCode == kMpeg2 || versionCode == kMpeg25) {
        // MPEG 2.5 extends MPEG 2 to lower sample rates with the same bitrates.
        if (layer == 1) return &kMpeg2Layer1;
        if (layer == 2 || layer == 3) return &kMpeg2Layer23;
    }
    return nullptr;
}

// Value of a text of "0"/"1" characters; -1 when it holds anything else.
int BitsValue(const QString& bits) {
    if (bits.isEmpty()) return -1;
    int value = 0;
    for (QChar c : bits) {
        if (c != u'0' && c != u'1') return -1;
        value = value * 2 + (c == u'1' ? 1 : 0);
    }
    return value;
}

// Texts by the 2-bit field value "00".."11".
using FieldTexts = std::array<const char16_t*, 4>;
constexpr FieldTexts kVersionTexts = {u"MPEG 2.5", u"MPEG ?.?", u"MPEG 2.0", u"MPEG 1.0"};
constexpr FieldTexts kLayerTexts = {u" layer ?", u" layer 3", u" layer 2", u" layer 1"};
constexpr FieldTexts kChannelTexts = {u" Stereo", u" JStereo", u" DStereo", u" Mono"};
constexpr FieldTexts kEmphasisTexts = {u"None", u"50/15 micros", u"?", u"CCIT J.17"};
constexpr std::array<int, 4> kVersionCodes = {kMpeg25, kMpegUnknown, kMpeg2, kMpeg1};
constexpr std::array<int, 4> kLayers = {0, 3, 2, 1};

QString FieldText(const FieldTexts& texts, int value) {
    return QString::fromUtf16(texts[value]);
}

}  // namespace

QString ByteToBits(char byte) {
    const auto code = static_cast<uchar>(byte);
    QString bits(8, u'0');
    for (int i = 0; i < 8; ++i)
        if (code & (0x80 >> i)) bits[i] = u'1';
    return bits;
}

QString HeaderBits(const QByteArray& bytes) {
    QString bits;
    bits.reserve(32);
    for (int i = 0; i < 4; ++i) bits += ByteToBits(i < bytes.size() ? bytes[i] : '\0');
    return bits;
}

QString BitrateText(const QString& index, int versionCode, int layer) {
    const BitrateRow* table = BitrateTable(versionCode, layer);
    const int value = BitsValue(index);
    if (!table || index.size() != 4 || value < 0) return QStringLiteral("?");
    if (value == 0) return QStringLiteral("free");
    if (value == 15) return QStringLiteral("bad");
    return QString::number((*table)[value - 1]);
}

int SampleRate(int versionCode, const QString& index) {
    // Rows "00", "01", "10"; "11" has no rate.
    static constexpr std::array<int, 3> kMpeg1Rates = {44100, 48000, 32000};
    const int value = BitsValue(index);
    if (index.size() != 2 || value < 0 || value > 2) return 0;
    switch (versionCode) {
        case kMpeg1:
            return kMpeg1Rates[value];
        case kMpeg2:
            return kMpeg1Rates[value] / 2;
        case kMpeg25:
            return kMpeg1Rates[value] / 4;
        default:
            return 0;
    }
}

bool IsFrameHeader(const uchar* p) {
    // AAAAAAAA AAABBCCD EEEEFFGH ...: sync, version B, layer C, bitrate E, sample rate F. MPEG 1
    // and 2 have the high version bit set; MPEG 2.5 (B = 00) must name a layer, since 11 sync
    // bits alone match too much.
    const bool mpeg12 = (p[1] & 0xF0) == 0xF0;
    const bool mpeg25 = (p[1] & 0xF8) == 0xE0 && (p[1] & 0x06) != 0;
    return p[0] == 0xFF && (mpeg12 || mpeg25) && (p[2] & 0xF0) != 0xF0 && (p[2] & 0x0C) != 0x0C;
}

MpegHeader DecodeMpegHeader(const QByteArray& bytes) {
    // Positions are 1-based in the bit text:
    // 1-11 sync, 12-13 version, 14-15 layer, 16 protection, 17-20 bitrate, 21-22 sample rate,
    // 23 padding, 24 private, 25-26 channel mode, 27-28 mode extension, 29 copyright,
    // 30 original, 31-32 emphasis
    MpegHeader h;
    h.bits = HeaderBits(bytes);
    const int version = BitsValue(Mid(h.bits, 12, 2));
    const int layer = BitsValue(Mid(h.bits, 14, 2));
    h.versionCode = kVersionCodes[version];
    h.layer = kLayers[layer];
    h.versionText = FieldText(kVersionTexts, version);
    h.layerText = FieldText(kLayerTexts, layer);
    h.crcs = Mid(h.bits, 16, 1) == u"0";
    h.bitrateText = BitrateText(Mid(h.bits, 17, 4), h.versionCode, h.layer);
    h.bitrate = IsAllDigits(h.bitrateText) ? h.bitrateText.toLongLong() * 1000 : 0;
    h.sampleRate = SampleRate(h.versionCode, Mid(h.bits, 21, 2));
    h.padding = Mid(h.bits, 23, 1) == u"1";
    h.channelText = FieldText(kChannelTexts, BitsValue(Mid(h.bits, 25, 2)));
    h.copyrighted = Mid(h.bits, 29, 1) == u"1";
    h.original = Mid(h.bits, 30, 1) == u"1";
    h.emphasisText = FieldText(kEmphasisTexts, BitsValue(Mid(h.bits, 31, 2)));
    return h;
}

namespace {

// MPEG 2 and 2.5 layer III frames hold 576 samples, half of MPEG 1's.
bool HalfFrames(const MpegHeader& header) {
    return header.layer == 3 && (header.versionCode == kMpeg2 || header.versionCode == kMpeg25);
}

}  // namespace

int SamplesPerFrame(const MpegHeader& header) {
    if (header.layer == 1) return 384;
    return HalfFrames(header) ? 576 : 1152;
}

qint64 FrameLength(const MpegHeader& header) {
    if (header.sampleRate <= 0 || header.bitrate <= 0) return 0;
    const qint64 paddingByte = header.padding ? 1 : 0;
    const qint64 factor = HalfFrames(header) ? 72 : 144;
    return RoundHalfEven(factor * header.bitrate + paddingByte * header.sampleRate,
                         header.sampleRate);
}

qint64 PlayingSeconds(qint64 audioBytes, qint64 frameLength) {
    if (frameLength <= 0) return -1;
    // audio / F / 38.4 = 10 x audio / (384 x F)
    return RoundHalfEven(10 * audioBytes, 384 * frameLength);
}

qint64 PlayingSeconds(qint64 audioBytes, qint64 frameLength, const MpegHeader& header) {
    if (!HalfFrames(header) || frameLength <= 0 || header.sampleRate <= 0)
        return PlayingSeconds(audioBytes, frameLength);
    // audio / F frames of 576 samples each
    return RoundHalfEven(audioBytes * 576, frameLength * header.sampleRate);
}

std::optional<qint64> VbrFrameCount(const QByteArray& frame, const MpegHeader& header) {
    const auto plain32 = [&](qsizetype at) -> std::optional<qint64> {
        if (at + 4 > frame.size()) return std::nullopt;
        qint64 value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(frame[at + i]);
        return value;
    };
    // Xing or Info after the side information, whose size depends on version and channels.
    const bool mono = header.channelText == u" Mono";
    const qsizetype side = header.versionCode == kMpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    const QByteArray xing = frame.mid(4 + side, 4);
    if (xing == "Xing" || xing == "Info") {
        const auto flags = plain32(8 + side);
        if (flags && (*flags & 1)) return plain32(12 + side);
        return std::nullopt;
    }
    // VBRI at a fixed place: 32 bytes after the header, the frame count 14 bytes into it.
    if (frame.mid(36, 4) == "VBRI") return plain32(50);
    return std::nullopt;
}

qint64 VbrSeconds(qint64 frames, const MpegHeader& header) {
    if (header.sampleRate <= 0) return -1;
    return RoundHalfEven(frames * SamplesPerFrame(header), header.sampleRate);
}
