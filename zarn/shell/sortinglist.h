#pragma once
// Sorting lists (".srt": one list row per line) and playlists (".m3u" read and written,
// ".pls" read). Lines are read with any line end, UTF-8 when valid, else Windows-1252.
#include <QDir>
#include <QStringList>

#include "zarn/shell/fileerror.h"

enum class ListKind { Unsupported, Srt, M3u, Pls };

// By the last four characters of the path, in lower case.
ListKind ListKindOf(const QString& path);

// The row texts a list file adds, in file order. `separator` picks the path rules for playlist
// lines: '\\' the drive-letter rules, '/' paths relative to the playlist's folder.
QStringList ReadListRows(const QString& path, ListKind kind, QChar separator = QDir::separator());
// The path a playlist line stands for.
QString PlaylistLinePath(const QString& line, const QString& playlistPath,
                         QChar separator = QDir::separator());

enum class SaveFormat { Srt, M3u };
// Writes one line per row (the row itself, or its full path for M3U), replacing the file.
// Returns a failure with its number and description; number 0 means written.
FileError WriteListRows(const QString& path, const QStringList& rowTexts, SaveFormat format);
