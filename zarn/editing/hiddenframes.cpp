#include "zarn/editing/hiddenframes.h"

#include <array>

#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2framelist.h"

namespace {

const ID3v2Frame* FrameAt(const ID3v2Frames& frames, int index) {
    return index >= 0 && index < frames.size() ? &frames[index] : nullptr;
}

bool IsTextOrUrlFrame(const QByteArray& id) {
    return id.startsWith('T') || id.startsWith('W') || id == "COMM" || id == "USLT";
}

// An APIC body: encoding, MIME type ended by a zero byte, picture type, description ended by
// the encoding's terminator (two zero bytes on an even offset for UTF-16), then the image.
struct Picture {
    QByteArray mime, data;
    int type = 0;
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
    return Picture{body.mid(1, mimeEnd - 1).toLower(), body.mid(end),
                   mimeEnd + 1 < body.size() ? uchar(body[mimeEnd + 1]) : 0};
}

QString SuffixOfMime(const QByteArray& mime) {
    if (mime == "image/jpeg" || mime == "image/jpg" || mime == "jpg") return QStringLiteral("jpg");
    if (mime == "image/png" || mime == "png") return QStringLiteral("png");
    if (mime == "image/bmp" || mime == "image/x-ms-bmp" || mime == "bmp")
        return QStringLiteral("bmp");
    if (mime == "image/gif" || mime == "gif") return QStringLiteral("gif");
    return QStringLiteral("bin");
}

// The picture types of the ID3v2 standard, by number.
QString PictureTypeName(int type) {
    static const std::array<const char*, 21> names = {"Other",
                                                      "32x32 pixels file icon",
                                                      "Other file icon",
                                                      "Cover (front)",
                                                      "Cover (back)",
                                                      "Leaflet page",
                                                      "Media",
                                                      "Lead artist",
                                                      "Artist",
                                                      "Conductor",
                                                      "Band",
                                                      "Composer",
                                                      "Lyricist",
                                                      "Recording location",
                                                      "During recording",
                                                      "During performance",
                                                      "Movie/video screen capture",
                                                      "A bright coloured fish",
                                                      "Illustration",
                                                      "Band/artist logotype",
                                                      "Publisher/Studio logotype"};
    if (type >= 0 && type < int(names.size())) return QString::fromLatin1(names[size_t(type)]);
    return QStringLiteral("Type %1").arg(type);
}

QString LabelOf(const ID3v2Frame& frame) {
    QString detail = FrameDescription(frame);
    if (frame.id == "APIC")
        if (const auto picture = PictureOf(FrameContent(frame)))
            detail = PictureTypeName(picture->type);
    const QString id = QString::fromLatin1(frame.id);
    return detail.isEmpty() ? id : id + QStringLiteral(" (") + detail + u')';
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

QList<ListedFrame> ListedFrames(const QByteArray& hidden) {
    const ID3v2Frames frames = ParseID3v2Frames(hidden);
    QList<ListedFrame> listed;
    const auto add = [&](int i) { listed.append({i, frames[i].id, LabelOf(frames[i])}); };
    for (const QByteArray& id : MoreFrameIds())
        for (int i = 0; i < frames.size(); ++i)
            if (frames[i].id == id) add(i);
    // Frames of older versions (TYER, IPLS, ...) and a second COMM or TOPE are hidden too.
    for (int i = 0; i < frames.size(); ++i)
        if (!MoreFrameIds().contains(frames[i].id)) add(i);
    return listed;
}

QString FrameContentText(const QByteArray& hidden, int index) {
    const ID3v2Frames frames = ParseID3v2Frames(hidden);
    const ID3v2Frame* frame = FrameAt(frames, index);
    if (!frame) return {};
    if (IsTextOrUrlFrame(frame->id)) return FrameValue(*frame);
    const QByteArray content = FrameContent(*frame);
    if (frame->id == "APIC")
        if (const auto picture = PictureOf(content))
            return QStringLiteral("%1, %2, %3 bytes")
                .arg(PictureTypeName(picture->type), QString::fromLatin1(picture->mime))
                .arg(picture->data.size());
    // Binary data shown as text would be a few stray characters.
    return QStringLiteral("%1 bytes").arg(content.size());
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

QByteArray WithoutFrame(const QByteArray& hidden, int index) {
    const ID3v2Frames frames = ParseID3v2Frames(hidden);
    const ID3v2Frame* frame = FrameAt(frames, index);
    if (!frame) return hidden;
    return hidden.left(frame->offset) + hidden.mid(frame->offset + frame->stored);
}

FrameFile FrameExport(const QByteArray& hidden, int index) {
    const ID3v2Frames frames = ParseID3v2Frames(hidden);
    const ID3v2Frame* frame = FrameAt(frames, index);
    if (!frame) return {};
    const QByteArray& id = frame->id;
    const QByteArray content = FrameContent(*frame);
    if (id == "APIC") {
        if (const auto picture = PictureOf(content))
            return {picture->data, SuffixOfMime(picture->mime)};
    }
    if (IsTextOrUrlFrame(id)) return {FrameValue(*frame).toUtf8(), QStringLiteral("txt")};
    return {content, QStringLiteral("bin")};
}
