#include "zarn/tags/panelfields.h"

#include <array>

#include "zarn/tags/fileinfo.h"
#include "zarn/tags/id3v2.h"

namespace {

using enum TagField;
using enum BoxKind;
using FI = FileInfo;
using R = ID3v2Record;

// One field to a block, as the table it is: field, key, summary caption, placeholder, frame,
// record member, write rank, number, drop; then the ID3v1 and the ID3v2 box: name, kind, row,
// tool tip, focus text, mouse text, file information.
// clang-format off
constexpr std::array<PanelField, kTagFieldCount> kFields = {{
    {Title, "title", "Title: ", "Title", "TIT2", &R::Title, 0, false, true,
        {"txtTitle", Line, 0, "Title", "Title", "Title", &FI::txtTitle},
        {"txtV2Title", Line, 0, "Title", "Title", "Title", &FI::txtV2Title}},
    {Artist, "artist", "Artist: ", "Artist", "TPE1", &R::Artist, 2, false, true,
        {"txtArtist", Line, 1, "Artist", "Artist", "Artist", &FI::txtArtist},
        {"txtV2Artist", Line, 1, "Artist", "Artist", "Artist", &FI::txtV2Artist}},
    {Album, "album", "Album: ", "Album", "TALB", &R::Album, 1, false, true,
        {"txtAlbum", Line, 2, "Album", "Album", "Album", &FI::txtAlbum},
        {"txtV2Album", Line, 2, "Album", "Album", "Album", &FI::txtV2Album}},
    {Year, "year", "Year: ", "Year", "TYER", &R::Year, 4, true, false,
        {"txtYear", Line, 3, "Year", "Year", "Year", &FI::txtYear},
        {"txtV2Year", Line, 3, "Year", "Year", "Year", &FI::txtV2Year}},
    {Genre, "genre", "Genre: ", "Genre", "TCON", &R::Genre, 5, false, false,
        {"cmbGenre", GenreList, 6, nullptr, "Genre", "", &FI::cmbGenre},
        {"cmbV2Genre", GenreList, 5, nullptr, "Genre", "", &FI::cmbV2Genre}},
    {Track, "track", "Track: ", "Track", "TRCK", &R::Track, 3, true, false,
        {"txtTrackNr", Line, 4, "Track number", "Track", "Track", &FI::txtTrackNr},
        {"txtV2Track", Line, 4, "Track nr", "Track", "Track", &FI::txtV2Track}},
    {Comment, "comment", "Comments: ", "Comment", "COMM", &R::Comment, 6, false, true,
        {"txtComments", Line, 5, "Comment", "Comment", "Comment", &FI::txtComments},
        {"txtV2Comments", Lines, 6, "Comment", "Comments", "Comment", &FI::txtV2Comments}},
    {Composer, "composer", "Composer: ", "Composer", "TCOM", &R::Composer, 10, false, true,
        {},
        {"txtV2Composer", Line, 7, "Composer", "Composer", "Composer", &FI::txtV2Composer}},
    {OrigArtist, "origartist", "Original Artist: ", "Original Artist", "TOPE", &R::OrigArtist,
        9, false, true,
        {},
        {"txtV2OrigArtist", Line, 8, "Original Artist", "Original Artist", "Original Artist",
            &FI::txtV2OrigArtist}},
    {Copyright, "copyright", "Copyright: ", "Copyright", "TCOP", &R::Copyright, 8, false, true,
        {},
        {"txtV2Copyright", Line, 9, "Copyright", "Copyright", "Copyright", &FI::txtV2Copyright}},
    {URL, "url", "URL: ", "URL", "WXXX", &R::URL, 11, false, true,
        {},
        {"txtV2URL", Line, 10, "URL", "URL", "URL", &FI::txtV2URL}},
    {Encoder, "encoder", "Encoded By: ", "Encoded by", "TENC", &R::Encoder, 7, false, true,
        {},
        {"txtV2Encoder", Line, 11, "Encoded by", "Encoded by", "Encoded By", &FI::txtV2Encoder}},
}};
// clang-format on

// Every field has its row, in the order of TagField.
constexpr bool RowsInFieldOrder() {
    for (size_t i = 0; i < kFields.size(); ++i)
        if (int(kFields[i].field) != int(i)) return false;
    return true;
}
static_assert(RowsInFieldOrder());

}  // namespace

std::span<const PanelField> PanelFields() {
    return kFields;
}

const PanelField* PanelFieldOfKey(QStringView key) {
    for (const PanelField& f : kFields)
        if (key == QLatin1String(f.key)) return &f;
    return nullptr;
}
