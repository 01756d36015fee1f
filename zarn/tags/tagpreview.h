#pragma once
// What WriteTags would leave in a file's tags, worked out without writing a byte: the previews
// of the batch commands (--dry-run) show it field by field. It follows WriteTags' own choices
// (which tag is kept, added, rebuilt or removed), and the ID3v2 frames are those BuildFrames
// would write, read back by the tag reader.
#include <QList>
#include <QString>

#include "zarn/shell/fileerror.h"
#include "zarn/tags/fileinfo.h"

class Mp3File;

struct TagPreview {
    FileInfo before;  // the tag boxes as the file reads now
    FileInfo after;   // the same after the write
    FileError error;  // the write would fail (an unreadable file, a damaged tag)
};
// `file` is open; modes as WriteTags takes them.
TagPreview PreviewTagWrite(Mp3File& file, const ID3v1Record& tag1, const ID3v2Record& tag2,
                           int mode1, int mode2, bool optimizedID3v1);

// One field that differs between two readings of a file's tags; `field` is "tags" for the tag
// versions the file has, else "v1." or "v2." and the field's name ("v2.composer").
struct FieldChange {
    QString field;
    QString before;
    QString after;
};
QList<FieldChange> TagChanges(const FileInfo& before, const FileInfo& after);
