#include "zarn/editing/hiddenframes.h"

#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2framelist.h"

namespace {

const ID3v2Frame* FirstFrame(const ID3v2Frames& frames, const QByteArray& id) {
    for (const ID3v2Frame& frame : frames)
        if (frame.id == id) return &frame;
    return nullptr;
}

bool IsTextOrUrlFrame(const QByteArray& id) {
    return id.startsWith('T') || id.startsWith('W') || id == "COMM" || id == "USLT";
}

// An APIC body: encoding, MIME type ended by a zero byte, picture type, description ended by
// the encoding's terminator (two zero bytes on an even offset for UTF-16), then the image.
struct Picture {
    QByteArray mime, data;
};
std::optional<Picture> PictureOf(const QByteArray& body) {
    if (body.isEmpty()) return std::nullopt;
    const bool wide = body[0] == '\x01' || body[0] == '\x02';
    const qsizetype mimeEnd = body.indexOf('\0', 1);
    if (mimeEnd < 0) return std::nullopt;
    const qsizetype description = mimeEnd + 2;  // after the picture type byte
    qsizetype end = description;
    if (wide) {
        while (end + 1 < body.size() && !(body[end] == '\0' && body[end + 1] == '\0')) end += 2;
        end += 2;
    } else {
        end = body.indexOf('\0', description);
        end = end < 0 ? body.size() + 1 : end + 1;
    }
    if (end > body.size()) return std::nullopt;
    return Picture{body.mid(1, mimeEnd - 1).toLower(), body.mid(end)};
}

QString SuffixOfMime(const QByteArray& mime) {
    if (mime == "image/jpeg" || mime == "image/jpg" || mime == "jpg") return QStringLiteral("jpg");
    if (mime == "image/png" || mime == "png") return QStringLiteral("png");
    if (mime == "image/bmp" || mime == "image/x-ms-bmp" || mime == "bmp")
        return QStringLiteral("bmp");
    if (mime == "image/gif" || mime == "gif") return QStringLiteral("gif");
    return QStringLiteral("bin");
}

}  // namespace

const QList<QByteArray>& MoreFrameIds() {
    static const QList<QByteArray> ids = {
        "AENC", "APIC", "ASPI", "COMR", "ENCR", "EQU2", "ETCO", "GEOB", "GRID", "LINK", "MCDI",
        "MLLT", "OWNE", "PRIV", "PCNT", "POPM", "POSS", "RBUF", "RVA2", "RVRB", "SEEK", "SIGN",
        "SYLT", "SYTC", "TALB", "TBPM", "TCOM", "TCON", "TCOP", "TDEN", "TDLY", "TDOR", "TDRC",
        "TDRL", "TDTG", "TENC", "TEXT", "TFLT", "TIPL", "TIT1", "TIT2", "TIT3", "TKEY", "TLAN",
        "TLEN", "TMCL", "TMED", "TMOO", "TOAL", "TOFN", "TOLY", "TOWN", "TPE1", "TPE2", "TPE3",
        "TPE4", "TPOS", "TPRO", "TPUB", "TRCK", "TRSN", "TRSO", "TSOA", "TSOP", "TSOT", "TSRC",
        "TSSE", "TSST", "TXXX", "UFID", "USER", "USLT", "WCOM", "WCOP", "WOAF", "WOAR", "WOAS",
        "WORS", "WPAY", "WPUB", "WXXX"};
    return ids;
}

QList<QByteArray> ListedFrameIds(const QByteArray& hidden) {
    const ID3v2Frames frames = ParseID3v2Frames(hidden);
    QList<QByteArray> listed;
    for (const QByteArray& id : MoreFrameIds())
        if (FirstFrame(frames, id)) listed << id;
    // Frames of older versions (TYER, IPLS, ...) and a second COMM or TOPE are hidden too.
    for (const ID3v2Frame& frame : frames)
        if (!listed.contains(frame.id)) listed << frame.id;
    return listed;
}

QString FrameContentText(const QByteArray& hidden, const QByteArray& id) {
    const ID3v2Frames frames = ParseID3v2Frames(hidden);
    const ID3v2Frame* frame = FirstFrame(frames, id);
    return frame ? FrameValue(*frame) : QString();
}

bool HasFrame(const QByteArray& hidden, const QByteArray& id) {
    return FirstFrame(ParseID3v2Frames(hidden), id) != nullptr;
}

bool IsFrameId(const QString& text) {
    if (text.size() != 4) return false;
    for (QChar c : text)
        if (!((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))) return false;
    return true;
}

QByteArray WithFrameAdded(const QByteArray& hidden, const QString& id, const QString& text) {
    // A frame reader stops at an identifier it cannot read, and would lose every frame behind
    // it; so only a real identifier is added.
    if (!IsFrameId(id) || text.isEmpty()) return hidden;
    return hidden + MakeFrame(id.toLatin1(), text);
}

QByteArray WithoutFirstFrame(const QByteArray& hidden, const QByteArray& id) {
    const ID3v2Frames frames = ParseID3v2Frames(hidden);
    const ID3v2Frame* frame = FirstFrame(frames, id);
    if (!frame) return hidden;
    return hidden.left(frame->offset) + hidden.mid(frame->offset + frame->stored);
}

FrameFile FrameExport(const QByteArray& hidden, const QByteArray& id) {
    const ID3v2Frames frames = ParseID3v2Frames(hidden);
    const ID3v2Frame* frame = FirstFrame(frames, id);
    if (!frame) return {};
    const QByteArray content = FrameContent(*frame);
    if (id == "APIC") {
        if (const auto picture = PictureOf(content))
            return {picture->data, SuffixOfMime(picture->mime)};
    }
    if (IsTextOrUrlFrame(id)) return {FrameValue(*frame).toUtf8(), QStringLiteral("txt")};
    return {content, QStringLiteral("bin")};
}
