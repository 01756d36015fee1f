#include "orvik/linereader.h"

#include "orvik/text.h"

namespace orvik {

static constexpr qsizetype kChunk = 64 * 1024;

LineReader::LineReader(QIODevice& device) : m_device(device) {
    const QByteArray start = device.peek(3);
    if (start.startsWith("\xFF\xFE")) {
        m_utf16.emplace(QStringDecoder::Utf16LE);
        device.skip(2);
    } else if (start.startsWith("\xFE\xFF")) {
        m_utf16.emplace(QStringDecoder::Utf16BE);
        device.skip(2);
    } else if (start.startsWith("\xEF\xBB\xBF")) {
        device.skip(3);
    }
}

bool LineReader::fill() {
    if (m_atEnd) return false;
    const QByteArray chunk = m_device.read(kChunk);
    if (chunk.isEmpty()) {
        m_atEnd = true;
        return false;
    }
    dropUsedBytes();
    // UTF-16 is turned into UTF-8 as it comes; the decoder keeps a pair split between chunks.
    m_buffer += m_utf16 ? QString((*m_utf16)(chunk)).toUtf8() : chunk;
    return true;
}

void LineReader::dropUsedBytes() {
    if (m_start < kChunk) return;
    m_buffer.remove(0, m_start);
    m_scanned -= m_start;
    m_start = 0;
}

std::optional<QString> LineReader::next(qsizetype limit) {
    for (;;) {
        qsizetype end = m_scanned;
        while (end < m_buffer.size() && m_buffer[end] != '\r' && m_buffer[end] != '\n') ++end;
        m_scanned = end;
        const bool found = end < m_buffer.size();
        // A CR at the end of what is read may be the first half of CR LF.
        const bool needMore = !found || (m_buffer[end] == '\r' && end + 1 == m_buffer.size());
        if (limit >= 0 && end - m_start > limit) {
            const QString cut = DecodePlaylistLine(QByteArrayView(m_buffer).sliced(m_start, limit));
            m_start += limit;
            m_scanned = m_start;
            return cut;
        }
        if (needMore && fill()) continue;
        if (!found && m_start == m_buffer.size()) return std::nullopt;

        const QString line =
            DecodePlaylistLine(QByteArrayView(m_buffer).sliced(m_start, end - m_start));
        if (found && m_buffer[end] == '\r' && end + 1 < m_buffer.size() &&
            m_buffer[end + 1] == '\n')
            ++end;
        m_start = found ? end + 1 : end;
        m_scanned = m_start;
        return line;
    }
}

QString DecodePlaylistLine(QByteArrayView bytes) {
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : FromWindows1252(bytes.toByteArray());
}

}  // namespace orvik
