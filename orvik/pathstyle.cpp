#include "orvik/pathstyle.h"

#include <QUrl>

namespace orvik {

static QString FolderOf(const QString& path, QChar separator) {
    const qsizetype at = path.lastIndexOf(separator);
    return at < 0 ? QString() : path.left(at + 1);
}

// Players on Linux often write "file:///home/me/a%20b.mp3"; the file is the local path.
static QString LocalPath(const QString& line) {
    if (!line.startsWith(u"file://", Qt::CaseInsensitive)) return line;
    const QString local = QUrl(line, QUrl::TolerantMode).toLocalFile();
    return local.isEmpty() ? line : local;
}

SplitPath SplitEntryPath(const QString& entryLine, const QString& playlistPath, PathStyle style) {
    const QChar separator = style == PathStyle::Windows ? u'\\' : u'/';
    const QString line = style == PathStyle::Posix ? LocalPath(entryLine) : entryLine;
    const qsizetype at = line.lastIndexOf(separator);
    SplitPath split{line.left(at + 1), line.mid(at + 1)};
    if (style == PathStyle::Windows) {
        if (!split.folder.contains(u':') && !split.folder.contains(u"\\\\"))
            split.folder = playlistPath.left(2) + split.folder;
    } else if (!split.folder.startsWith(u'/')) {
        split.folder = FolderOf(playlistPath, separator) + split.folder;
    }
    return split;
}

QString SavedFolder(const QString& folder, PathStyle style) {
    // On Windows the playlist's drive comes off again, which gives back the path as the playlist
    // had it; a network folder ("\\server\") would lose its leading backslashes, so it is kept.
    // A POSIX folder is already complete and is written as it is stored.
    if (style == PathStyle::Windows && !folder.startsWith(u"\\\\")) return folder.mid(2);
    return folder;
}

}  // namespace orvik
