#pragma once
#include <QString>
#include <QStringList>

// The 148 genre names, numbered 0..147.
const QStringList& GenreTable();
// "" for an empty text; the table name for codes 0..147; "Unknown" for 148..255. The code is the
// Windows-1252 code of the first character.
QString GenreName(const QString& genreChar);
QString GenreNameOfNumber(int number);  // the same by number
// 255 for an empty text, the table number for an exact match, 0 otherwise.
int GenreNumber(const QString& name);
// The genre choices of the tag panel: an empty entry (no genre), then every genre name in
// alphabetical order, letter case and hyphens ignored.
QStringList GenreChoices();
// Genre for genre folders: the ID3v1 genre, else the first ID3v2 genre; "" when the file is
// missing, "Unknown" when neither tag names one.
QString GenreOfFile(const QString& path);
