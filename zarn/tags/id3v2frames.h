#pragma once
// Pieces of the ID3v2 layer shared by its reader and writers.
#include <QByteArray>
#include <QString>

struct ID3v2Record;

// The URL as single-byte "WXXX" bytes (percent-encoding what Windows-1252 cannot hold).
QByteArray UrlFrameBytes(const QString& url);
// Size from the 4 header bytes at 6..9, each byte taken whole.
qint64 TagSizeOfHeader(const QByteArray& header);
// The known frames in writing order followed by `Hidden`. `plainUrlSize` builds "WXXX" with a
// one-byte plain size (the form WriteID3v2 writes); returns false when the URL is too long
// for that.
bool BuildFrames(const ID3v2Record& tag, bool plainUrlSize, QByteArray& frames);
