#include "orvik/pathstyle.h"

#include <QDir>
#include <QStringBuilder>
#include <QUrl>

namespace orvik {
namespace {

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// "scheme://" with a scheme of two or more characters, so that "C://x" stays a drive path.
bool HasUrlScheme(const QString& line) {
    const qsizetype colon = line.indexOf(u"://");
    if (colon < 2 || !IsAsciiLetter(line[0])) return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = line[i];
        if (!IsAsciiLetter(c) && !c.isDigit() && c != u'+' && c != u'-' && c != u'.') return false;
    }
    return true;
}

bool HoldsControlCharacter(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
    return false;
}

// The local path of a "file://" line, or empty when it names none. Decoding happens first, so
// "a%0Ab.mp3" is caught here: a line break would make a saved playlist read back as two rows.
QString LocalFileOf(const QString& line, PathStyle style) {
    if (!line.startsWith(u"file://", Qt::CaseInsensitive)) return {};
    const QString local = QUrl(line, QUrl::TolerantMode).toLocalFile();
    if (local.isEmpty() || HoldsControlCharacter(local)) return {};
    return style == PathStyle::Windows ? QDir::toNativeSeparators(local) : local;
}

// Shown by its last non-empty path part, or by its host ("http://host:8000/").
SplitPath SplitUrl(const QString& line) {
    const QUrl url(line, QUrl::TolerantMode);
    const QStringList parts = url.path(QUrl::PrettyDecoded).split(u'/', Qt::SkipEmptyParts);
    QString shown = parts.isEmpty() ? url.host() : parts.last();
    if (HoldsControlCharacter(shown)) shown = url.host();
    return {QString(), shown, EntryKind::Url};
}

QString FolderOf(const QString& path) {
    const qsizetype at = path.lastIndexOf(u'/');
    return at < 0 ? QString() : path.left(at + 1);
}

// "C:\...", "C:rel", "\\server\share\..." and "\rooted": paths of a Windows machine.
bool IsWindowsPath(const QString& line) {
    if (line.size() >= 2 && IsAsciiLetter(line[0]) && line[1] == u':') return true;
    return line.startsWith(u'\\');
}

// The part of a Windows path below its drive or share, with "/" between folders.
QString BelowWindowsRoot(const QString& line) {
    qsizetype start = 0;
    if (line.startsWith(u"\\\\")) {
        const qsizetype share = line.indexOf(u'\\', 2);
        const qsizetype below = share < 0 ? -1 : line.indexOf(u'\\', share + 1);
        start = below < 0 ? line.size() : below;
    } else if (line.size() >= 2 && line[1] == u':') {
        start = 2;
    }
    while (start < line.size() && (line[start] == u'\\' || line[start] == u'/')) ++start;
    return line.mid(start).replace(u'\\', u'/');
}

qsizetype LastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}

SplitPath SplitPosix(const QString& line, const QString& playlistPath) {
    const QString playlistFolder = FolderOf(playlistPath);
    if (IsWindowsPath(line)) {
        const qsizetype at = LastSeparator(line);
        const QString lookup = BelowWindowsRoot(line);
        return {playlistFolder + FolderOf(lookup), line.mid(at + 1), EntryKind::Foreign};
    }
    // A backslash may be part of a POSIX file name, so an absolute path keeps its folder text
    // as it is; only the shown name stops at the last "\" as well. A relative path with "\"
    // came from Windows and is looked up with "/".
    const QString path =
        line.startsWith(u'/') ? line : playlistFolder + QString(line).replace(u'\\', u'/');
    const qsizetype at = LastSeparator(path);
    return {path.left(at + 1), path.mid(at + 1), EntryKind::File};
}

SplitPath SplitWindows(const QString& line, const QString& playlistPath) {
    const qsizetype at = line.lastIndexOf(u'\\');
    SplitPath split{line.left(at + 1), line.mid(at + 1), EntryKind::File};
    if (!split.folder.contains(u':') && !split.folder.contains(u"\\\\"))
        split.folder = playlistPath.left(2) + split.folder;
    return split;
}

}  // namespace

SplitPath SplitEntryPath(const QString& entryLine, const QString& playlistPath, PathStyle style) {
    QString line = entryLine;
    if (HasUrlScheme(line)) {
        line = LocalFileOf(entryLine, style);
        if (line.isEmpty()) return SplitUrl(entryLine);
    }
    return style == PathStyle::Windows ? SplitWindows(line, playlistPath)
                                       : SplitPosix(line, playlistPath);
}

QString SavedFolder(const QString& folder, PathStyle style) {
    // On Windows the playlist's drive comes off again, which gives back the path as the playlist
    // had it; a network folder ("\\server\") would lose its leading backslashes, so it is kept.
    // A POSIX folder is already complete and is written as it is stored.
    if (style == PathStyle::Windows && !folder.startsWith(u"\\\\")) return folder.mid(2);
    return folder;
}

QString SavedPath(const PlaylistEntry& entry, PathStyle style) {
    if (entry.kind != EntryKind::File) return entry.line;
    return SavedFolder(entry.folder, style) % entry.name % entry.extension;
}

}  // namespace orvik
