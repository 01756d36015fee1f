#include "tests/support/mp3writer.h"

#include <QFile>

namespace mp3 {

QByteArray FrameHeader(const FrameSpec& s) {
    // AAAAAAAA AAABBCCD EEEEFFGH IIJJKLMM
    // A sync, B version, C layer, D protection (0 = CRC), E bitrate, F sample rate,
    // G padding, H private, I channel mode, J mode extension, K copyright, L original, M emphasis
    const int versionBits = s.version == 1 ? 3 : s.version == 2 ? 2 : 0;
    const int layerBits = 4 - s.layer;
    QByteArray h(4, '\0');
    h[0] = char(0xFF);
    h[1] = char(0xE0 | (versionBits << 3) | (layerBits << 1) | (s.protection ? 0 : 1));
    h[2] = char((s.bitrateIndex << 4) | (s.sampleRateIndex << 2) | (s.padding ? 2 : 0));
    h[3] = char((s.channelMode << 6) | (s.copyright ? 8 : 0) | (s.original ? 4 : 0) |
                (s.emphasis & 3));
    return h;
}

QByteArray Frame(const FrameSpec& shape) {
    QByteArray frame = FrameHeader(shape);
    if (shape.length > 4) frame.append(QByteArray(shape.length - 4, shape.fill));
    return frame;
}

QByteArray Audio(int count, const FrameSpec& shape) {
    const QByteArray frame = Frame(shape);
    QByteArray audio;
    audio.reserve(frame.size() * count);
    for (int i = 0; i < count; ++i) audio.append(frame);
    return audio;
}

namespace {
QByteArray Fixed(const QByteArray& text, int width) {
    QByteArray field = text.left(width);
    field.append(QByteArray(width - field.size(), '\0'));
    return field;
}
}  // namespace

QByteArray ID3v1Tag(const V1& t) {
    QByteArray tag("TAG");
    tag += Fixed(t.title, 30) + Fixed(t.artist, 30) + Fixed(t.album, 30) + Fixed(t.year, 4);
    if (t.track < 0) {
        tag += Fixed(t.comment, 30);
    } else {
        tag += Fixed(t.comment, 28);
        tag += '\0';
        tag += char(t.track);
    }
    tag += char(t.genre);
    return tag;
}

QByteArray Syncsafe(quint32 size) {
    QByteArray b(4, '\0');
    b[0] = char((size >> 21) & 0x7F);
    b[1] = char((size >> 14) & 0x7F);
    b[2] = char((size >> 7) & 0x7F);
    b[3] = char(size & 0x7F);
    return b;
}

QByteArray V2Frame(const QByteArray& id, const QByteArray& body, bool syncsafe, QByteArray flags) {
    QByteArray frame = id;
    if (syncsafe) {
        frame += Syncsafe(quint32(body.size()));
    } else {
        const quint32 n = quint32(body.size());
        frame += char(n >> 24);
        frame += char(n >> 16);
        frame += char(n >> 8);
        frame += char(n);
    }
    frame += flags;
    frame += body;
    return frame;
}

QByteArray V2TextFrame(const QByteArray& id, const QByteArray& text, bool syncsafe) {
    return V2Frame(id, QByteArray(1, '\0') + text, syncsafe);
}

QByteArray ID3v2Tag(const QList<QByteArray>& frames, int padding, int major) {
    QByteArray body;
    for (const QByteArray& f : frames) body += f;
    body += QByteArray(padding, '\0');
    QByteArray tag("ID3");
    tag += char(major);
    tag += '\0';
    tag += '\0';
    tag += Syncsafe(quint32(body.size()));
    return tag + body;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace mp3
