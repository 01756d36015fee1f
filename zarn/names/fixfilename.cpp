#include "zarn/names/fixfilename.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "zarn/names/cleanup.h"
#include "zarn/names/patterns.h"
#include "zarn/names/safename.h"
#include "zarn/shell/cp1252.h"
#include "zarn/shell/text.h"
#include "zarn/tags/filetags.h"
#include "zarn/tags/genres.h"

namespace {

QString NameOfPath(const QString& path) {
    return path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(QDir::separator())) + 1);
}

constexpr const char16_t* kPlaceholders[] = {u"%artist", u"%title", u"%album",  u"%track",
                                             u"%year",   u"%genre", u"%comment"};

// The pattern without its placeholders. The same pattern serves every file of a run, so the
// last one is kept.
QString SkeletonOf(const QString& pattern) {
    struct Last {
        bool known = false;
        QString pattern, skeleton;
    };
    thread_local Last last;
    if (!last.known || pattern != last.pattern) {
        QString skeleton = pattern;
        for (const char16_t* placeholder : kPlaceholders)
            skeleton.remove(QString::fromUtf16(placeholder));
        last = {true, pattern, skeleton};
    }
    return last.skeleton;
}

QString FirstNonEmpty(const QString& a, const QString& b) {
    return a.isEmpty() ? b : a;
}

// The fields of the old name, read by the input pattern.
struct NameReader {
    const QString& name;
    const QString& pattern;
    const Options& options;
    QString operator()(const char16_t* field) const {
        return GetFieldFromName(name, QString::fromUtf16(field), pattern, options);
    }
};

TagFields FieldsFromName(const NameReader& fromName) {
    return {fromName(u"artist"), fromName(u"title"), fromName(u"album"),  fromName(u"track"),
            fromName(u"year"),   fromName(u"genre"), fromName(u"comment")};
}

// A title read from the name often still holds the artist ("Velt - Harbour").
void RepairTitle(TagFields& f) {
    const QString dash = QStringLiteral(" - ");
    if (f.title == f.artist + QStringLiteral(" -")) f.title.clear();
    const int p = InStr(f.title, dash);
    if (p >= 1 && p < f.title.size() - 3) {
        const QString before = f.title.left(p - 1);
        if (f.artist.isEmpty()) f.artist = before;
        if (f.artist.toLower() == before.toLower()) f.title = Mid(f.title, p + 3);
    }
}

// A stem of nothing but dots (".mp3", "...mp3") would make a hidden file or no name at all.
bool HasUsableStem(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const QStringView stem = QStringView(name).left(dot < 0 ? name.size() : dot);
    return std::any_of(stem.cbegin(), stem.cend(),
                       [](QChar ch) { return ch != u'.' && ch != u' '; });
}

// Builder steps shared by both builders, from the track rule to the returned name.
QString BuildName(TagFields f, bool tagsUsed, const QString& outPattern, const QString& oldName,
                  const Options& options) {
    if (tagsUsed) {
        if (f.track == u" " || f.track == QString(QChar(0))) f.track.clear();
        f.track = TrackNumberOnly(f.track);
        if (f.track.size() == 1 && f.track != u"0") f.track.prepend(u'0');
        if (options.bMisses)
            for (QString* value :
                 {&f.artist, &f.title, &f.album, &f.track, &f.year, &f.genre, &f.comment})
                *value = TrimBlanks(*value);
    }
    if (options.Change == 2)
        for (QString* value : {&f.artist, &f.title, &f.album}) *value = FirstUpperRestLower(*value);

    QString name = outPattern;
    name.replace(QStringLiteral("%artist"), f.artist);
    name.replace(QStringLiteral("%title"), f.title);
    name.replace(QStringLiteral("%album"), f.album);
    name.replace(QStringLiteral("%track"), f.track);
    name.replace(QStringLiteral("%year"), f.year);
    name.replace(QStringLiteral("%genre"), f.genre);
    name.replace(QStringLiteral("%comment"), f.comment);

    // Nothing filled the pattern: never rename a file to a bare " - .mp3".
    const QString trimmed = TrimBlanks(name);
    if (trimmed == TrimBlanks(SkeletonOf(outPattern)) || trimmed == u'.' + options.Extension)
        name = oldName;

    const QString cleaned = SafeFileName(CleanNewName(name, options), oldName);
    if (HasUsableStem(cleaned)) return cleaned;
    const QString cleanedOld = SafeFileName(CleanNewName(oldName, options), oldName);
    return HasUsableStem(cleanedOld) ? cleanedOld : oldName;
}

bool UseTags(const Options& options, bool tagPresent) {
    return options.bID3 && !TrimBlanks(options.Extension).isEmpty() && tagPresent;
}

}  // namespace

FileTagFields ReadTagFields(const FileTags& tags, const Options& options) {
    const ID3v2Record& v2 = tags.v2;
    const ID3v1Record& v1 = tags.v1;
    FileTagFields result;
    result.hasTag = v2.hasTag() || v1.hasTag();

    TagFields one;
    if (v1.hasTag()) {
        const ID3v1Texts texts = UnpackID3v1Texts(v1, options.bOptimizedID3v1);
        one.title = TrimBlanks(texts.title);
        one.artist = TrimBlanks(texts.artist);
        one.album = TrimBlanks(texts.album);
        one.comment = TrimBlanks(texts.comment);
        one.year = TrimBlanks(FieldText(v1.Year));
        const int track = v1.Track.isEmpty() ? 0 : static_cast<unsigned char>(v1.Track[0]);
        if (track != 0) one.track = QString::number(track);
    }
    // The genre byte is a number (0 is Blues, 32 is Classical), never text to cut or trim. No tag
    // reads as byte 255, and 255 names "Unknown", as the genre folders do.
    const int genre =
        v1.hasTag() && !v1.Genre.isEmpty() ? static_cast<unsigned char>(v1.Genre[0]) : 255;
    one.genre = GenreNameOfNumber(genre);
    TagFields& f = result.fields;
    f.artist = FirstNonEmpty(v2.Artist, one.artist);
    f.title = FirstNonEmpty(v2.Title, one.title);
    f.album = FirstNonEmpty(v2.Album, one.album);
    f.track = FirstNonEmpty(v2.Track, one.track);
    f.year = FirstNonEmpty(v2.Year, one.year);
    // An ID3v2 genre is already a name ("Rock"); only the ID3v1 number is looked up.
    f.genre = FirstNonEmpty(v2.Genre, one.genre);
    f.comment = FirstNonEmpty(v2.Comment, one.comment);
    return result;
}

QString FixFileName(const QString& path, const QString& outPattern, const QString& inPattern,
                    const Options& options) {
    const FileTags read = ReadFileTags(path);
    // A file that cannot be opened may still be there (no read permission): it gets a name
    // from its old name; only a missing file gets none.
    if (!read.opened && !QFileInfo::exists(path)) return {};
    const NameReader fromName{path, inPattern, options};
    const FileTagFields tags = ReadTagFields(read, options);
    const bool tagsUsed = UseTags(options, tags.hasTag);
    TagFields f;
    if (!tagsUsed) {
        f = FieldsFromName(fromName);
    } else {
        f = tags.fields;
        if (f.artist.isEmpty()) f.artist = fromName(u"artist");
        if (f.album.isEmpty()) f.album = fromName(u"album");
        if (f.title.isEmpty()) {
            f.title = fromName(u"title");
            if (options.bMisses) RepairTitle(f);
        }
    }
    return BuildName(f, tagsUsed, outPattern, NameOfPath(path), options);
}

QString FixFileName2(const NameFields& panel, const QString& fileName, const Options& options) {
    const NameReader fromName{panel.oldName, panel.inPattern, options};
    const bool tagsUsed = UseTags(options, panel.id3v1 || panel.id3v2);
    TagFields f;
    if (!tagsUsed) {
        f = FieldsFromName(fromName);
    } else {
        const TagFields& v1 = panel.v1;
        const TagFields& v2 = panel.v2;
        const auto pick = [&](const QString& a, const QString& b, const char16_t* field) {
            return !a.isEmpty() ? a : !b.isEmpty() ? b : fromName(field);
        };
        f.artist = pick(v2.artist, v1.artist, u"artist");
        f.album = pick(v2.album, v1.album, u"album");
        f.track = pick(v2.track, v1.track, u"track");
        f.year = pick(v2.year, v1.year, u"year");
        f.genre = pick(v2.genre, v1.genre, u"genre");
        f.comment = FirstNonEmpty(v2.comment, v1.comment);
        f.title = FirstNonEmpty(v2.title, v1.title);
        if (f.title.isEmpty()) {
            f.title = fromName(u"title");
            if (options.bMisses) RepairTitle(f);
        }
    }
    return BuildName(f, tagsUsed, panel.outPattern, NameOfPath(fileName), options);
}
