#include "zarn/editing/fixid3.h"

#include "zarn/names/cleanup.h"
#include "zarn/names/patterns.h"
#include "zarn/shell/cp1252.h"
#include "zarn/shell/text.h"
#include "zarn/tags/genres.h"

namespace {

bool IsDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

bool IsBlanksOnly(const QString& text) {
    return TrimBlanks(text).isEmpty();
}

// The name without its extension, when it has one: a dot that does not start the name,
// followed by a text without blanks ("Mr. Big 3" has none).
QString WithoutExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0 || dot + 1 == name.size() || name.indexOf(u' ', dot) >= 0) return name;
    return name.left(dot);
}

// The ID3v1 track character of a fixed track box: NUL for an empty box; none for a text that
// is no number or a number above 255, which one byte cannot hold. "3/12" is track 3.
std::optional<char> ID3v1TrackOf(const QString& box) {
    if (box.isEmpty()) return '\0';
    const QString digits = TrackNumberOnly(box);
    if (!IsAllDigits(digits)) return std::nullopt;
    bool ok = false;
    const uint number = digits.toUInt(&ok);
    if (!ok || number > 255) return std::nullopt;
    return char(number);
}

}  // namespace

QString FixedTextBox(const QString& box, const char* field, const FixSource& source) {
    const QString text = box.isEmpty() ? GetFieldFromName(source.path, QString::fromLatin1(field),
                                                          source.inPattern, source.options)
                                       : box;
    return FixTagText(text, source.options);
}

QString FixedTrackBox(const QString& box, const FixSource& source, const QString& oldName) {
    const QString track = box.isEmpty() ? GetFieldFromName(source.path, QStringLiteral("track"),
                                                           source.inPattern, source.options)
                                        : FixTagText(box, source.options);
    return DigTrack(track, oldName);
}

QString DigTrack(const QString& box, const QString& oldName) {
    // "02/10" is a track already; replacing it would lose the total.
    if (IsAllDigits(TrackNumberOnly(box))) return box;
    const QString name = WithoutExtension(oldName);
    if (name.size() >= 2 && IsDigit(name[0]) && IsDigit(name[1]))
        return QString::number(name.left(2).toInt());
    for (qsizetype i = 0; i + 1 < name.size(); ++i)
        if (IsDigit(name[i]) && IsDigit(name[i + 1])) return name.mid(i, 2);
    for (QChar ch : name)
        if (IsDigit(ch)) return QString(ch);
    return box;
}

void SplitArtistFromTitle(TagFields& v1) {
    const QString title = v1.title;
    if (title == v1.artist + QStringLiteral(" -")) v1.title.clear();
    const int p = InStr(title, QStringLiteral(" - "));
    if (p <= 0 || p >= title.size() - 3) return;
    const QString artist = title.left(p - 1);
    if (v1.artist.isEmpty()) v1.artist = artist;
    if (v1.artist.compare(artist, Qt::CaseInsensitive) == 0) v1.title = Mid(title, p + 3);
}

void FixID3v2Boxes(PanelValues& values, const FixSource& source) {
    TagFields& v2 = values.v2;
    v2.artist = FixedTextBox(v2.artist, "artist", source);
    v2.title = FixedTextBox(v2.title, "title", source);
    v2.album = FixedTextBox(v2.album, "album", source);
    if (IsBlanksOnly(v2.comment)) v2.comment.clear();
    if (v2.comment.isEmpty() && !IsBlanksOnly(values.v1.comment)) v2.comment = values.v1.comment;
    v2.track = FixedTrackBox(v2.track, source, values.oldName);
}

void CopyID3v2OverID3v1(PanelValues& values) {
    const auto over = [](QString& v1, const QString& v2, int width) {
        if (!v2.isEmpty()) v1 = v2.left(width);
    };
    TagFields& v1 = values.v1;
    const TagFields& v2 = values.v2;
    over(v1.title, v2.title, 30);
    over(v1.artist, v2.artist, 30);
    over(v1.album, v2.album, 30);
    over(v1.year, v2.year, 4);
    over(v1.track, v2.track, -1);
    over(v1.comment, v2.comment, 28);
    if (!v2.genre.isEmpty()) v1.genre = GenreTable().contains(v2.genre) ? v2.genre : QString();
}

void FixID3v1Boxes(PanelValues& values, const FixSource& source) {
    TagFields& v1 = values.v1;
    v1.artist = FixedTextBox(v1.artist, "artist", source);
    v1.title = FixedTextBox(v1.title, "title", source);
    if (source.options.bMisses) SplitArtistFromTitle(v1);
    v1.album = FixedTextBox(v1.album, "album", source);
    v1.year = TrimBlanks(QString(v1.year).remove(QChar(u'\0')));
    if (IsBlanksOnly(v1.comment)) v1.comment.clear();
    v1.track = FixedTrackBox(v1.track, source, values.oldName);
}

void FillID3v2Gaps(PanelValues& values) {
    const TagFields& v1 = values.v1;
    TagFields& v2 = values.v2;
    for (auto field : {&TagFields::title, &TagFields::artist, &TagFields::album, &TagFields::year,
                       &TagFields::track, &TagFields::comment})
        if (IsBlanksOnly(v2.*field)) v2.*field = v1.*field;
    if (v2.genre.isEmpty()) v2.genre = v1.genre;
}

PanelValues FixPanelValues(PanelValues values, const FixSource& source) {
    if (values.id3v2) FixID3v2Boxes(values, source);
    if (values.id3v1 && values.id3v2) CopyID3v2OverID3v1(values);
    if (values.id3v1) FixID3v1Boxes(values, source);
    if (values.id3v2) FillID3v2Gaps(values);
    return values;
}

FixedRecords FixedRecordsOf(const PanelValues& fixed, const ShownFile& shown,
                            const QByteArray& oldGenre, const Options& options) {
    FixedRecords records;
    records.modes = KeepingAbsentID3v1(
        {fixed.id3v1 ? kWriteTag : kKeepTag, fixed.id3v2 ? kWriteTag : kKeepTag}, shown.hadID3v1);
    if (fixed.id3v1) {
        const TagFields& v1 = fixed.v1;
        const std::optional<char> track = ID3v1TrackOf(v1.track);
        if (!track) {
            records.error = QStringLiteral(
                                "The ID3v1 track number \"%1\" is not a number from 0 to "
                                "255; the file was left as it was.")
                                .arg(v1.track);
            return records;
        }
        records.tag1 = OneFileID3v1(fixed, options.bOptimizedID3v1, oldGenre);
        // The fixed texts go in as they stand, not trimmed again.
        PackID3v1Texts(records.tag1, {v1.title, v1.artist, v1.album, v1.comment},
                       options.bOptimizedID3v1);
        records.tag1.Year = PadField((ToCp1252(v1.year) + '\0').left(4), 4, ' ');
        records.tag1.Track = QByteArray(1, *track);
    }
    if (fixed.id3v2) {
        records.tag2 = OneFileID3v2(fixed, shown.hiddenFrames, options.bRemHiddenID3);
        // Year and track as the steps left them: "2003-05-01" and "3/12" stay whole.
        records.tag2.Year = fixed.v2.year;
        records.tag2.Track = fixed.v2.track;
    }
    return records;
}
