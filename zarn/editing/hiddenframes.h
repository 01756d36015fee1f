#pragma once
// The hidden frames of the shown file (the ID3v2 frames the tag panel does not edit, as
// ID3v2Record::Hidden holds them) as the extra-frames window lists, adds, removes and exports
// them. Frames are found by walking their headers, so an identifier inside another frame's
// data is never taken for a frame.
#include <QByteArray>
#include <QList>
#include <QString>

#include "zarn/shell/fileerror.h"

// The 81 identifiers offered under "Add frame:": the ID3v2.4 frames without "COMM" and "TOPE".
const QList<QByteArray>& MoreFrameIds();

// One row of the window's list: one frame, told apart from others with its identifier by
// its description (two "TXXX" frames) or picture type (two pictures).
struct ListedFrame {
    int index = 0;  // the frame's place among the frames of `hidden`
    QByteArray id;
    QString label;  // "TXXX (replaygain_track_gain)", "APIC (Cover (front))", "PRIV"
};
// Every frame of `hidden`: those whose identifier is in the table in table order, then any
// others in the order of the frames.
QList<ListedFrame> ListedFrames(const QByteArray& hidden);
// The content box's text for frame `index`: a text or URL frame's value; for other frames
// their size ("15 bytes"), for a picture with its type and MIME type. Empty when none.
QString FrameContentText(const QByteArray& hidden, int index);

// Four capital letters or digits: what a frame reader takes for a frame identifier.
bool IsFrameId(const QString& text);
// `hidden` followed by the frame MakeFrame builds; unchanged for an identifier that is no
// frame identifier or an empty text.
QByteArray WithFrameAdded(const QByteArray& hidden, const QString& id, const QString& text);
// `hidden` without frame `index`; every other frame keeps its bytes.
QByteArray WithoutFrame(const QByteArray& hidden, int index);

// What "Save As File..." writes for a frame: a picture's image bytes (suffix from its MIME
// type), a text or URL frame's value as UTF-8 ("txt"), any other frame's data ("bin").
struct FrameFile {
    QByteArray bytes;
    QString suffix;
};
FrameFile FrameExport(const QByteArray& hidden, int index);
