#pragma once
// Reads a playlist's text lines from a device a piece at a time, so a huge file costs no more
// memory than its longest line. UTF-16 files are known by their byte order mark; every other
// line is decoded on its own (UTF-8 when valid, else Windows-1252), because playlists edited by
// hand often mix the two.
#include <QByteArray>
#include <QIODevice>
#include <QStringDecoder>
#include <optional>

namespace orvik {

class LineReader {
  public:
    explicit LineReader(QIODevice& device);

    // The next line without its end (CR LF, LF or CR); nothing when the text is used up. A line
    // is cut after `limit` bytes, which lets a caller look at the start of a file cheaply.
    std::optional<QString> next(qsizetype limit = -1);

  private:
    bool fill();
    void dropUsedBytes();

    QIODevice& m_device;
    std::optional<QStringDecoder> m_utf16;
    QByteArray m_buffer;    // UTF-8 or 8-bit bytes not yet handed out
    qsizetype m_start = 0;  // where the next line starts in m_buffer
    qsizetype m_scanned = 0;
    bool m_atEnd = false;
};

// One line's bytes: UTF-8 when they are valid UTF-8, else Windows-1252.
QString DecodePlaylistLine(QByteArrayView bytes);

}  // namespace orvik
