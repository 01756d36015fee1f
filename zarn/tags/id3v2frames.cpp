#include "zarn/shell/cp1252.h"
#include "zarn/tags/id3v2.h"

namespace {

// Text encodings of a frame's first body byte.
enum Encoding { kLatin = 0, kUtf16Bom = 1, kUtf16BE = 2, kUtf8 = 3 };

// Four size bytes, most significant first, 7 bits each. Each byte is taken whole (a stray
// high bit is added in, not masked) and bytes past the end of the data count as 0.
qint64 SyncsafeAt(const QByteArray& data, qsizetype at) {
    qint64 size = 0;
    for (int i = 0; i < 4; ++i) {
        const qsizetype pos = at + i;
        size = size * 128 + (pos < data.size() ? static_cast<unsigned char>(data[pos]) : 0);
    }
    return size;
}

QByteArray Syncsafe(qint64 size) {
    QByteArray bytes(4, '\0');
    bytes[0] = char(size / 2097152);
    bytes[1] = char(size % 2097152 / 16384);
    bytes[2] = char(size % 16384 / 128);
    bytes[3] = char(size % 128);
    return bytes;
}

// Several strings in one value (a description before the text, or a list of values): the
// value is the last string. One terminator at the very end closes that string and is not a
// separator; most taggers end every string with it.
QString AfterLastNul(QString text) {
    if (text.endsWith(QChar(u'\0'))) text.chop(1);
    const qsizetype nul = text.lastIndexOf(QChar(u'\0'));
    return nul < 0 ? text : text.mid(nul + 1);
}

// Byte offset just after the first terminator of `encoding` (two aligned zero bytes for
// UTF-16), or -1.
qsizetype AfterTerminator(const QByteArray& bytes, int encoding) {
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
QString DecodeUtf16(const QByteArray& bytes, bool bigEndian) {
    QString text;
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

QString Decode(const QByteArray& bytes, int encoding) {
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

// The value of a frame from the bytes after its encoding byte (and language). "COMM" and
// "WXXX" begin with a description ended by a terminator; the URL of "WXXX" is single-byte in
// every encoding.
QString ValueText(const QByteArray& region, const QByteArray& id, int encoding) {
    if (id == "WXXX") {
        const qsizetype url = AfterTerminator(region, encoding);
        return AfterLastNul(FromCp1252(url < 0 ? region : region.mid(url)));
    }
    const QString text = Decode(region, encoding);
    if (id != "COMM") return AfterLastNul(text);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    // Without a terminator the description's first character is taken for it.
    return AfterLastNul(text.mid(nul < 0 ? 1 : nul + 1));
}

QByteArray Utf16WithBom(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar ch : text) {
        bytes.append(char(ch.unicode() & 0xFF));
        bytes.append(char(ch.unicode() >> 8));
    }
    return bytes;
}

// URLs are single-byte in every encoding; characters Windows-1252 cannot hold are
// percent-encoded as UTF-8 so that the address still works and nothing is lost.
QByteArray UrlBytes(const QString& url) {
    QByteArray bytes;
    for (qsizetype i = 0; i < url.size(); ++i) {
        const int code = Cp1252Code(url[i]);
        if (code >= 0) {
            bytes.append(char(code));
            continue;
        }
        const qsizetype n = url[i].isHighSurrogate() && i + 1 < url.size() ? 2 : 1;
        bytes.append(url.mid(i, n).toUtf8().toPercentEncoding());
        i += n - 1;
    }
    return bytes;
}

}  // namespace

QByteArray UrlFrameBytes(const QString& url) {
    return UrlBytes(url);
}

QString FrameText(const QByteArray& data, const QByteArray& id) {
    if (id.isEmpty()) return {};
    const qsizetype at = data.indexOf(id);
    if (at < 0) return {};
    const qint64 size = SyncsafeAt(data, at + 4);
    const bool comment = id == "COMM";
    const int encoding = at + 10 < data.size() ? static_cast<unsigned char>(data[at + 10]) : 0;
    const qint64 length = size - (comment ? 4 : 1);
    if (length < 1) return {};
    // An unknown encoding byte reads as single-byte text.
    return ValueText(data.mid(at + (comment ? 14 : 11), length), id,
                     encoding <= kUtf8 ? encoding : kLatin);
}

QByteArray RemoveFrame(const QByteArray& data, const QByteArray& id) {
    if (id.isEmpty()) return data;
    const qsizetype at = data.indexOf(id);
    if (at < 0) return data;
    const qint64 size = SyncsafeAt(data, at + 4);
    if (size - (id == "COMM" ? 5 : 1) < 0) return data;
    const qint64 end = at + size + 10;
    return data.left(at) + (end < data.size() ? data.mid(end) : QByteArray());
}

QByteArray MakeFrame(const QByteArray& id, const QString& value) {
    if (value.isEmpty()) return {};
    QByteArray body;
    if (id == "WXXX") {
        body = QByteArray(2, '\0') + UrlBytes(value);  // encoding 0, empty description
    } else if (FitsCp1252(value)) {
        body = QByteArray(1, char(kLatin)) +
               (id == "COMM" ? QByteArray("eng\0", 4) : QByteArray()) + ToCp1252(value);
    } else {
        // Text that Windows-1252 cannot hold would lose characters; UTF-16 keeps them.
        body = QByteArray(1, char(kUtf16Bom));
        if (id == "COMM") body += "eng" + Utf16WithBom({}) + QByteArray(2, '\0');
        body += Utf16WithBom(value);
    }
    const QByteArray flags = id == "TENC" ? QByteArray("\x40\0", 2) : QByteArray(2, '\0');
    return id + Syncsafe(body.size()) + flags + body;
}

QByteArray MakeTagHeader(qint64 size) {
    if (size < 0) size = 0;
    QByteArray header("ID3\x03\0\0", 6);
    header += Syncsafe(size);
    for (int i = 6; i < 10; ++i) header[i] = char(header[i] & 0x7F);
    return header;
}
