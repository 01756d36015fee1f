#pragma once
// The 4-byte MPEG audio frame header, decoded through its text of 32 bits.
#include <QByteArray>
#include <QString>
#include <optional>

// 8 characters "0"/"1" for the bits of `byte`, most significant first.
QString ByteToBits(char byte);
// Bit text of the first 4 bytes (missing bytes count as zero): 32 characters.
QString HeaderBits(const QByteArray& bytes);

// Version codes used by the tables.
constexpr int kMpegUnknown = 0;
constexpr int kMpeg1 = 1;
constexpr int kMpeg2 = 2;
constexpr int kMpeg25 = 50;

// Bitrate in kbit/s as text for a 4-character index ("1001"), version code and layer 1..3:
// "free" for "0000", "bad" for "1111", "?" for a version or layer without a table.
QString BitrateText(const QString& index, int versionCode, int layer);
// Sample rate in Hz for a version code and a 2-character index; 0 when there is none.
int SampleRate(int versionCode, const QString& index);

// True when the 4 bytes at `p` start a frame the search accepts: byte 255, the four high bits
// of the next byte set (so MPEG 1 and 2 only), bitrate index not 15, sample-rate index not 3.
bool IsFrameHeader(const uchar* p);

struct MpegHeader {
    QString bits;  // 32 characters
    int versionCode = kMpegUnknown;
    int layer = 0;        // 1..3, 0 unknown
    QString versionText;  // "MPEG 1.0"
    QString layerText;    // " layer 3"
    QString bitrateText;  // "128", "free", "bad", "?"
    qint64 bitrate = 0;   // bit/s; 0 when the bitrate text is not a number
    int sampleRate = 0;   // Hz; 0 when unknown
    bool padding = false;
    bool crcs = false;  // protection bit 0: the frames carry CRCs
    bool copyrighted = false;
    bool original = false;
    QString channelText;   // " Stereo", " JStereo", " DStereo", " Mono"
    QString emphasisText;  // "None", "50/15 micros", "?", "CCIT J.17"
};

MpegHeader DecodeMpegHeader(const QByteArray& bytes);

// Frame length in bytes: 144 x bitrate / sample rate + padding byte, halves to even; 0 when
// either is unknown. MPEG 2 and 2.5 layer III frames hold half the samples: 72 there.
qint64 FrameLength(const MpegHeader& header);
// 384, 1152, or 576 for MPEG 2 and 2.5 layer III.
int SamplesPerFrame(const MpegHeader& header);
// Playing length in whole seconds of `audioBytes`: audio / frame length / 38.4, halves to even.
// 38.4 frames per second is used for every sample rate. -1 when the frame length is 0.
qint64 PlayingSeconds(qint64 audioBytes, qint64 frameLength);
// The same, but MPEG 2 and 2.5 layer III count frames of 576 samples at their own sample rate.
qint64 PlayingSeconds(qint64 audioBytes, qint64 frameLength, const MpegHeader& header);
// The frame count of a Xing, Info or VBRI header in the first frame (`frame`: its bytes from the
// header on), or none when the frame has no such header or it holds no count.
std::optional<qint64> VbrFrameCount(const QByteArray& frame, const MpegHeader& header);
// Whole seconds of `frames` frames; -1 when the sample rate is unknown.
qint64 VbrSeconds(qint64 frames, const MpegHeader& header);
