#pragma once
// What the main window shows for one file: its tags in the tag panel and the facts of its audio
// stream in the information labels. Every text is ready to be copied into its control.
#include <QByteArray>
#include <QString>
#include <optional>

#include "zarn/shell/fileerror.h"
#include "zarn/shell/fileidentity.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/mpegheader.h"

class Mp3File;

struct FileInfo {
    bool exists = false;     // false: the window shows "The File Does Not Exist!" and drops the row
    bool readError = false;  // the file could not be read; every text below is empty
    FileError error;         // why, when it could not be read
    FileIdentity identity;   // the file as it was read
    bool damagedTag = false;  // the ID3v2 header claims more than the file holds: no save

    // Information labels.
    QString txtfType, txtfkBit, txtfQuality, txtfSize, txtfLength, txtfHeader;
    QString txtfCopyrighted, txtfOriginal, txtfCRCs, txtfEmphasis;
    QString lblFileSize;

    // ID3v1 boxes; the mark is "1" when the file has the tag, else "0".
    QString ID3v1Mark = QStringLiteral("0");
    QString txtTitle, txtArtist, txtAlbum, txtYear, txtComments, txtTrackNr, cmbGenre;

    // ID3v2 boxes, as the tag reader gives them.
    QString ID3v2Mark = QStringLiteral("0");
    QString txtV2Title, txtV2Artist, txtV2Album, txtV2Year, txtV2Comments, txtV2Track;
    QString cmbV2Genre, txtV2Composer, txtV2OrigArtist, txtV2Copyright, txtV2URL, txtV2Encoder;
    QByteArray HiddenFrames;

    // The numbers behind the labels.
    qint64 fileLength = 0;
    qint64 headerOffset = 0;
    qint64 frameLength = 0;
    qint64 seconds = -1;  // -1 when the length cannot be computed
    MpegHeader header;

    bool hasID3v1() const { return ID3v1Mark == u"1"; }
    bool hasID3v2() const { return ID3v2Mark == u"1"; }
};

// The tag boxes and marks of `info` for an ID3v1 block (empty: no tag) and an ID3v2 tag (none:
// no tag), as FileInfoOf fills them from a file.
void FillTagBoxes(FileInfo& info, const QByteArray& v1Block, const std::optional<ID3v2Record>& v2,
                  bool optimizedID3v1);
// Reads the file's tags and first frame header. Touches the ID3v2 tag, the last 128 bytes and
// the bytes up to the first frame header, nothing else. Never shows a message.
FileInfo ReadFileInfo(const QString& path, bool optimizedID3v1);
// The same from a file already open, so that a command that reads and writes opens it once.
FileInfo FileInfoOf(Mp3File& file, bool optimizedID3v1);
