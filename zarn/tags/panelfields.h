#pragma once
// The tag panel's fields in one table: what each box is called and says, which value of the
// file information and which ID3v2 frame and record member it stands for, and which editing
// rules apply to it. The panel, its behaviour, the panel state, the file information, the
// savers, the batch commands and their previews walk this table, so a new field is a new row
// here and a member in the records, and nothing else.
#include <QString>
#include <span>

struct FileInfo;
struct ID3v2Record;

enum class TagField {
    Title,
    Artist,
    Album,
    Year,
    Genre,
    Track,
    Comment,
    Composer,
    OrigArtist,
    Copyright,
    URL,
    Encoder
};
inline constexpr int kTagFieldCount = 12;

enum class BoxKind {
    Line,       // one line; Up and Down move the file selection
    Lines,      // several lines (the ID3v2 comment); the arrows stay in the box
    GenreList,  // the genre list of its column
};

// A field's box in one column of the panel (ID3v1 or ID3v2).
struct PanelBox {
    const char* name = nullptr;  // object and member name; null: the column has no such box
    BoxKind kind = BoxKind::Line;
    int row = 0;                        // row in its column, from the top
    const char* tip = nullptr;          // tool tip; null: none
    const char* focusText = "";         // the description label's text when the box gets the focus
    const char* mouseText = "";         // the same when the mouse moves over it; empty: unchanged
    QString FileInfo::*info = nullptr;  // the box's text in what was read of a file

    bool exists() const { return name != nullptr; }
};

struct PanelField {
    TagField field;
    const char* key;          // the batch field name ("origartist"); previews add "v1."/"v2."
    const char* caption;      // its line in the several-files summary ("Original Artist: ")
    const char* placeholder;  // what the box shows until the first file is shown
    const char* frame;        // the ID3v2 frame it is read from and written to
    QString ID3v2Record::*record;
    int writeRank;  // frames are written in the order of this rank
    bool number;    // year and track: the number filter of their column
    bool drop;      // takes the text dragged from another box in exchange for its own
    PanelBox v1, v2;

    const PanelBox& in(int column) const { return column == 1 ? v1 : v2; }
};

// Every field in the order of the summary and the previews: the seven of both versions, then
// those of ID3v2 alone.
std::span<const PanelField> PanelFields();
// The field a batch command names ("title", "origartist"), or null.
const PanelField* PanelFieldOfKey(QStringView key);
