#pragma once
// The 128-byte ID3v1 / ID3v1.1 tag at the end of an MP3 file.
#include <QByteArray>
#include <QString>

class Prompter;

// `Width` zero bytes. Every empty record shares these buffers instead of allocating its own.
template <int Width>
const QByteArray& NulField() {
    static const QByteArray zeros(Width, '\0');
    return zeros;
}

// Fixed-width raw fields (bytes, Windows-1252). A field's text is everything before its first NUL.
struct ID3v1Record {
    QByteArray Tag = NulField<3>();  // "TAG" when the file has a tag
    QByteArray Title = NulField<30>();
    QByteArray Artist = NulField<30>();
    QByteArray Album = NulField<30>();
    QByteArray Year = NulField<4>();
    QByteArray Comment = NulField<30>();
    QByteArray Track = NulField<1>();  // code = track number, NUL = none
    QByteArray Genre = NulField<1>();  // code = genre number, 255 = none

    bool hasTag() const { return Tag == "TAG"; }
};

// Never fails towards the caller; file errors go to `prompter` (may be null).
ID3v1Record ReadID3v1(const QString& path, Prompter* prompter = nullptr);
bool WriteID3v1(const QString& path, const ID3v1Record& tag, Prompter* prompter = nullptr);
// The 128 bytes that WriteID3v1 writes for `tag` (ID3v1.0 when Track is NUL, else ID3v1.1).
QByteArray ID3v1Block(const ID3v1Record& tag);
// The record of a 128-byte tag block. An ID3v1.1 comment ends before its zero byte and track
// unless `wholeComment` keeps all 30 bytes (as the file information shows them).
ID3v1Record ID3v1FromBlock(const QByteArray& block, bool wholeComment = false);

// First `width` bytes of `text`, or `text` followed by `pad` up to `width`.
QByteArray PadField(const QByteArray& text, int width, char pad);
// A field's bytes before the first NUL, decoded from Windows-1252 (not trimmed).
QString FieldText(const QByteArray& field);
// Text to field bytes: Windows-1252 ("?" for what it cannot hold), NUL-padded or cut to width.
QByteArray TextField(const QString& text, int width);

// The optimized packing (up to 59 characters of title and artist).
struct ID3v1Texts {
    QString title, artist, album, comment;
};
// Fills Title, Artist, Album and Comment; with `optimized` off each field holds its own text.
void PackID3v1Texts(ID3v1Record& tag, const ID3v1Texts& texts, bool optimized);
// Reads the four texts back (cut at NUL, not trimmed); `optimized` joins the continuations.
ID3v1Texts UnpackID3v1Texts(const ID3v1Record& tag, bool optimized);
