#include "zarn/shell/cp1252.h"
#include "zarn/shell/text.h"
#include "zarn/tags/id3v1.h"

namespace {

QByteArray UpToNul(const QByteArray& field) {
    const qsizetype nul = field.indexOf('\0');
    return nul < 0 ? field : field.left(nul);
}

// The optimized form hides the rest of a long title in the comment field (and of a long
// artist in the album field) behind the field's own text and one NUL. `limit` is the last
// position the separator may have: in the comment, position 29 is the ID3v1.1 zero byte.
struct Split {
    QByteArray own, continuation;
};
Split SplitContinuation(const QByteArray& field, int limit) {
    const int p = int(field.indexOf('\0')) + 1;
    if (p < 1 || p > limit) return {UpToNul(field), {}};
    const int next = int(field.indexOf('\0', p)) + 1;
    int q = next > 0 ? next - p - 1 : 0;
    if (q == 0) q = 30 - p;
    return {field.left(p - 1), field.mid(p, q)};
}

QByteArray Packed(const QByteArray& own, const QByteArray& longText) {
    return PadField(own + '\0' + longText.mid(30), 30, '\0');
}

}  // namespace

QByteArray PadField(const QByteArray& text, int width, char pad) {
    if (text.size() >= width) return text.left(width);
    return text + QByteArray(width - text.size(), pad);
}

QString FieldText(const QByteArray& field) {
    return FromCp1252(UpToNul(field));
}

QByteArray TextField(const QString& text, int width) {
    return PadField(ToCp1252(text), width, '\0');
}

void PackID3v1Texts(ID3v1Record& tag, const ID3v1Texts& texts, bool optimized) {
    if (!optimized) {
        tag.Title = TextField(texts.title, 30);
        tag.Artist = TextField(texts.artist, 30);
        tag.Album = TextField(texts.album, 30);
        tag.Comment = TextField(texts.comment, 30);
        return;
    }
    const QByteArray title = ToCp1252(TrimBlanks(texts.title));
    const QByteArray artist = ToCp1252(TrimBlanks(texts.artist));
    tag.Title = PadField(title, 30, '\0');
    tag.Comment = Packed(ToCp1252(TrimBlanks(texts.comment)), title);
    tag.Artist = PadField(artist, 30, '\0');
    tag.Album = Packed(ToCp1252(TrimBlanks(texts.album)), artist);
}

ID3v1Texts UnpackID3v1Texts(const ID3v1Record& tag, bool optimized) {
    if (!optimized)
        return {FieldText(tag.Title), FieldText(tag.Artist), FieldText(tag.Album),
                FieldText(tag.Comment)};
    // Bytes 29 and 30 of an ID3v1.1 comment are the zero byte and the track: never text.
    const bool hasTrack = !tag.Track.isEmpty() && tag.Track.at(0) != '\0';
    const Split comment =
        SplitContinuation(hasTrack ? PadField(tag.Comment.left(28), 30, '\0') : tag.Comment, 28);
    const Split album = SplitContinuation(tag.Album, 29);
    const auto joined = [](const QByteArray& field, const QByteArray& continuation) {
        return FromCp1252(QByteArray(UpToNul(field) + continuation).replace('\0', QByteArray()));
    };
    return {joined(tag.Title, comment.continuation), joined(tag.Artist, album.continuation),
            FieldText(album.own), FieldText(comment.own)};
}
