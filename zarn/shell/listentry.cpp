#include "zarn/shell/listentry.h"

#include <QFileInfo>

QString EntryFromPath(const QString& path, QChar separator) {
    const qsizetype cut = path.lastIndexOf(separator) + 1;
    return path.mid(cut) + kEntryMarker + path.left(cut) + u')';
}

QString PathFromEntry(const QString& entry) {
    const qsizetype marker = entry.indexOf(kEntryMarker);
    if (marker < 0) return entry;
    return FolderFromEntry(entry) + entry.left(marker);
}

QString NameFromEntry(const QString& entry, QChar separator) {
    const qsizetype marker = entry.indexOf(kEntryMarker);
    if (marker >= 0) return entry.left(marker);
    return entry.mid(entry.lastIndexOf(separator) + 1);
}

QString FolderFromEntry(const QString& entry, QChar separator) {
    const qsizetype marker = entry.indexOf(kEntryMarker);
    if (marker < 0) return entry.left(entry.lastIndexOf(separator) + 1);
    // Everything between the marker and the closing parenthesis; a row cut short (no room
    // for the parenthesis) gives what is there rather than a negative length.
    const qsizetype begin = marker + kEntryMarker.size();
    return entry.mid(begin, std::max<qsizetype>(0, entry.size() - begin - 1));
}

bool PathExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool IsFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}
