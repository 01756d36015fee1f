#include "zarn/tags/id3v2convert.h"

#include <QHash>
#include <QString>

namespace {

// Identifiers of version 2 and their ID3v2.3 counterparts; the last group are the ones iTunes
// adds.
const QHash<QByteArray, QByteArray>& V22Ids() {
    static const QHash<QByteArray, QByteArray> ids = {
        {"BUF", "RBUF"}, {"CNT", "PCNT"}, {"COM", "COMM"}, {"CRA", "AENC"}, {"ETC", "ETCO"},
        {"EQU", "EQUA"}, {"GEO", "GEOB"}, {"IPL", "IPLS"}, {"MCI", "MCDI"}, {"MLL", "MLLT"},
        {"PIC", "APIC"}, {"POP", "POPM"}, {"REV", "RVRB"}, {"RVA", "RVAD"}, {"SLT", "SYLT"},
        {"STC", "SYTC"}, {"TAL", "TALB"}, {"TBP", "TBPM"}, {"TCM", "TCOM"}, {"TCO", "TCON"},
        {"TCR", "TCOP"}, {"TDA", "TDAT"}, {"TDY", "TDLY"}, {"TEN", "TENC"}, {"TFT", "TFLT"},
        {"TIM", "TIME"}, {"TKE", "TKEY"}, {"TLA", "TLAN"}, {"TLE", "TLEN"}, {"TMT", "TMED"},
        {"TOA", "TOPE"}, {"TOF", "TOFN"}, {"TOL", "TOLY"}, {"TOR", "TORY"}, {"TOT", "TOAL"},
        {"TP1", "TPE1"}, {"TP2", "TPE2"}, {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"},
        {"TPB", "TPUB"}, {"TRC", "TSRC"}, {"TRD", "TRDA"}, {"TRK", "TRCK"}, {"TSI", "TSIZ"},
        {"TSS", "TSSE"}, {"TT1", "TIT1"}, {"TT2", "TIT2"}, {"TT3", "TIT3"}, {"TXT", "TEXT"},
        {"TXX", "TXXX"}, {"TYE", "TYER"}, {"UFI", "UFID"}, {"ULT", "USLT"}, {"WAF", "WOAF"},
        {"WAR", "WOAR"}, {"WAS", "WOAS"}, {"WCM", "WCOM"}, {"WCP", "WCOP"}, {"WPB", "WPUB"},
        {"WXX", "WXXX"}, {"TCP", "TCMP"}, {"TST", "TSOT"}, {"TSP", "TSOP"}, {"TSA", "TSOA"},
        {"TS2", "TSO2"}, {"TSC", "TSOC"}, {"PCS", "PCST"}, {"TDS", "TDES"}, {"TID", "TGID"},
        {"WFD", "WFED"}, {"GP1", "GRP1"}, {"MVN", "MVNM"}, {"MVI", "MVIN"},
    };
    return ids;
}

// Version 2 pictures name their format in three letters where ID3v2.3 has a MIME type.
QByteArray PictureBody(const QByteArray& body) {
    if (body.size() < 4) return body;
    const QByteArray format = body.mid(1, 3).toLower();
    const QByteArray mime = format == "jpg" ? "image/jpeg" : "image/" + format;
    return body.left(1) + mime + '\0' + body.mid(4);
}

QByteArray Utf16Le(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar ch : text) bytes.append(char(ch.unicode() & 0xFF)).append(char(ch.unicode() >> 8));
    return bytes;
}

// UTF-8 strings separated (or ended) by zero bytes as UTF-16 strings with byte order marks
// separated by two zero bytes. With `firstOnly` only the first string is converted and the
// bytes after its terminator stay as they are.
QByteArray Utf8StringsToUtf16(const QByteArray& bytes, bool firstOnly) {
    QByteArray out;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        const qsizetype nul = bytes.indexOf('\0', start);
        const qsizetype end = nul < 0 ? bytes.size() : nul;
        if (end > start || nul >= 0)
            out += Utf16Le(QString::fromUtf8(bytes.mid(start, end - start)));
        if (nul < 0) break;
        out += QByteArray(2, '\0');
        start = nul + 1;
        if (firstOnly) return out + bytes.mid(start);
        if (start == bytes.size()) break;
    }
    return out;
}

// The body with encoding 3 turned into encoding 1 where the layout is known; other bodies as
// they are.
QByteArray Utf8BodyToUtf16(const QByteArray& id, const QByteArray& body) {
    if (body.isEmpty() || body[0] != '\x03') return body;
    const QByteArray rest = body.mid(1);
    const QByteArray one("\x01", 1);
    if (id.startsWith('T')) return one + Utf8StringsToUtf16(rest, false);
    if (id == "COMM" || id == "USLT")
        return rest.size() < 3 ? body : one + rest.left(3) + Utf8StringsToUtf16(rest.mid(3), false);
    if (id == "WXXX") return one + Utf8StringsToUtf16(rest, true);
    if (id == "APIC") {
        // MIME type (single-byte, ended by a zero byte), picture type, description, data.
        const qsizetype mimeEnd = rest.indexOf('\0');
        if (mimeEnd < 0 || mimeEnd + 2 > rest.size()) return body;
        return one + rest.left(mimeEnd + 2) + Utf8StringsToUtf16(rest.mid(mimeEnd + 2), true);
    }
    return body;
}

// Where the embedded frames of a chapter ("CHAP": element id, four times and offsets) or a
// table of contents ("CTOC": element id, flags, count, child ids) begin; -1 when the body is
// too short to hold them.
qsizetype EmbeddedFramesStart(const QByteArray& id, const QByteArray& body) {
    qsizetype pos = body.indexOf('\0');
    if (pos < 0) return -1;
    ++pos;
    if (id == "CHAP") return pos + 16 <= body.size() ? pos + 16 : -1;
    if (pos + 2 > body.size()) return -1;
    int children = static_cast<unsigned char>(body[pos + 1]);
    pos += 2;
    while (children-- > 0) {
        pos = body.indexOf('\0', pos);
        if (pos < 0) return -1;
        ++pos;
    }
    return pos;
}

QByteArray ChapterBody(const QByteArray& id, const QByteArray& body) {
    const qsizetype start = EmbeddedFramesStart(id, body);
    if (start < 0) return body;
    return body.left(start) + RenderID3v2Frames(ReadV24Frames(body.mid(start), false, true));
}

quint32 SyncsafeValue(const QByteArray& bytes) {
    quint32 value = 0;
    for (char b : bytes) value = value << 7 | (static_cast<unsigned char>(b) & 0x7F);
    return value;
}

}  // namespace

std::optional<ID3v2Frame> FrameFromV22(const ID3v2Frame& frame) {
    const auto id = V22Ids().constFind(frame.id);
    if (id == V22Ids().constEnd()) return std::nullopt;
    ID3v2Frame converted = frame;
    converted.id = *id;
    converted.flags = QByteArray(2, '\0');
    if (*id == "APIC") converted.body = PictureBody(frame.body);
    return converted;
}

ID3v2Frame FrameFromV24(const ID3v2Frame& frame, bool tagUnsynchronised, bool embedded) {
    enum : int {
        kGrouped = 0x40,
        kCompressed = 0x08,
        kEncrypted = 0x04,
        kUnsync = 0x02,
        kDataLength = 0x01
    };
    const auto status = static_cast<unsigned char>(frame.flags.size() > 0 ? frame.flags[0] : 0);
    const auto format = static_cast<unsigned char>(frame.flags.size() > 1 ? frame.flags[1] : 0);
    // The extras stand before the data in flag order: group, encryption method, data length.
    qsizetype pos = 0;
    const QByteArray group = format & kGrouped ? frame.body.mid(pos++, 1) : QByteArray();
    const QByteArray method = format & kEncrypted ? frame.body.mid(pos++, 1) : QByteArray();
    QByteArray dataLength;
    if (format & kDataLength) {
        dataLength = frame.body.mid(pos, 4);
        pos += 4;
    }
    QByteArray data = frame.body.mid(pos);
    if ((format & kUnsync) || tagUnsynchronised) data = Resynchronise(data);

    ID3v2Frame converted = frame;
    // Status bits: tag alter, file alter and read-only move up by one.
    converted.flags[0] = char(status << 1 & 0xE0);
    converted.flags[1] = char((format & kCompressed ? 0x80 : 0) | (method.isEmpty() ? 0 : 0x40) |
                              (group.isEmpty() ? 0 : 0x20));
    QByteArray size;
    if (format & kCompressed) {
        quint32 length = dataLength.size() == 4 ? SyncsafeValue(dataLength) : 0;
        if (length == 0 && !(format & kEncrypted)) {
            QByteArray sized = QByteArray(4, '\0') + data;
            length = quint32(qUncompress(sized).size());
        }
        for (int shift = 24; shift >= 0; shift -= 8) size.append(char(length >> shift & 0xFF));
    } else if (!(format & kEncrypted)) {
        const bool chapter = !embedded && (frame.id == "CHAP" || frame.id == "CTOC");
        data = chapter ? ChapterBody(frame.id, data) : Utf8BodyToUtf16(frame.id, data);
    }
    converted.body = size + method + group + data;
    return converted;
}
