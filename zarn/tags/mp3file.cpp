#include "zarn/tags/mp3file.h"

#include "zarn/tags/id3v2frames.h"

namespace {

constexpr qint64 kHeaderLength = 10;
constexpr qint64 kV1Length = 128;

}  // namespace

FileError DamagedTagError(const QString& path, const TagLayout& layout) {
    return {kErrBadRecordNumber,
            QStringLiteral("The ID3v2 tag is damaged: its header claims %1 bytes, but the file "
                           "holds %2 before its end. Nobody can tell where the audio starts, so "
                           "the file was left as it was.")
                .arg(layout.v2End)
                .arg(layout.audioTo()),
            0, path};
}

bool Mp3File::open(FileAccess access) {
    const bool saving = access == FileAccess::Save;
    if (m_file.isOpen() && (m_saving || !saving)) return true;
    m_saving = saving;
    if (!m_file.open(access)) return false;
    m_layout = {};
    m_body.reset();
    m_layout.length = m_file.size();
    if (m_layout.length < 0) return false;
    const auto header = m_file.read(0, kHeaderLength);
    if (!header) return false;
    if (header->size() == kHeaderLength && header->startsWith("ID3")) {
        m_layout.v2Header = *header;
        m_layout.v2End = kHeaderLength + TagSizeOfHeader(*header);
    }
    if (m_layout.length >= kV1Length) {
        const auto block = m_file.read(m_layout.length - kV1Length, kV1Length);
        if (!block) return false;
        if (block->startsWith("TAG")) m_layout.v1Block = *block;
    }
    return true;
}

std::optional<QByteArray> Mp3File::v2Body() {
    if (!m_layout.hasV2()) return QByteArray();
    if (!m_body) m_body = m_file.read(kHeaderLength, m_layout.v2Size());
    return m_body;
}

ID3v1Record Mp3File::v1() const {
    if (m_layout.hasV1()) return ID3v1FromBlock(m_layout.v1Block);
    ID3v1Record none;
    none.Genre = QByteArray(1, '\xFF');
    return none;
}

std::optional<ID3v2Record> Mp3File::v2() {
    if (!m_layout.hasV2()) return ID3v2Record();
    const auto body = v2Body();
    if (!body) return std::nullopt;
    return ID3v2FromTag(m_layout.v2Header, *body);
}

std::optional<ID3v2Frames> Mp3File::v2Frames() {
    if (!m_layout.hasV2()) return ID3v2Frames();
    const auto body = v2Body();
    if (!body) return std::nullopt;
    return ReadTagFrames(*body, m_layout.v2Major(), m_layout.v2Flags());
}
