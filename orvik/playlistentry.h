#pragma once
#include <QString>

namespace orvik {

// One file of a loaded playlist. `name` is the file name without its last four characters and
// is also the text of the entry's row; `extension` holds those four characters, so that saving
// and the existence test use the file's real name (".MP3", ".ogg") rather than assuming ".mp3".
struct PlaylistEntry {
    QString name;
    QString artist;
    QString title;
    qint16 length = 0;
    QString folder;
    QString extension;

    QString path() const { return folder + name + extension; }
    // Blanked entries stay in the table (so rows keep their indexes) but are never shown again.
    bool isBlank() const { return name.isEmpty() && folder.isEmpty() && extension.isEmpty(); }
    void blank() { *this = PlaylistEntry{}; }
};

}  // namespace orvik
