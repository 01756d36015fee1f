#include "zarn/tags/tagpreview.h"

#include "zarn/tags/id3v2frames.h"
#include "zarn/tags/mp3file.h"
#include "zarn/tags/panelfields.h"

namespace {

QString TagNames(const FileInfo& info) {
    QStringList tags;
    if (info.hasID3v1()) tags << QStringLiteral("ID3v1");
    if (info.hasID3v2()) tags << QStringLiteral("ID3v2");
    return tags.isEmpty() ? QStringLiteral("none") : tags.join(u',');
}

// WriteTags' cases in which it writes nothing at all.
bool WritesNothing(const TagLayout& l, bool hasV2, int mode1, int mode2) {
    const auto valid = [](int mode) { return mode >= kRemoveTag && mode <= kWriteTag; };
    if (!valid(mode1) || !valid(mode2) || (mode1 == kKeepTag && mode2 == kKeepTag)) return true;
    return (mode1 == kRemoveTag && mode2 == kKeepTag && !l.hasV1()) ||
           (mode1 == kKeepTag && mode2 == kRemoveTag && !hasV2) ||
           (mode1 == kRemoveTag && mode2 == kRemoveTag && !l.hasV1() && !hasV2);
}

// The ID3v2 tag after the write; `current` is the file's own.
std::optional<ID3v2Record> ID3v2After(Mp3File& file, const ID3v2Record& tag2, int mode2, bool hasV2,
                                      const std::optional<ID3v2Record>& current, FileError& error) {
    if (mode2 == kRemoveTag) return std::nullopt;
    if (mode2 == kKeepTag) return hasV2 && tag2.hasTag() ? current : std::nullopt;
    const auto old = file.v2Frames();
    if (!old) {
        error = file.error();
        return std::nullopt;
    }
    const QByteArray frames = BuildFrames(tag2, *old);
    // A file without a tag gets none for a record with nothing in it.
    if (!hasV2 && frames.isEmpty()) return std::nullopt;
    return ID3v2FromTag(MakeTagHeader(frames.size()), frames);
}

}  // namespace

TagPreview PreviewTagWrite(Mp3File& file, const ID3v1Record& tag1, const ID3v2Record& tag2,
                           int mode1, int mode2, bool optimizedID3v1) {
    TagPreview preview;
    const TagLayout& l = file.layout();
    std::optional<ID3v2Record> current;
    if (l.hasV2()) {
        current = file.v2();
        if (!current) {
            preview.error = file.error();
            return preview;
        }
    }
    FillTagBoxes(preview.before, l.v1Block, current, optimizedID3v1);
    preview.after = preview.before;
    const bool v1Only = mode1 == kWriteTag && mode2 == kKeepTag;
    const bool hasV2 = l.hasV2() && !v1Only;
    if (WritesNothing(l, hasV2, mode1, mode2)) return preview;
    if (l.damaged()) {
        preview.error = DamagedTagError(file.path(), l);
        return preview;
    }
    QByteArray block;
    if (mode1 == kKeepTag && l.hasV1())
        block = l.v1Block;
    else if (mode1 != kRemoveTag)
        block = ID3v1Block(tag1);
    // Only the ID3v1 block is written in these cases; the ID3v2 tag stays as it is.
    const bool v1Alone = v1Only || (!hasV2 && mode1 != kRemoveTag && mode2 != kWriteTag);
    const std::optional<ID3v2Record> v2 =
        v1Alone ? current : ID3v2After(file, tag2, mode2, hasV2, current, preview.error);
    preview.after = FileInfo();
    FillTagBoxes(preview.after, block, v2, optimizedID3v1);
    return preview;
}

QList<FieldChange> TagChanges(const FileInfo& before, const FileInfo& after) {
    QList<FieldChange> changes;
    if (TagNames(before) != TagNames(after))
        changes.append({QStringLiteral("tags"), TagNames(before), TagNames(after)});
    for (int column : {1, 2}) {
        const QString prefix = column == 1 ? QStringLiteral("v1.") : QStringLiteral("v2.");
        for (const PanelField& f : PanelFields()) {
            const PanelBox& box = f.in(column);
            if (box.exists() && before.*box.info != after.*box.info)
                changes.append({prefix + QLatin1String(f.key), before.*box.info, after.*box.info});
        }
    }
    return changes;
}
