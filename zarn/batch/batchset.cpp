#include "zarn/batch/batchset.h"

#include "zarn/batch/batchreport.h"
#include "zarn/editing/saverecords.h"
#include "zarn/editing/savetags.h"
#include "zarn/shell/text.h"
#include "zarn/tags/genres.h"
#include "zarn/tags/panelfields.h"

namespace {

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
    for (const auto& [key, value] : request.assignments) {
        const PanelField* field = PanelFieldOfKey(key);
        if (!field) continue;  // the request names only fields of the table
        const QString text = field->field == TagField::Genre ? GenreOfList(value) : value;
        // A field of ID3v2 alone is always taken; the request refuses it with --v1 alone.
        const bool columns[] = {v.id3v1, v.id3v2 || !field->v1.exists()};
        for (int column : {1, 2})
            if (columns[column - 1] && field->in(column).exists())
                BoxText(v, column, field->field) = text;
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
