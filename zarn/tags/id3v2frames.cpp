#include "zarn/shell/cp1252.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2framelist.h"

namespace {

// Text encodings of a frame's first body byte.
enum Encoding { kLatin = 0, kUtf16Bom = 1, kUtf16BE = 2, kUtf8 = 3 };

QString AfterLastNul(QString text) {
    if (text.endsWith(QChar(u'\0'))) text.chop(1);
    const qsizetype nul = text.lastIndexOf(QChar(u'\0'));
    return nul < 0 ? text : text.mid(nul + 1);
}

// Several values in one text, separated by NULs; one terminator at the very end closes the
// last value and is not a separator (most taggers end every string with it).
QString JoinValues(QString text) {
    if (text.endsWith(QChar(u'\0'))) text.chop(1);
    if (!text.contains(QChar(u'\0'))) return text;  // one value, the common case
    return text.split(QChar(u'\0')).join(QStringLiteral(" / "));
}

// Byte offset just after the first terminator of `encoding` (two aligned zero bytes for
// UTF-16), or -1.
qsizetype AfterTerminator(QByteArrayView bytes, int encoding) {
    if (encoding == kUtf16Bom || encoding == kUtf16BE) {
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            if (bytes[i] == '\0' && bytes[i + 1] == '\0') return i + 2;
        return -1;
    }
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? -1 : nul + 1;
}

// UTF-16 text that may consist of several strings, each with its own byte order mark; one
// without a mark keeps the order of the string before it (little-endian when none has one).
QString DecodeUtf16(QByteArrayView bytes, bool bigEndian) {
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        const char16_t unit = char16_t(hi << 8 | lo);
        if (unit == 0xFEFF) continue;
        if (unit == 0xFFFE) {
            bigEndian = !bigEndian;
            continue;
        }
        text.append(QChar(unit));
    }
    return text;
}

QString Decode(QByteArrayView bytes, int encoding) {
    switch (encoding) {
        case kUtf16Bom:
            return DecodeUtf16(bytes, false);
        case kUtf16BE:
            return DecodeUtf16(bytes, true);
        case kUtf8:
            return QString::fromUtf8(bytes);
        default:
            return FromCp1252(bytes);
    }
}

struct Parts {
    QString description, value;
};

// A description ended by a terminator, then the value. Without a terminator the first
// character is taken for the description's.
Parts DescribedText(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return {text.left(qMax<qsizetype>(nul, 0)), JoinValues(text.mid(nul < 0 ? 1 : nul + 1))};
}

// The description and value of a frame from its content (encoding byte first). The URL of
// "WXXX" is single-byte in every encoding.
Parts FrameParts(const QByteArray& id, const QByteArray& content) {
    if (id.startsWith('W') && id != "WXXX") return {{}, AfterLastNul(FromCp1252(content))};
    const int byte = content.isEmpty() ? 0 : static_cast<unsigned char>(content[0]);
    // An unknown encoding byte reads as single-byte text.
    const int encoding = byte <= kUtf8 ? byte : kLatin;
    // Views, not copies: this runs for every frame of every file a batch command reads.
    const QByteArrayView rest = QByteArrayView(content).sliced(qMin<qsizetype>(1, content.size()));
    if (id == "WXXX") {
        const qsizetype url = AfterTerminator(rest, encoding);
        // Without a terminator the whole rest is the URL.
        if (url < 0) return {{}, AfterLastNul(FromCp1252(rest))};
        return {AfterLastNul(Decode(rest.first(url), encoding)),
                AfterLastNul(FromCp1252(rest.sliced(url)))};
    }
    if (id == "COMM" || id == "USLT")
        return DescribedText(Decode(rest.sliced(qMin<qsizetype>(3, rest.size())), encoding));
    if (id == "TXXX") return DescribedText(Decode(rest, encoding));
    if (id.startsWith('T')) return {{}, JoinValues(Decode(rest, encoding))};
    return {{}, AfterLastNul(Decode(rest, encoding))};
}

const ID3v2Frame* FirstFrame(const ID3v2Frames& frames, const QByteArray& id) {
    for (const ID3v2Frame& frame : frames)
        if (frame.id == id) return &frame;
    return nullptr;
}

// ISO-8859-1 without its C1 controls (0x80-0x9F), which this program reads as Windows-1252.
bool FitsLatin1(const QString& text) {
    for (QChar ch : text)
        if (ch.unicode() > 0xFF || (ch.unicode() >= 0x80 && ch.unicode() < 0xA0)) return false;
    return true;
}

QByteArray Utf16WithBom(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar ch : text) {
        bytes.append(char(ch.unicode() & 0xFF));
        bytes.append(char(ch.unicode() >> 8));
    }
    return bytes;
}

// URLs are single-byte in every encoding; characters ISO-8859-1 cannot hold are
// percent-encoded as UTF-8 so that the address still works and nothing is lost.
QByteArray UrlBytes(const QString& url) {
    QByteArray bytes;
    for (qsizetype i = 0; i < url.size(); ++i) {
        if (url[i].unicode() <= 0xFF) {
            bytes.append(char(url[i].unicode()));
            continue;
        }
        const qsizetype n = url[i].isHighSurrogate() && i + 1 < url.size() ? 2 : 1;
        bytes.append(url.mid(i, n).toUtf8().toPercentEncoding());
        i += n - 1;
    }
    return bytes;
}

}  // namespace

QString FrameValue(const ID3v2Frame& frame) {
    return FrameParts(frame.id, FrameContent(frame)).value;
}

QString FrameDescription(const ID3v2Frame& frame) {
    const bool described =
        frame.id == "COMM" || frame.id == "USLT" || frame.id == "TXXX" || frame.id == "WXXX";
    return described ? FrameParts(frame.id, FrameContent(frame)).description : QString();
}

QByteArray PictureData(const ID3v2Frame& frame) {
    if (frame.id != "APIC") return {};
    const QByteArray content = FrameContent(frame);
    const qsizetype mimeEnd = content.indexOf('\0', 1);
    if (mimeEnd < 0) return {};
    const int encoding = static_cast<unsigned char>(content[0]);
    const QByteArray described = content.mid(mimeEnd + 2);  // after the picture type
    const qsizetype data = AfterTerminator(described, encoding);
    return data < 0 ? QByteArray() : described.mid(data);
}

QString FrameText(const QByteArray& data, const QByteArray& id) {
    const ID3v2Frames frames = ParseID3v2Frames(data);
    const ID3v2Frame* frame = FirstFrame(frames, id);
    return frame ? FrameValue(*frame) : QString();
}

QByteArray RemoveFrame(const QByteArray& data, const QByteArray& id) {
    const ID3v2Frames frames = ParseID3v2Frames(data);
    const ID3v2Frame* frame = FirstFrame(frames, id);
    return frame ? data.left(frame->offset) + data.mid(frame->offset + frame->stored) : data;
}

QByteArray MakeFrame(const QByteArray& id, const QString& value) {
    if (value.isEmpty()) return {};
    ID3v2Frame frame;
    frame.id = id;
    // Which frames put a language and a description before their text.
    const bool language = id == "COMM" || id == "USLT";
    const bool described = language || id == "TXXX";
    if (id == "WXXX") {
        frame.body = QByteArray(2, '\0') + UrlBytes(value);  // encoding 0, empty description
    } else if (id.startsWith('W')) {
        frame.body = UrlBytes(value);  // the other URL frames hold the address alone
    } else if (FitsLatin1(value)) {
        // Every other program reads encoding 0 as ISO-8859-1, so only text it holds uses it.
        frame.body = QByteArray(1, char(kLatin)) + (language ? QByteArray("eng") : QByteArray()) +
                     (described ? QByteArray(1, '\0') : QByteArray()) + value.toLatin1();
    } else {
        frame.body = QByteArray(1, char(kUtf16Bom));
        if (language) frame.body += "eng";
        if (described) frame.body += Utf16WithBom({}) + QByteArray(2, '\0');
        frame.body += Utf16WithBom(value);
    }
    if (id == "TENC") frame.flags[0] = '\x40';
    return RenderID3v2Frame(frame);
}

QByteArray MakeTagHeader(qint64 size) {
    if (size < 0) size = 0;
    QByteArray header("ID3\x03\0\0", 6);
    header.append(char(size / 2097152 & 0x7F));
    header.append(char(size % 2097152 / 16384 & 0x7F));
    header.append(char(size % 16384 / 128 & 0x7F));
    header.append(char(size % 128 & 0x7F));
    return header;
}
