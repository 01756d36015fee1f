#pragma once
// Artist, album, year and release date picked out of a pasted or loaded album description by
// keywords such as "Artist:" or "Released:".
#include <QByteArray>
#include <QString>

struct AlbumInfo {
    QString artist, album, year, releaseDate;
};

// The value that follows `keyword` (found as a whole word, without regard to case) up to the end of
// its line, with ":", "<", ">", "#", "¤", "%" and line breaks removed, tabs made blanks, and
// trimmed. Empty when the text lacks the keyword.
QString GetATag(const QString& text, const QString& keyword);

// Each field from the first keyword of its list that gives a value. Artist, album and release
// date lose the characters of AlbumUnwantedChars() but their letters, and a no-break space
// becomes a blank; the year keeps only its digits.
AlbumInfo ReadAlbumInfo(const QString& text);

// Control characters, Windows-1252 127..166 and 168..191, and the accented letters that are
// not Nordic or German.
const QString& AlbumUnwantedChars();

// An album text as the window takes it, loaded or pasted: every character of `removeChars`
// that is not a letter removed, no-break spaces made blanks.
QString CleanSourceText(const QString& text, const QString& removeChars);

// The text of a loaded source file (by its byte order mark UTF-16 or UTF-8; without one UTF-8
// when valid, else Windows-1252), cleaned by CleanSourceText and trimmed.
QString SourceTextFromBytes(const QByteArray& bytes, const QString& removeChars);
