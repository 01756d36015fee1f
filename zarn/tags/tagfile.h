#pragma once
// File access shared by the tag readers and writers: positioned reads and writes on a regular
// file that turn every failure into a FileError carrying the system's own reason, and the two
// ways of changing a file that leave it as it was when a step fails.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "zarn/shell/fileerror.h"

// A position before the start of the file (a file shorter than its tag would be).
FileError BadPositionError();

class TagFile {
  public:
    explicit TagFile(const QString& path) : m_path(path) {}
    ~TagFile() { close(); }
    TagFile(const TagFile&) = delete;
    TagFile& operator=(const TagFile&) = delete;

    // Read-only, or read/write without creating a missing file; regular files only. A file
    // open for reading is opened again for writing, so that only a real write needs write access.
    bool open(bool forWriting);
    // Read/write when the system allows it, else read-only (the refusal shows again when a write
    // needs it): a save that reads and then writes a file opens it once.
    bool openForSaving();
    void close();
    // The current length, or -1 (with the error set) when the system cannot tell.
    qint64 size();
    // Exactly `length` bytes at `pos`; fewer only when the file ends first. The file's first
    // kHeadLength bytes and its last 128 are read once and kept until the next write, since
    // the tag readers and writers each ask for pieces of them.
    std::optional<QByteArray> read(qint64 pos, qint64 length);
    static constexpr qint64 kHeadLength = 4096;
    bool write(qint64 pos, const QByteArray& bytes);
    bool truncate(qint64 length);
    int handle() const { return m_fd; }
    const QString& path() const { return m_path; }
    const FileError& error() const { return m_error; }
    void setError(const FileError& error) { m_error = error; }

  private:
    std::optional<QByteArray> kept(qint64 pos, qint64 length);
    void forget();

    QString m_path;
    int m_fd = -1;
    bool m_writable = false;
    FileError m_error;
    qint64 m_size = -1;  // as last seen; -1 after a write
    std::optional<QByteArray> m_head, m_tail;
};

// Bytes to put at a position of a file open for writing.
struct FilePatch {
    qint64 pos = 0;
    QByteArray bytes;
};
// Writes the patches so that a failure leaves the file byte for byte as it was: whatever makes
// the file longer is written first (that is what fails on a full disk), and on any failure the
// overwritten bytes are put back and the file is cut back to its old length.
bool WritePatches(TagFile& file, const QList<FilePatch>& patches);

// Replaces the whole content by `head`, the file's bytes [audioFrom, audioTo) and `tail`.
// The new content is written beside the file and swapped in; a file with more than one name
// (hard links) is rewritten in place behind a backup copy instead, so that every name sees the
// new content. Owner and group are kept where the system allows. A failure leaves the file as
// it was. The file is closed afterwards.
bool RewriteFile(TagFile& file, const QByteArray& head, qint64 audioFrom, qint64 audioTo,
                 const QByteArray& tail);
