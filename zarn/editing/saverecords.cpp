#include "zarn/editing/saverecords.h"

#include <QList>

#include "zarn/names/cleanup.h"
#include "zarn/shell/cp1252.h"
#include "zarn/shell/text.h"
#include "zarn/tags/genres.h"

namespace {

const QString kDigits = QStringLiteral("0123456789");
const QString kClearMarker = QStringLiteral("***");
constexpr char kNoGenre = '\xFF';

bool IsKeepMarker(const QString& box) {
    return TrimBlanks(box).isEmpty();
}
bool IsClearMarker(const QString& box) {
    return TrimBlanks(box) == kClearMarker;
}

// A track box read for ID3v1: "3/12" is track 3, so only the digits before a slash count.
QString ID3v1TrackDigits(const QString& box, const QString& allowed) {
    return RemoveChars(box.section(u'/', 0, 0), allowed, true);
}

// The year as the ID3v1 field takes it: its digits and one NUL, cut at 4, blank-filled.
QByteArray YearField(const QString& digits) {
    return PadField((ToCp1252(digits) + '\0').left(4), 4, ' ');
}

// The boxes of a column with their texts, in the order of the summary.
struct ColumnBox {
    const PanelField& field;
    const QString& text;
};
QList<ColumnBox> ColumnBoxes(const PanelValues& v, int column) {
    QList<ColumnBox> boxes;
    for (const PanelField& f : PanelFields())
        if (f.in(column).exists()) boxes.append({f, BoxText(v, column, f.field)});
    return boxes;
}

// A several-files text field: the file's own bytes, emptied, or the box's text (cut at the
// field width as an assignment would, then trimmed and NUL-padded).
QByteArray MergedField(const QString& box, const QByteArray& old, int width, bool rightOnly) {
    if (IsKeepMarker(box)) return old;
    if (IsClearMarker(box)) return QByteArray(width, '\0');
    const QString cut = box.left(width);
    return TextField(rightOnly ? TrimRightBlanks(cut) : TrimBlanks(cut), width);
}

// A text of the optimized packing: the file's own (continuation joined) when the box is
// empty, nothing for "***", else the box's text.
QString MergedText(const QString& box, const QString& old) {
    if (IsKeepMarker(box)) return old;
    return IsClearMarker(box) ? QString() : box;
}

// The optimized packing keeps the end of a long title in the comment field and of a long
// artist in the album field, so each pair changes together: a changed field drops its old
// continuation, a kept one keeps its text whole. A pair whose boxes are both empty stays as
// the file has it, byte for byte.
void MergePackedPairs(ID3v1Record& tag, const TagFields& v, const ID3v1Record& old) {
    const ID3v1Texts was = UnpackID3v1Texts(old, true);
    ID3v1Record packed;
    PackID3v1Texts(packed,
                   {MergedText(v.title, was.title), MergedText(v.artist, was.artist),
                    MergedText(v.album, was.album), MergedText(v.comment, was.comment)},
                   true);
    if (!IsKeepMarker(v.title) || !IsKeepMarker(v.comment)) {
        tag.Title = packed.Title;
        tag.Comment = packed.Comment;
    }
    if (!IsKeepMarker(v.artist) || !IsKeepMarker(v.album)) {
        tag.Artist = packed.Artist;
        tag.Album = packed.Album;
    }
}

}  // namespace

QByteArray TrackCharacter(const QString& box) {
    if (box.isEmpty() || box.contains(u'*')) return QByteArray(1, '\0');
    bool ok = false;
    const qulonglong number = box.toULongLong(&ok);
    return QByteArray(1, ok && number <= 255 ? char(number) : '\0');
}

QByteArray GenreCharacter(const QString& name, const QByteArray& oldGenre) {
    const int old = oldGenre.isEmpty() ? 255 : uchar(oldGenre[0]);
    const bool oldUnnamed = old >= 148 && old <= 254;
    if (oldUnnamed && (name.isEmpty() || name == u"Unknown")) return oldGenre.left(1);
    return QByteArray(1, char(GenreNumber(name)));
}

QString ID3v2GenreField(const QString& name) {
    if (name.isEmpty()) return {};
    return u'(' + QString::number(GenreNumber(name)) + u')' + name;
}

TagModes KeepingAbsentID3v1(TagModes modes, bool fileHasID3v1) {
    if (modes.id3v1 == kKeepTag && modes.id3v2 != kKeepTag && !fileHasID3v1)
        modes.id3v1 = kRemoveTag;
    return modes;
}

PanelValues OneFileCleaned(PanelValues values) {
    if (!values.id3v1) return values;
    values.v1.track = ID3v1TrackDigits(values.v1.track, kDigits);
    values.v1.year = RemoveChars(values.v1.year, kDigits, true);
    return values;
}

TagModes OneFileModes(const PanelValues& values, const ShownFile& shown) {
    const auto mode = [](bool checked, bool had) {
        return checked ? kWriteTag : had ? kRemoveTag : kKeepTag;
    };
    return {mode(values.id3v1, shown.hadID3v1), mode(values.id3v2, shown.hadID3v2)};
}

ID3v1Record OneFileID3v1(const PanelValues& values, bool optimized, const QByteArray& oldGenre) {
    const TagFields& v = values.v1;
    ID3v1Record tag;
    tag.Tag = "TAG";
    // Without the packing, title and artist are trimmed and album and comment kept as typed.
    PackID3v1Texts(tag, {TrimBlanks(v.title), TrimBlanks(v.artist), v.album, v.comment}, optimized);
    tag.Track = TrackCharacter(v.track);
    tag.Year = YearField(RemoveChars(v.year, kDigits, true));
    tag.Genre = GenreCharacter(v.genre, oldGenre);
    return tag;
}

ID3v2Record OneFileID3v2(const PanelValues& values, const QByteArray& hiddenFrames,
                         bool removeHidden) {
    ID3v2Record tag;
    tag.Tag = "ID3";
    for (const ColumnBox& box : ColumnBoxes(values, 2)) tag.*box.field.record = box.text;
    tag.Year = RemoveChars(values.v2.year, kDigits, true);
    tag.Track = RemoveChars(values.v2.track, kDigits + u'/', true);
    tag.Genre = ID3v2GenreField(values.v2.genre);
    if (!removeHidden) tag.Hidden = hiddenFrames;
    return tag;
}

QString SeveralFilesSummary(const PanelValues& values, RemoveMarks remove, int files) {
    QStringList lines{
        QStringLiteral("The following attributes will be changed for ALL %1 selected files:")
            .arg(files)};
    const auto add = [&lines](const char* caption, const QString& text) {
        if (!text.isEmpty()) lines << QLatin1String(caption) + text;
    };
    if (remove.id3v1) lines << QString() << QStringLiteral("ID3v1 tags will be REMOVED!");
    if (values.id3v1) {
        lines << QString() << QStringLiteral("ID3v1 (ID3v1 will be added if nonexistent):");
        for (const ColumnBox& box : ColumnBoxes(values, 1)) add(box.field.caption, box.text);
    }
    if (remove.id3v2) lines << QString() << QStringLiteral("ID3v2 tags will be REMOVED!");
    if (values.id3v2) {
        lines << QString() << QStringLiteral("ID3v2 (ID3v2 will be added if nonexistent):");
        for (const ColumnBox& box : ColumnBoxes(values, 2)) add(box.field.caption, box.text);
    }
    return lines.join(QStringLiteral("\r\n"));
}

TagModes SeveralFilesModes(const PanelValues& values, RemoveMarks remove) {
    const auto mode = [](bool removed, bool checked) {
        return removed ? kRemoveTag : checked ? kWriteTag : kKeepTag;
    };
    return {mode(remove.id3v1, values.id3v1), mode(remove.id3v2, values.id3v2)};
}

PanelValues SeveralFilesCleaned(PanelValues values) {
    const QString v1 = u'*' + kDigits;
    const QString v2 = v1 + QStringLiteral("/+-");
    values.v1.track = ID3v1TrackDigits(values.v1.track, v1);
    values.v1.year = RemoveChars(values.v1.year, v1, true);
    values.v2.track = RemoveChars(values.v2.track, v2, true);
    values.v2.year = RemoveChars(values.v2.year, v2, true);
    return values;
}

ID3v1Record MergedID3v1(const PanelValues& values, const ID3v1Record& old, bool optimized) {
    const TagFields& v = values.v1;
    ID3v1Record tag;
    tag.Tag = "TAG";
    tag.Title = MergedField(v.title, old.Title, 30, false);
    tag.Artist = MergedField(v.artist, old.Artist, 30, false);
    tag.Album = MergedField(v.album, old.Album, 30, false);
    tag.Comment = MergedField(v.comment, old.Comment, 30, true);
    if (optimized) MergePackedPairs(tag, v, old);
    tag.Year = MergedField(v.year, old.Year, 4, false);
    tag.Track = IsKeepMarker(v.track) ? old.Track : TrackCharacter(TrimBlanks(v.track));
    tag.Genre = v.genre.isEmpty() ? old.Genre : GenreCharacter(v.genre, old.Genre);
    return tag;
}

ID3v2Record MergedID3v2(const PanelValues& values, const ID3v2Record& old, bool removeHidden) {
    ID3v2Record tag;
    tag.Tag = "ID3";
    for (const ColumnBox& box : ColumnBoxes(values, 2)) {
        QString ID3v2Record::*member = box.field.record;
        if (IsKeepMarker(box.text))
            tag.*member = old.*member;
        else if (!IsClearMarker(box.text))
            tag.*member = box.field.field == TagField::Genre ? ID3v2GenreField(box.text) : box.text;
    }
    // "*" in the track box means no track number, as it does for ID3v1.
    if (!IsKeepMarker(values.v2.track) && values.v2.track.contains(u'*')) tag.Track.clear();
    if (!removeHidden) tag.Hidden = old.Hidden;
    return tag;
}
