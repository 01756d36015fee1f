#pragma once
// The ID3v2 tag at the start of an MP3 file, as the program reads and writes it.
#include <QByteArray>
#include <QString>

#include "zarn/shell/fileerror.h"

class Mp3File;
class Prompter;
struct ID3v1Record;

struct ID3v2Record {
    QByteArray Tag = QByteArray(3, '\0');  // "ID3" when read from a file that has a tag
    QString Version;                       // "3.0" for an ID3v2.3.0 tag
    QString Title, Artist, Album, Year, Comment, Genre, Track;
    QString Composer, OrigArtist, Copyright, URL, Encoder;
    QByteArray Hidden;  // raw bytes of every frame the tag panel does not edit

    bool hasTag() const { return Tag == "ID3"; }
};

enum TagMode { kRemoveTag = -1, kKeepTag = 0, kWriteTag = 1 };

ID3v2Record ReadID3v2(const QString& path, Prompter* prompter = nullptr);
// The record of a tag already read: its 10-byte header and the body the header announces.
ID3v2Record ID3v2FromTag(const QByteArray& header, const QByteArray& body);
// What a write did to one file.
struct TagWrite {
    enum class Result { Nothing, Written, Failed };
    Result result = Result::Nothing;
    FileError error;  // names the file

    bool written() const { return result == Result::Written; }
    bool failed() const { return result == Result::Failed; }
};
// Writes, keeps or removes each tag of a file opened once (Mp3File, which it opens for saving
// when it is not yet). The bytes between the tags are kept byte for byte; a file whose ID3v2
// tag claims more bytes than it holds is left alone (DamagedTagError).
TagWrite WriteTags(Mp3File& file, const ID3v1Record& tag1, const ID3v2Record& tag2, int mode1,
                   int mode2);
// The same for a path, with a failure shown through `prompter`; true when the file was written.
bool WriteTags(const QString& path, const ID3v1Record& tag1, const ID3v2Record& tag2, int mode1,
               int mode2, Prompter* prompter = nullptr);
bool WriteID3v2(const QString& path, const ID3v2Record& tag2, Prompter* prompter = nullptr);
// A refusal because another program holds the file reads "The file is in use.".
FileError InUseWhenBusy(FileError error);

// One frame holding `value` as other programs read it: encoding 0 when ISO-8859-1 holds the
// text, else UTF-16; "COMM" and "USLT" with language "eng", these and "TXXX" with an empty
// description; the URL frames without an encoding byte ("WXXX" with one and a description).
QByteArray MakeFrame(const QByteArray& id, const QString& value);
QByteArray MakeTagHeader(qint64 size);
// The first frame with the identifier in frames of this program's own form (the hidden
// frames), walked as `ParseID3v2Frames` walks them.
QString FrameText(const QByteArray& data, const QByteArray& id);
QByteArray RemoveFrame(const QByteArray& data, const QByteArray& id);
