#pragma once
// "Fix ID3" over the tag panel's values: each step of the clean-up as its own function, in the
// order FixPanelValues runs them, and the records a fixed file is written with. The window only
// reads and fills its boxes; the several-files run (fixid3run.h) reads and writes the files.
#include <QString>
#include <optional>

#include "zarn/editing/saverecords.h"

struct Options;

// What the steps read besides the boxes: the file's full path (fields taken from the name go
// through the input pattern) and the options of the tag-text clean-up.
struct FixSource {
    QString path;
    QString inPattern;
    const Options& options;
};

// A non-empty box cleaned by FixTagText; an empty one takes the cleaned `field` ("artist",
// "title", "album") of the file name.
QString FixedTextBox(const QString& box, const char* field, const FixSource& source);
// A non-empty track box cleaned by FixTagText, an empty one the track of the file name as it
// is; then DigTrack.
QString FixedTrackBox(const QString& box, const FixSource& source, const QString& oldName);
// A track box that is no number (digits only, or number/total as "02/10") takes a number out of the
// file name `oldName` (without its extension): two leading digits as a number ("07" gives "7"),
// else the first two digits side by side as they stand ("07" stays), else the first digit; without
// any digit it stays.
QString DigTrack(const QString& box, const QString& oldName);
// The common mistake of "Artist - Song" typed into the title: an empty artist box takes the
// artist part, and a title that starts with the artist keeps only the song.
void SplitArtistFromTitle(TagFields& v1);

// The steps, each on the versions it names.
void FixID3v2Boxes(PanelValues& values, const FixSource& source);
// Both versions checked: every non-empty ID3v2 value over its ID3v1 box, cut to the ID3v1
// widths (comment 28, room for a track); an ID3v2 genre outside the list leaves no genre.
void CopyID3v2OverID3v1(PanelValues& values);
void FixID3v1Boxes(PanelValues& values, const FixSource& source);
// Empty ID3v2 boxes take the ID3v1 values.
void FillID3v2Gaps(PanelValues& values);

// Every step in its order, for the versions checked in `values`.
PanelValues FixPanelValues(PanelValues values, const FixSource& source);

// The two records and modes a fixed file is written with: a checked version is written, an
// unchecked one kept (Fix ID3 never removes a tag). `oldGenre` is the file's ID3v1 genre byte,
// kept while the list shows it as unnamed. No records when the ID3v1 track box holds no
// number; `error` then says why.
struct FixedRecords {
    ID3v1Record tag1;
    ID3v2Record tag2;
    TagModes modes;
    QString error;
};
FixedRecords FixedRecordsOf(const PanelValues& fixed, const ShownFile& shown,
                            const QByteArray& oldGenre, const Options& options);
