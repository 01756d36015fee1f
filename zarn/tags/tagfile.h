#pragma once
// File access shared by the tag readers and writers: positioned reads and writes that turn
// every failure into a FileError instead of an exception or a silent short read.
#include <QByteArray>
#include <QFile>
#include <optional>

#include "zarn/shell/fileerror.h"

// A position before the start of the file (a file shorter than its tag would be).
FileError BadPositionError();

class TagFile {
  public:
    explicit TagFile(const QString& path) : m_file(path) {}
    // Read-only, or read/write without creating a missing file. A file open for reading is
    // opened again for writing, so that only a real write needs write access.
    bool open(bool forWriting);
    qint64 size() const { return m_file.size(); }
    // Exactly `length` bytes at `pos`; fewer only when the file ends first.
    std::optional<QByteArray> read(qint64 pos, qint64 length);
    bool write(qint64 pos, const QByteArray& bytes);
    QFile& file() { return m_file; }
    const FileError& error() const { return m_error; }
    void setError(const FileError& error) { m_error = error; }

  private:
    QFile m_file;
    FileError m_error;
};
