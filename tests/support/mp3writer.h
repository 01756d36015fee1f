#pragma once
// Writes MP3 files byte by byte for tests: MPEG audio frames, ID3v1/ID3v1.1 tags and ID3v2
// tags made from raw frames. Independent of the program's own tag code on purpose.
#include <QByteArray>
#include <QList>
#include <QString>

namespace mp3 {

struct FrameSpec {
    int version = 1;        // 1 = MPEG 1, 2 = MPEG 2, 25 = MPEG 2.5
    int layer = 3;          // 1..3
    int bitrateIndex = 9;   // 0..15 (9 = 128 kbit/s for MPEG 1 layer 3)
    int sampleRateIndex = 0;  // 0..3 (0 = 44100 Hz for MPEG 1)
    bool padding = false;
    bool protection = false;  // true: the frame carries a CRC (protection bit 0)
    int channelMode = 0;      // 0 stereo, 1 joint, 2 dual, 3 mono
    bool copyright = false;
    bool original = false;
    int emphasis = 0;
    int length = 417;  // bytes of the whole frame (header included)
    char fill = '\x55';  // body byte, never 0xFF so no false sync appears inside
};

// The 4 header bytes.
QByteArray FrameHeader(const FrameSpec& shape);
// One frame: header followed by `shape.length - 4` fill bytes.
QByteArray Frame(const FrameSpec& shape);
// `count` frames back to back (the audio of a test file).
QByteArray Audio(int count, const FrameSpec& shape = {});

struct V1 {
    QByteArray title, artist, album, year, comment;  // raw bytes, NUL-padded/cut to width
    int track = -1;   // -1: ID3v1.0 (30-byte comment); 0..255: ID3v1.1 with this track byte
    int genre = 255;
};
// The 128-byte tag.
QByteArray ID3v1Tag(const V1& tag);

// One ID3v2 frame with a 10-byte header. `syncsafe` chooses the size form (7 bits per byte,
// as this program writes it) or a plain 32-bit big-endian number (as ID3v2.3 readers expect).
QByteArray V2Frame(const QByteArray& id, const QByteArray& body, bool syncsafe = true,
                   QByteArray flags = QByteArray(2, '\0'));
// A text frame with encoding byte 0 and Windows-1252 bytes.
QByteArray V2TextFrame(const QByteArray& id, const QByteArray& text, bool syncsafe = true);
// An ID3v2 tag: header (major version, revision 0, flags 0, syncsafe size), frames, padding.
QByteArray ID3v2Tag(const QList<QByteArray>& frames, int padding = 0, int major = 3);
// Size as 4 syncsafe bytes.
QByteArray Syncsafe(quint32 size);

// Writes bytes to a file; returns false on failure.
bool WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

}  // namespace mp3
