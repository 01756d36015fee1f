#pragma once
// The rules that turn the tag panel's values (and, for several files, each file's own tags) into
// the two records and the two tag modes that WriteTags takes. Plain values in and out; the
// window only reads its boxes, the save loop only reads the files.
#include <QString>

#include "zarn/editing/panelstate.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

// Write, keep or remove (TagMode) for each tag version.
struct TagModes {
    int id3v1 = kKeepTag;
    int id3v2 = kKeepTag;

    bool nothing() const { return id3v1 == kKeepTag && id3v2 == kKeepTag; }
    bool operator==(const TagModes&) const = default;
};

// The two "Remove!" boxes of the several-files form.
struct RemoveMarks {
    bool id3v1 = false;
    bool id3v2 = false;
};

// The track character: NUL (no track) for an empty box, a box holding "*", and a number above
// 255 or that is no number at all; otherwise the character whose code is the number.
QByteArray TrackCharacter(const QString& box);
// The genre character of a genre list's text. A file whose genre byte has no name (148..254,
// shown as "Unknown" or as the empty entry) keeps that byte when the list still shows it so.
QByteArray GenreCharacter(const QString& name, const QByteArray& oldGenre);
// The ID3v2 genre field the savers build: "(17)Rock"; empty text stays empty.
QString ID3v2GenreField(const QString& name);

// WriteTags adds the kept ID3v1 record to a file without an ID3v1 tag whenever it rewrites
// the ID3v2 tag; a tag the user kept absent stays absent, so such a file gets "remove", which
// has nothing to remove.
TagModes KeepingAbsentID3v1(TagModes modes, bool fileHasID3v1);

// One file: the year and track boxes of a checked ID3v1 column keep only their digits.
PanelValues OneFileCleaned(PanelValues values);
// One file: a checked box writes its tag; an unchecked one removes the tag the file had when
// it was loaded and keeps a file without one as it is.
TagModes OneFileModes(const PanelValues& values, const ShownFile& shown);
// One file: the ID3v1 record of the panel (values cleaned by OneFileCleaned). `oldGenre` is
// the file's genre character, kept while the panel shows its unnamed genre unchanged.
ID3v1Record OneFileID3v1(const PanelValues& values, bool optimized,
                         const QByteArray& oldGenre = QByteArray(1, '\xFF'));
// One file: the ID3v2 record of the panel; the hidden frames unless `removeHidden`.
ID3v2Record OneFileID3v2(const PanelValues& values, const QByteArray& hiddenFrames,
                         bool removeHidden);

// Several files: what the user confirms before anything is written to the `files` selected
// files (lines end in CR LF).
QString SeveralFilesSummary(const PanelValues& values, RemoveMarks remove, int files);
// Several files: "Remove!" removes, a checked version box writes, anything else keeps.
TagModes SeveralFilesModes(const PanelValues& values, RemoveMarks remove);
// Several files: the number boxes keep only what their rules read ("*" and digits; the ID3v2
// boxes also "/", "+" and "-").
PanelValues SeveralFilesCleaned(PanelValues values);
// Several files: the file's new ID3v1 record from the form and its current one. An empty box
// keeps the file's field as it is, "***" empties it, any other text replaces it. With the
// `optimized` packing, title and comment (and artist and album) are packed anew together.
ID3v1Record MergedID3v1(const PanelValues& values, const ID3v1Record& old, bool optimized);
// Several files: the same for the ID3v2 record; the hidden frames are the file's own unless
// `removeHidden`.
ID3v2Record MergedID3v2(const PanelValues& values, const ID3v2Record& old, bool removeHidden);
