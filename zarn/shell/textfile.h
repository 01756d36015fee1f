#pragma once
// Line-based text files (replaces.txt, patterns, sorting lists, playlists). Lines may end in
// CR LF, LF or CR; bytes that are valid UTF-8 are read as UTF-8, anything else as Windows-1252.
#include <QByteArray>
#include <QStringList>

QString DecodeText(const QByteArray& bytes);
QStringList SplitLines(const QString& text);
// The lines of a file; a missing file gives no lines (and is created empty when asked).
QStringList ReadTextLines(const QString& path, bool createWhenMissing = false);
// Writes every line followed by CR LF, UTF-8, through a temporary file.
bool WriteTextLines(const QString& path, const QStringList& lines);
