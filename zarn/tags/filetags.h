#pragma once
// Both tags of a file with one open (Mp3File): the ID3v2 header and the tag body it announces, then
// the last 128 bytes. Nothing else of the audio is read. For the name builders, which read the tags
// of thousands of files in a row.
#include <QString>

#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

struct FileTags {
    bool opened = false;  // false: missing or unreadable; both records then hold no tag
    ID3v2Record v2;
    ID3v1Record v1;  // without a tag: Tag NUL and Genre 255, as ReadID3v1 gives
};

FileTags ReadFileTags(const QString& path);
