#include "zarn/fromtext/albumtags.h"

#include <optional>

#include "zarn/names/patterns.h"
#include "zarn/shell/options.h"
#include "zarn/tags/genres.h"

namespace {

// The six values the tags take; nullopt keeps what the file has.
struct AlbumValues {
    std::optional<QString> title, track, artist, album, genre, year, comment;
};

AlbumValues ValuesFor(const QString& newPath, const QString& outPattern, const AlbumBoxes& boxes,
                      const Options& options) {
    const auto fromName = [&](const char16_t* field) -> std::optional<QString> {
        const QString name = QString::fromUtf16(field);
        if (!outPattern.contains(u'%' + name, Qt::CaseInsensitive)) return std::nullopt;
        return GetFieldFromName(newPath, name, outPattern, options);
    };
    const auto boxOr = [](bool forAll, const QString& box, std::optional<QString> value) {
        return forAll ? std::optional<QString>(box) : value;
    };
    AlbumValues v;
    v.title = fromName(u"title");
    v.track = fromName(u"track");
    v.artist = boxOr(boxes.artist4All, boxes.artist, fromName(u"artist"));
    v.album = boxOr(boxes.album4All, boxes.album, fromName(u"album"));
    v.genre = boxOr(boxes.genre4All, boxes.genre, fromName(u"genre"));
    v.year = boxOr(boxes.year4All, boxes.year, fromName(u"year"));
    if (boxes.release4All) v.comment = boxes.releaseDate;
    return v;
}

// The ID3v1 track byte holds 1..255; anything else means no track.
QByteArray TrackByte(const QString& track) {
    bool ok = false;
    const int number = track.toInt(&ok);
    return QByteArray(1, ok && number >= 1 && number <= 255 ? char(number) : '\0');
}

ID3v1Record WithV1(ID3v1Record tag, const AlbumValues& v, bool optimized) {
    ID3v1Texts texts = UnpackID3v1Texts(tag, optimized);
    texts.title = v.title.value_or(texts.title);
    texts.artist = v.artist.value_or(texts.artist);
    texts.album = v.album.value_or(texts.album);
    texts.comment = v.comment.value_or(texts.comment);
    PackID3v1Texts(tag, texts, optimized);
    if (v.year) tag.Year = TextField(*v.year, 4);
    if (v.track) tag.Track = TrackByte(*v.track);
    if (v.genre) tag.Genre = QByteArray(1, char(GenreNumber(*v.genre)));
    return tag;
}

ID3v2Record WithV2(ID3v2Record tag, const AlbumValues& v) {
    tag.Title = v.title.value_or(tag.Title);
    tag.Track = v.track.value_or(tag.Track);
    tag.Artist = v.artist.value_or(tag.Artist);
    tag.Album = v.album.value_or(tag.Album);
    tag.Year = v.year.value_or(tag.Year);
    tag.Comment = v.comment.value_or(tag.Comment);
    // "(17)Rock"; an empty genre writes no frame rather than "(255)", which reads "Unknown".
    if (v.genre)
        tag.Genre = v.genre->isEmpty()
                        ? QString()
                        : QStringLiteral("(%1)%2").arg(GenreNumber(*v.genre)).arg(*v.genre);
    return tag;
}

}  // namespace

AlbumFileTags AlbumTags(const QString& newPath, const QString& outPattern, const AlbumBoxes& boxes,
                        const AlbumFileTags& old, const Options& options) {
    const AlbumValues values = ValuesFor(newPath, outPattern, boxes, options);
    return {WithV1(old.v1, values, options.bOptimizedID3v1), WithV2(old.v2, values)};
}
