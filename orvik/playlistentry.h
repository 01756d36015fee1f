#pragma once
#include <QString>

namespace orvik {

// Where an entry's path line points. Only files of this system are tested and re-built on save;
// URLs and paths of another system are written back as they were read.
enum class EntryKind {
    Blank,    // removed: never listed, searched or saved again
    File,     // a file of this system: `folder` + `name` + `extension`
    Foreign,  // a Windows path read on POSIX ("C:\...", "\\server\share\..."); `folder` is where
              // the file would be relative to the playlist, used only to test for it
    Url,      // a stream or other URL; cannot be tested as a file
};

// One file of a loaded playlist. `name` is the file name without its extension and is also the
// text of the entry's row; `extension` holds the cut-off part, so that saving and the existence
// test use the file's real name (".MP3", ".flac") rather than assuming ".mp3".
struct PlaylistEntry {
    QString name;
    QString artist;
    QString title;
    qint16 length = 0;
    QString folder;
    QString extension;
    // The text after the descriptive line's comma (or a PLS title) as read, so that a save keeps
    // descriptions such as "Radio Paradise" that hold no artist and title.
    QString description;
    QString line;  // the path as the playlist gave it
    EntryKind kind = EntryKind::Blank;

    QString path() const { return kind == EntryKind::Url ? line : folder + name + extension; }
    bool isBlank() const { return kind == EntryKind::Blank; }
    void blank() { *this = PlaylistEntry{}; }
};

}  // namespace orvik
