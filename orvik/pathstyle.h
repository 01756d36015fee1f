#pragma once
// Playlist paths in the two forms the program meets. Windows: "\" separates folders and a folder
// without a drive takes the playlist's drive. POSIX: "/" separates folders and a relative folder
// is taken relative to the playlist's own folder; Windows paths met there are foreign (kept as
// read). In both, a line with a URL scheme ("http://host/x") is a URL.
#include <QString>

#include "orvik/playlistentry.h"

namespace orvik {

enum class PathStyle { Windows, Posix };

constexpr PathStyle NativePathStyle() {
#ifdef Q_OS_WIN
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

struct SplitPath {
    QString folder;    // with its trailing separator, completed as the style says
    QString fileName;  // for a URL: its last path part, or its host when there is none
    EntryKind kind = EntryKind::File;
};

// Splits one playlist path line; `playlistPath` is the playlist file's own path.
SplitPath SplitEntryPath(const QString& line, const QString& playlistPath, PathStyle style);

// The folder text written into a saved playlist for a file of this system.
QString SavedFolder(const QString& folder, PathStyle style);
// The path line a saved playlist holds for the entry.
QString SavedPath(const PlaylistEntry& entry, PathStyle style);

}  // namespace orvik
