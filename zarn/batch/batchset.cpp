#include "zarn/batch/batchset.h"

#include "zarn/batch/batchreport.h"
#include "zarn/editing/saverecords.h"
#include "zarn/editing/savetags.h"
#include "zarn/shell/text.h"
#include "zarn/tags/genres.h"

namespace {

QString* BoxOf(TagFields& f, const QString& field) {
    if (field == u"title") return &f.title;
    if (field == u"artist") return &f.artist;
    if (field == u"album") return &f.album;
    if (field == u"year") return &f.year;
    if (field == u"genre") return &f.genre;
    if (field == u"track") return &f.track;
    if (field == u"comment") return &f.comment;
    return nullptr;
}

QString* ID3v2OnlyBoxOf(PanelValues& v, const QString& field) {
    if (field == u"composer") return &v.composer;
    if (field == u"origartist") return &v.origArtist;
    if (field == u"copyright") return &v.copyright;
    if (field == u"url") return &v.url;
    if (field == u"encoder") return &v.encoder;
    return nullptr;
}

// A genre typed in any case is the list's genre, so that both versions get its number.
QString GenreOfList(const QString& genre) {
    for (const QString& name : GenreTable())
        if (name.compare(genre, Qt::CaseInsensitive) == 0) return name;
    return genre;
}

// The ID3v1 genre is a number: only a name of the genre list can be written, and the list
// has no entry that empties it.
QString ID3v1GenreError(const QString& genre) {
    if (genre.isEmpty() || GenreTable().contains(genre)) return {};
    if (TrimBlanks(genre) == u"***")
        return QStringLiteral("an ID3v1 genre cannot be emptied; --v2 empties the ID3v2 genre");
    return QStringLiteral("\"%1\" is not a genre of the ID3v1 genre list").arg(genre);
}

}  // namespace

SetForm SetFormOf(const BatchRequest& request) {
    SetForm form;
    PanelValues& v = form.values;
    // Naming neither version writes both.
    v.id3v1 = request.v1 || !request.v2;
    v.id3v2 = request.v2 || !request.v1;
    for (const auto& [field, value] : request.assignments) {
        if (QString* box = ID3v2OnlyBoxOf(v, field)) {
            *box = value;
            continue;
        }
        const QString text = field == u"genre" ? GenreOfList(value) : value;
        if (v.id3v1) *BoxOf(v.v1, field) = text;
        if (v.id3v2) *BoxOf(v.v2, field) = text;
    }
    if (v.id3v1) form.error = ID3v1GenreError(v.v1.genre);
    return form;
}

void SetFiles(const QStringList& files, const PanelValues& values, const Options& options,
              BatchReport& report) {
    const PanelValues cleaned = SeveralFilesCleaned(values);
    const TagModes modes = SeveralFilesModes(cleaned, RemoveMarks{});
    report.problems(SaveSeveralFiles(files, cleaned, modes, options, report.progress()).problems);
}
