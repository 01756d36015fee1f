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

// The identifiers of the frames in `hidden`, each once: those of the table in table order,
// then any others in the order of the frames.
QList<QByteArray> ListedFrameIds(const QByteArray& hidden);
// The value of the first frame with `id` as the content box shows it; empty when none.
QString FrameContentText(const QByteArray& hidden, const QByteArray& id);
// Whether `hidden` holds a frame with `id`.
bool HasFrame(const QByteArray& hidden, const QByteArray& id);

// Four capital letters or digits: what a frame reader takes for a frame identifier.
bool IsFrameId(const QString& text);
// `hidden` followed by the frame MakeFrame builds; unchanged for an identifier that is no
// frame identifier or an empty text.
QByteArray WithFrameAdded(const QByteArray& hidden, const QString& id, const QString& text);
// `hidden` without the first frame with `id`; every other frame keeps its bytes.
QByteArray WithoutFirstFrame(const QByteArray& hidden, const QByteArray& id);

// What "Save As File..." writes for a frame: a picture's image bytes (suffix from its MIME
// type), a text or URL frame's value as UTF-8 ("txt"), any other frame's data ("bin").
struct FrameFile {
    QByteArray bytes;
    QString suffix;
};
FrameFile FrameExport(const QByteArray& hidden, const QByteArray& id);
