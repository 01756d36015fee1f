#pragma once
// Playlist paths in the two forms the program meets. Windows: "\" separates folders and a folder
// without a drive takes the playlist's drive. POSIX: "/" separates folders and a relative folder
// is taken relative to the playlist's own folder.
#include <QString>

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
    QString folder;  // with its trailing separator, completed as the style says
    QString fileName;
};

// Splits one playlist path line; `playlistPath` is the playlist file's own path.
SplitPath SplitEntryPath(const QString& line, const QString& playlistPath, PathStyle style);

// The folder text written into a saved playlist.
QString SavedFolder(const QString& folder, PathStyle style);

}  // namespace orvik
