#pragma once
// One MP3 file as every command reads and writes its tags: opened once, through the guarded file
// (zarn/shell/guardedfile.h), with its layout read once: where the ID3v2 tag ends and the audio
// begins, and whether the last 128 bytes are an ID3v1 tag. The readers, the file information,
// the saves, Fix ID3 and the batch commands all take what is read here, and the writers
// (WriteTags) write through the same handle.
#include <QByteArray>
#include <QString>
#include <optional>

#include "zarn/shell/guardedfile.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2framelist.h"

// Where the tags lie. The audio is every byte from the end of the ID3v2 tag (as its header
// gives it) to the ID3v1 tag, kept byte for byte by every write.
struct TagLayout {
    qint64 length = 0;
    QByteArray v2Header;  // the first 10 bytes when they begin with "ID3", else empty
    QByteArray v1Block;   // the last 128 bytes when they begin with "TAG", else empty
    qint64 v2End = 0;     // 10 + the size the ID3v2 header gives; 0 without a tag

    bool hasV1() const { return !v1Block.isEmpty(); }
    bool hasV2() const { return !v2Header.isEmpty(); }
    qint64 v2Size() const { return hasV2() ? v2End - 10 : 0; }
    int v2Major() const { return hasV2() ? uchar(v2Header[3]) : 0; }
    int v2Flags() const { return hasV2() ? uchar(v2Header[5]) : 0; }
    qint64 audioTo() const { return length - (hasV1() ? 128 : 0); }
    // The ID3v2 header claims more bytes than the file holds before its ID3v1 tag (a broken
    // tagger, or a size byte with its high bit set): nobody can tell where the audio starts.
    bool damaged() const { return hasV2() && v2End > audioTo(); }
};

// Why a save leaves a damaged file alone.
FileError DamagedTagError(const QString& path, const TagLayout& layout);

class Mp3File {
  public:
    explicit Mp3File(const QString& path) : m_file(path) {}

    // Opens the file (FileAccess::Save also locks it against other Zarn processes) and reads
    // its layout.
    bool open(FileAccess access);
    const QString& path() const { return m_file.path(); }
    const TagLayout& layout() const { return m_layout; }
    GuardedFile& file() { return m_file; }
    const FileError& error() const { return m_file.error(); }

    // The ID3v2 tag body after the header, as far as the file holds it; read once.
    std::optional<QByteArray> v2Body();
    // The tags as the panel and the records know them (no tag: Tag NULs, genre 255).
    ID3v1Record v1() const;
    std::optional<ID3v2Record> v2();
    // The ID3v2 frames, for writing unchanged fields back as they were.
    std::optional<ID3v2Frames> v2Frames();

  private:
    GuardedFile m_file;
    TagLayout m_layout;
    std::optional<QByteArray> m_body;
    bool m_saving = false;
};
