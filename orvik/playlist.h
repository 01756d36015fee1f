#pragma once
// Reading M3U and PLS playlists into playlist entries.
#include <QList>
#include <QStringList>

#include "orvik/pathstyle.h"
#include "orvik/playlistentry.h"

namespace orvik {

// The entries of a playlist given as its lines; the first line decides the format ("#EXTM3U" or
// "[playlist]" in any case). Anything else gives no entries.
QList<PlaylistEntry> ParsePlaylist(const QStringList& lines, const QString& playlistPath,
                                   PathStyle style = NativePathStyle());

struct PlaylistRead {
    QList<PlaylistEntry> entries;
    QString error;  // empty when the file could be read
};

// Reads the playlist file; a file that cannot be opened gives no entries and the reason.
PlaylistRead ReadPlaylist(const QString& path, PathStyle style = NativePathStyle());

}  // namespace orvik
