#pragma once
// "Scan now!": every non-empty line of the album text becomes a new file name. The input
// pattern says how a line is built ("%track - %artist - %title.mp3"), the output pattern how
// the new name is built.
#include <QString>
#include <QStringList>

#include "zarn/names/fixfilename.h"

struct Options;

// What the scan reads from the window's boxes and the main window's "Fix Filenames".
struct ScanSettings {
    QString inPattern, outPattern;
    bool ignoreFirst = false;
    int ignoreFirstCount = 0;  // the line keeps its text from this character on
    bool ignoreLast = false;
    int ignoreLastCount = 0;
    QString artist, album, year;  // txtArtist, txtAlbum, txtYear
    bool artist4All = false, album4All = false, year4All = false;
    bool fixFilenames = false;  // chkConvert of the main window
};

// The whole number a box holds; no number, or one below 1, counts as 0.
int IgnoreCount(const QString& box);

// The selected text, or all of it when nothing is selected.
QString ScanSource(const QString& all, const QString& selected);

// The values one text line gives (track, artist, title, album, year).
TagFields ScanLine(const QString& line, const ScanSettings& settings, const Options& options);

// The new name from the output pattern: "%artist", "%title", "%album", "%track" and "%year"
// replaced, an empty name made "Untitled.mp3", and characters a file name cannot hold dropped.
QString NewNameFromValues(const QString& outPattern, const TagFields& values);

// The new names of every non-empty line of `text`, in order. Empty when the text holds only
// blanks.
QStringList ScanText(const QString& text, const ScanSettings& settings, const Options& options);
