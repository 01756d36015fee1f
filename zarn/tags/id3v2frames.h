#pragma once
// Pieces of the ID3v2 layer shared by its reader and writers.
#include <QByteArray>
#include <QString>

#include "zarn/tags/id3v2framelist.h"

struct ID3v2Record;

// Size from the 4 header bytes at 6..9, each byte taken whole.
qint64 TagSizeOfHeader(const QByteArray& header);
// The known frames in writing order followed by the hidden frames. A field whose value reads
// the same as the frames the file had for it (`old`, the file's frames) writes those frames
// back as they were, so that values this program shows differently (several values or
// frames, other encodings, descriptions) are not changed by a save that did not touch them.
// A changed field writes its one new frame, and hidden frames of the same field are dropped.
// A "TDRC" among the hidden frames stays only while its year is the record's year.
QByteArray BuildFrames(const ID3v2Record& tag, const ID3v2Frames& old);
