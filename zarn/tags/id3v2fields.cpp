#include "zarn/tags/id3v2fields.h"

#include <cstring>

#include "zarn/shell/text.h"
#include "zarn/tags/genres.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/panelfields.h"

namespace {

// Genre number text to name: the table for 0..255, "Remix" and "Cover" for the two words
// ID3v2.3 defines; empty for anything else.
QString NamedNumber(const QString& number) {
    if (number == u"RX") return QStringLiteral("Remix");
    if (number == u"CR") return QStringLiteral("Cover");
    bool ok = false;
    const qulonglong code = number.toULongLong(&ok);
    return IsAllDigits(number) && ok && code <= 255 ? GenreNameOfNumber(int(code)) : QString();
}

QString GenreOfValue(const QString& raw) {
    // "((" starts a name that itself begins with "(".
    if (raw.startsWith(u"((")) return raw.mid(1);
    const int p = InStr(2, raw, QStringLiteral(")"));
    if (p == 0 || !raw.startsWith(u'(')) {
        const QString name = TrimBlanks(raw);
        return IsAllDigits(name) && !NamedNumber(name).isEmpty() ? NamedNumber(name) : name;
    }
    const QString refinement = TrimBlanks(Mid(raw, p + 1));
    const QString genre = NamedNumber(Mid(raw, 2, p - 2));
    if (!refinement.isEmpty() && refinement.compare(genre, Qt::CaseInsensitive) != 0)
        return refinement;
    return genre;
}

// The rules of the fields whose text is not the frame's value as it stands.
QString AsFieldText(const QByteArray& id, QString value) {
    if (id == "TCON") return GenreOfFrameText(value);
    if (id == "WXXX") return value.remove(QChar(u'\0'));
    return value;
}

// Compared as one 32-bit number when both are four characters, as frame identifiers are.
bool HasId(const ID3v2Frame& frame, QByteArrayView id) {
    const QByteArray& own = frame.id;
    if (own.size() != id.size()) return false;
    if (id.size() != 4) return std::memcmp(own.constData(), id.data(), size_t(id.size())) == 0;
    quint32 a = 0, b = 0;
    std::memcpy(&a, own.constData(), 4);
    std::memcpy(&b, id.data(), 4);
    return a == b;
}

bool IsITunesKey(const QString& description) {
    return description.startsWith(u"iTun") || description.startsWith(u"CDDB") ||
           description.startsWith(u"MusicMatch_");
}

}  // namespace

const QList<ID3v2Field>& ID3v2Fields() {
    static const QList<ID3v2Field> fields = [] {
        QList<ID3v2Field> inWriteOrder(PanelFields().size());
        for (const PanelField& f : PanelFields()) inWriteOrder[f.writeRank] = {f.frame, f.record};
        return inWriteOrder;
    }();
    return fields;
}

qsizetype FieldSource(const ID3v2Frames& frames, QByteArrayView id) {
    qsizetype described = -1;
    for (qsizetype i = 0; i < frames.size(); ++i) {
        // Compared in place: this runs for every field of every file a rename reads.
        if (!HasId(frames[i], id)) continue;
        if (id != "COMM") return i;
        const QString description = FrameDescription(frames[i]);
        if (description.isEmpty()) return i;
        if (described < 0 && !IsITunesKey(description)) described = i;
    }
    return described;
}

bool SameField(const ID3v2Frame& a, const ID3v2Frame& b) {
    if (a.id != b.id) return false;
    if (a.id == "COMM" && FrameContent(a).mid(1, 3) != FrameContent(b).mid(1, 3)) return false;
    if (a.id == "COMM" || a.id == "WXXX") return FrameDescription(a) == FrameDescription(b);
    return true;
}

FrameIndexes FieldFrames(const ID3v2Frames& frames, QByteArrayView id) {
    const qsizetype source = FieldSource(frames, id);
    if (source < 0) return {};
    FrameIndexes at{source};
    for (qsizetype i = 0; i < frames.size(); ++i)
        if (i != source && SameField(frames[i], frames[source])) at << i;
    return at;
}

QString FieldValue(const ID3v2Frame& frame) {
    return AsFieldText(frame.id, FrameValue(frame));
}

QString FieldValue(const ID3v2Frames& frames) {
    if (frames.isEmpty()) return {};
    // Most fields have one frame; no list to join then.
    if (frames.size() == 1) return FieldValue(frames.first());
    QStringList values;
    for (const ID3v2Frame& frame : frames) values << FrameValue(frame);
    return AsFieldText(frames.first().id, values.join(QStringLiteral(" / ")));
}

QString GenreOfFrameText(const QString& text) {
    QStringList genres;
    for (const QString& value : text.split(QStringLiteral(" / "))) {
        const QString genre = GenreOfValue(value);
        if (!genre.isEmpty() && !genres.contains(genre)) genres << genre;
    }
    return genres.join(QStringLiteral(" / "));
}

QString TconText(const QString& genre) {
    const int p = InStr(2, genre, QStringLiteral(")"));
    if (!genre.startsWith(u'(') || p < 3 || !IsAllDigits(Mid(genre, 2, p - 2))) return genre;
    const QString name = Mid(genre, p + 1);
    return name.isEmpty() || GenreTable().contains(name) ? genre : name;
}

QString YearOfTimestamp(const QString& timestamp) {
    const QString year = timestamp.left(4);
    return year.size() == 4 && IsAllDigits(year) ? year : QString();
}
