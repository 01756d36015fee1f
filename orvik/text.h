#pragma once
// Orvik's own small text helpers. Positions are 1-based, as in the playlist rules, so that the
// parsing code reads like the rules; the conversion to 0-based indexes stays in here.
#include <QString>

namespace orvik {

// Position of `what` in `text` at or after `start` (1-based), or 0 when it is not there.
qsizetype InStr(qsizetype start, const QString& text, const QString& what);
// Up to `length` characters from `start` (1-based); a negative length means "to the end".
QString Mid(const QString& text, qsizetype start, qsizetype length = -1);
// Blanks (U+0020) only: tabs and other white space are part of names.
QString TrimBlanks(const QString& text);

// The whole-number value of a length text such as "245", "-1" or "12.5" (fraction dropped).
// Anything else, and values outside the 16-bit range, give 0.
qint16 WholeNumber(const QString& text);

// Windows-1252, the code page of playlists written on Windows; every byte keeps a character.
QString FromWindows1252(const QByteArray& bytes);

}  // namespace orvik
