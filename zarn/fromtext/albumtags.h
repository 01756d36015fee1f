#pragma once
// The tags a file gets when it is renamed from the scan: values taken back out of its new name
// by the output pattern, the album boxes where "Use for all." is checked.
#include <QString>

#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

struct Options;

// The album boxes of the window and their check boxes.
struct AlbumBoxes {
    QString artist, album, year, genre, releaseDate;
    bool artist4All = false, album4All = false, year4All = false, genre4All = false;
    bool release4All = false;  // the release date becomes the comment
};

struct AlbumFileTags {
    ID3v1Record v1;
    ID3v2Record v2;
};

// The values for the file now named `newPath`. A value that neither the output pattern nor a
// checked box gives keeps what `old` holds, so a pattern without "%genre" or "%album" never
// wipes the file's genre or album.
AlbumFileTags AlbumTags(const QString& newPath, const QString& outPattern, const AlbumBoxes& boxes,
                        const AlbumFileTags& old, const Options& options);
