#pragma once
// The frames of an ID3v2 tag as a list: the one reader that walks a tag by its frame headers,
// and the renderer that writes frames back. Identifiers count only at frame starts, never
// inside another frame's content. Every frame in a list is in ID3v2.3 form (four-character
// identifier, ID3v2.3 flag bits, body as ID3v2.3 stores it), whatever version it was read from.
#include <QByteArray>
#include <QList>
#include <QString>

// Two zero flag bytes, shared: most frames have them, and tags are read by the thousand.
const QByteArray& NoFrameFlags();

struct ID3v2Frame {
    QByteArray id;                      // four characters, "TIT2"
    QByteArray flags = NoFrameFlags();  // the two ID3v2.3 flag bytes
    QByteArray body;                    // everything after the 10-byte frame header
    qsizetype offset = 0;  // where the frame's header starts in the data it was read from
    qsizetype stored = 0;  // bytes the frame took there, header included

    bool operator==(const ID3v2Frame& other) const {
        return id == other.id && flags == other.flags && body == other.body;
    }
};
using ID3v2Frames = QList<ID3v2Frame>;

// Frames in the form this program renders them (`ID3v2Record::Hidden`, `MakeFrame`,
// `RenderID3v2Frames`), walked from the start until the padding, the end, or bytes that are
// no frame. Sizes are plain numbers only: the renderer writes no other, and a second reading
// with syncsafe sizes could end a frame early on bytes in its content that walk as frames,
// so that a save would cut it. A frame cut by the end of the data keeps the bytes that are
// there.
ID3v2Frames ParseID3v2Frames(const QByteArray& data);

// The frames of a tag body as a file stores it (the bytes after the 10-byte header), for the
// header's major version (2, 3 or 4) and flags byte: unsynchronisation is undone (the whole
// body for 2 and 3, frame by frame for 4), an extended header is skipped, and every frame is
// converted to ID3v2.3 form. Version 2 frames get their ID3v2.3 identifiers; a version 2
// frame without one is left out. Version 3 sizes are plain; a 3.0 tag written by earlier
// builds of this program has syncsafe sizes and is read that way when only that reading walks
// cleanly to the padding or the end (when both do, the one that finds more frames). Version 4
// sizes are syncsafe, or plain when only that reading walks cleanly (as some taggers write
// them).
ID3v2Frames ReadTagFrames(const QByteArray& body, int major, int flags);

// The 10-byte ID3v2.3 header (plain size) followed by the body.
QByteArray RenderID3v2Frame(const ID3v2Frame& frame);
QByteArray RenderID3v2Frames(const ID3v2Frames& frames);

// The frame's content with its ID3v2.3 extras taken off: compression undone, the encryption
// and group bytes skipped. Empty for an encrypted frame, whose content cannot be read.
QByteArray FrameContent(const ID3v2Frame& frame);

// Undoes unsynchronisation: every 0xFF 0x00 pair loses its 0x00.
QByteArray Resynchronise(const QByteArray& bytes);

// The frame's value as text, by its kind: a text frame's values joined by " / " (one
// terminator at the end is not a value); the text of "COMM" and "USLT" and the value of
// "TXXX" after their description; the URL of "WXXX" after its description and of the other
// "W" frames whole; for any other frame the text after the last zero byte.
QString FrameValue(const ID3v2Frame& frame);
// The description of a "COMM", "USLT", "TXXX" or "WXXX" frame; empty for other frames.
QString FrameDescription(const ID3v2Frame& frame);
// The picture bytes of an "APIC" frame (after encoding, MIME type, picture type and
// description), for saving a picture to a file; empty for other frames.
QByteArray PictureData(const ID3v2Frame& frame);
