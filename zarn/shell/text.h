#pragma once
// Small text helpers so that the rules can be written with 1-based positions and with
// "trimmed" meaning blanks only (QString::trimmed() would also eat tabs and no-break spaces).
#include <QString>

// Blanks (U+0020) removed at both ends, nothing else.
QString TrimBlanks(const QString& text);
QString TrimLeftBlanks(const QString& text);
QString TrimRightBlanks(const QString& text);

// `length` characters from 1-based position `start`; a negative length takes the rest.
QString Mid(const QString& text, int start, int length = -1);
// 1-based position of `find` at or after 1-based `start`, 0 when absent.
int InStr(int start, const QString& text, const QString& find);
inline int InStr(const QString& text, const QString& find) {
    return InStr(1, text, find);
}
// 1-based position of the last `find`, 0 when absent.
int InStrRev(const QString& text, const QString& find);

// True for a non-empty text of the digits "0".."9" only.
bool IsAllDigits(const QString& text);
// The track's own number of a track written as number/total ("3/12", "3/"); any other text as
// it is. Most taggers write the total, and only the number counts as the track.
QString TrackNumberOnly(const QString& track);

// Replaces `find` by `with` until none is left (for collapsing "  " or "--").
QString ReplaceRepeatedly(QString text, const QString& find, const QString& with);
