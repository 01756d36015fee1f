#pragma once
// Building a new file name from tags (or the old name) by an output pattern, then cleaning it.
#include <QString>

#include "zarn/shell/options.h"

struct FileTags;

// The seven values a name pattern can hold.
struct TagFields {
    QString artist, title, album, track, year, genre, comment;
};

// What the main window's tag panel shows for one file: the texts of its boxes and marks. The
// window fills it; the name engine never reads widgets.
struct NameFields {
    QString oldName;     // txtOldName
    QString inPattern;   // cmbInPattern
    QString outPattern;  // cmbOutPattern
    bool id3v1 = false;  // chkID3v1
    bool id3v2 = false;  // chkID3v2
    TagFields v1;        // txtArtist, txtTitle, ..., cmbGenre (genre as its name)
    TagFields v2;        // txtV2Artist, ..., cmbV2Genre
};

// The new file name (no folder) of the file at `path`; empty when the file does not exist.
// `inPattern` is the main window's input pattern (used when values come from the old name).
QString FixFileName(const QString& path, const QString& outPattern, const QString& inPattern,
                    const Options& options);

// The same for the file shown in the tag panel, from the panel's values. `fileName` is the
// file's full path, used only when no value reached the pattern (the old name is kept).
QString FixFileName2(const NameFields& panel, const QString& fileName, const Options& options);

// The values of the file's tags as the name builder uses them: ID3v2 first, then ID3v1 (track
// from the ID3v1.1 track byte, genre named from its number). `hasTag` is false when the file
// has neither tag.
struct FileTagFields {
    bool hasTag = false;
    TagFields fields;
};
FileTagFields ReadTagFields(const FileTags& tags, const Options& options);
