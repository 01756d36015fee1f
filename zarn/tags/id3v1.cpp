#include "zarn/tags/id3v1.h"

#include <QFileInfo>

#include "zarn/shell/guardedfile.h"

namespace {

constexpr qint64 kTagLength = 128;

// A fixed-width field takes shorter text padded with blanks and cuts longer text, so that a
// record filled carelessly still gives exactly 128 bytes.
void AppendFixed(QByteArray& block, const QByteArray& field, int width) {
    block.append(field.constData(), qMin<qsizetype>(field.size(), width));
    if (field.size() < width) block.append(width - field.size(), ' ');
}

// Over the old tag, or appended; a failed write leaves the file as it was.
bool WriteBlock(GuardedFile& file, const QByteArray& block) {
    const qint64 length = file.size();
    if (length < 0) return false;
    // A file shorter than a tag simply has none: the tag is appended.
    std::optional<QByteArray> old = QByteArray();
    if (length >= kTagLength) old = file.read(length - kTagLength, 3);
    if (!old) return false;
    const qint64 at = *old == "TAG" ? length - kTagLength : length;
    return file.writePatches({{at, block}}) && file.finish();
}

}  // namespace

ID3v1Record ID3v1FromBlock(const QByteArray& block, bool wholeComment) {
    // Built from the fields directly: a default record would fill every field first.
    ID3v1Record tag{block.mid(0, 3),  block.mid(3, 30),  block.mid(33, 30), block.mid(63, 30),
                    block.mid(93, 4), block.mid(97, 30), NulField<1>(),     block.mid(127, 1)};
    if (block.at(125) == '\0') {
        tag.Track = block.mid(126, 1);
        // ID3v1.1: the track byte must never show as comment text.
        if (!wholeComment) tag.Comment = tag.Comment.left(29) + '\0';
    }
    return tag;
}

QByteArray ID3v1Block(const ID3v1Record& tag) {
    QByteArray block;
    block.reserve(kTagLength);  // built in place: a save of thousands of files makes one each
    block.append("TAG", 3);
    AppendFixed(block, tag.Title, 30);
    AppendFixed(block, tag.Artist, 30);
    AppendFixed(block, tag.Album, 30);
    AppendFixed(block, tag.Year, 4);
    const char track = tag.Track.isEmpty() ? ' ' : tag.Track.at(0);
    if (track == '\0') {
        AppendFixed(block, tag.Comment, 30);
    } else {
        AppendFixed(block, tag.Comment, 28);
        block.append('\0').append(track);
    }
    AppendFixed(block, tag.Genre, 1);
    return block;
}

ID3v1Record ReadID3v1(const QString& path, Prompter* prompter) {
    ID3v1Record tag;
    if (!QFileInfo::exists(path)) return tag;
    GuardedFile file(path);
    std::optional<QByteArray> block;
    if (file.open(FileAccess::Read)) {
        const qint64 length = file.size();
        // A file shorter than a tag has none; that is no error.
        if (length >= 0 && length < kTagLength)
            block = QByteArray(kTagLength, '\0');
        else if (length >= 0)
            block = file.read(length - kTagLength, kTagLength);
    }
    if (!block || block->size() != kTagLength) {
        tag.Genre = QByteArray(1, '\xFF');
        ReportFileError(prompter, file.error());
        return tag;
    }
    if (!block->startsWith("TAG")) {
        tag.Genre = QByteArray(1, '\xFF');
        return tag;
    }
    return ID3v1FromBlock(*block);
}

bool WriteID3v1(const QString& path, const ID3v1Record& tag, Prompter* prompter) {
    GuardedFile file(path);
    const bool written = file.open(FileAccess::Save) && WriteBlock(file, ID3v1Block(tag));
    if (!written) ReportFileError(prompter, file.error());
    return written;
}
