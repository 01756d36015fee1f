#pragma once
// Which frames of a tag the twelve fields of the tag panel are read from and written to.
#include <QString>
#include <QVarLengthArray>

#include "zarn/tags/id3v2framelist.h"

struct ID3v2Record;

struct ID3v2Field {
    const char* id;
    QString ID3v2Record::*value;
};
// The twelve fields in the order their frames are written.
const QList<ID3v2Field>& ID3v2Fields();

// Index in `frames` of the frame the field with frame identifier `id` is read from, or -1:
// the first frame with that identifier; for "COMM" the first with an empty description, else
// the first whose description is not an iTunes or CDDB key.
qsizetype FieldSource(const ID3v2Frames& frames, QByteArrayView id);
// Whether two frames hold the same field, so that readers take them together: the same
// identifier, and for "COMM" the same description and language, for "WXXX" the same
// description (other descriptions are other data).
bool SameField(const ID3v2Frame& a, const ID3v2Frame& b);
// Indexes in `frames` of every frame of the field with frame identifier `id`, its source
// (FieldSource) first: other programs write several values as several frames, which readers
// join, so the field shows them all and a changed field replaces them all.
// Kept on the stack for the usual one to four frames.
using FrameIndexes = QVarLengthArray<qsizetype, 4>;
FrameIndexes FieldFrames(const ID3v2Frames& frames, QByteArrayView id);
// The field's text from its frame: the genre rule for "TCON", a URL without NULs for "WXXX".
QString FieldValue(const ID3v2Frame& frame);
// The same from every frame of a field, their values joined by " / ".
QString FieldValue(const ID3v2Frames& frames);

// The genre a "TCON" text names: "(17)", "(17)Rock", "17" and "Rock" all name "Rock"; a
// refinement after the number wins when it differs; a name not in the table is that name;
// "(RX)" and "(CR)" are "Remix" and "Cover". Several values are joined by " / ".
QString GenreOfFrameText(const QString& text);
// The "TCON" text to write for a field the saving commands build as "(n)Name": a name that is
// not in the genre table is written as it is, without "(0)".
QString TconText(const QString& genre);
// The year of a "TDRC" timestamp ("2004-05-06"), or empty text.
QString YearOfTimestamp(const QString& timestamp);
