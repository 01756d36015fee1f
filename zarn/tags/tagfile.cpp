#include "zarn/tags/tagfile.h"

FileError BadPositionError() {
    return {kErrBadRecordNumber, QStringLiteral("Bad record number")};
}

bool TagFile::open(bool forWriting) {
    if (m_file.isOpen()) {
        if (!forWriting || m_file.isWritable()) return true;
        m_file.close();
    }
    const auto mode =
        forWriting ? QIODevice::ReadWrite | QIODevice::ExistingOnly : QIODevice::ReadOnly;
    if (m_file.open(mode)) return true;
    m_error = FileErrorOf(m_file);
    return false;
}

std::optional<QByteArray> TagFile::read(qint64 pos, qint64 length) {
    if (pos < 0) {
        m_error = BadPositionError();
        return std::nullopt;
    }
    length = qMax<qint64>(0, qMin(length, m_file.size() - pos));
    QByteArray bytes(length, Qt::Uninitialized);
    if (!m_file.seek(pos) || (length > 0 && m_file.read(bytes.data(), length) != length)) {
        m_error = FileErrorOf(m_file);
        return std::nullopt;
    }
    return bytes;
}

bool TagFile::write(qint64 pos, const QByteArray& bytes) {
    if (pos < 0) {
        m_error = BadPositionError();
        return false;
    }
    if (!m_file.seek(pos) || m_file.write(bytes) != bytes.size() || !m_file.flush()) {
        m_error = FileErrorOf(m_file);
        return false;
    }
    return true;
}
