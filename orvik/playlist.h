#pragma once
// Reading M3U and PLS playlists into playlist entries.
#include <QList>
#include <QStringList>

#include "orvik/pathstyle.h"
#include "orvik/playlistentry.h"

class QIODevice;

namespace orvik {

// The entries of a playlist given as its lines; the first line decides the format ("#EXTM3U" or
// "[playlist]" in any case). Anything else gives no entries.
QList<PlaylistEntry> ParsePlaylist(const QStringList& lines, const QString& playlistPath,
                                   PathStyle style = NativePathStyle());

// The same from a device, line by line: only the first line of a file that is no playlist is read.
QList<PlaylistEntry> ReadPlaylistText(QIODevice& device, const QString& playlistPath,
                                      PathStyle style = NativePathStyle());

struct PlaylistRead {
    QList<PlaylistEntry> entries;
    QString error;  // empty when the file could be read
};

// Reads the playlist file. Only a regular file is opened: a folder or a named pipe (which would
// block the open) gives no entries and the reason, as does a file that cannot be opened.
PlaylistRead ReadPlaylist(const QString& path, PathStyle style = NativePathStyle());

}  // namespace orvik
