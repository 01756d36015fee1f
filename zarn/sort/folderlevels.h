#pragma once
// The folder levels a sorted file goes through (genre, first letter, artist) and the artist of
// a row. Folder names come from tag text, so every one is cleaned before it meets the disk.
#include <QString>

struct SortSettings;

// `text` as one folder name inside the target: no separators, no control characters, never
// empty, "." or ".."; such texts give "Unknown". Blanks at both ends are dropped.
QString SafeFolderName(const QString& text);
// `folder` with `name` as its next level.
QString SubFolder(const QString& folder, const QString& name);

// Two artists are the same when their upper-case forms are equal.
bool SameArtist(const QString& a, const QString& b);

// The letter folder of a text: its first character in upper case, empty for an empty text.
QString LetterFolder(const QString& text);

// The "%artist" part of a new name under the output pattern, not cleaned: what names the letter
// folder and the folder of a lone last row.
QString ArtistOfNewName(const QString& newName, const SortSettings& settings);

// The artist of a row for the artist level: from the new name (cleaned like a tag text) or,
// without "Fix Filenames", from the current name under the input pattern; then the ID3v1 and the
// ID3v2 artist of the file; then "Unknown". Tags are read only when the name gives nothing.
QString ArtistOfRow(const QString& path, const QString& newName, const SortSettings& settings);
