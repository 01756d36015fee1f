#include <cerrno>

#include "zarn/shell/prompter.h"
#include "zarn/tags/mp3file.h"

#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2fields.h"
#include "zarn/tags/id3v2frames.h"

namespace {

constexpr qint64 kMaxPadding = 12000;

QByteArray NewTag(const QByteArray& frames, qint64 padding) {
    return MakeTagHeader(frames.size() + padding) + frames + QByteArray(padding, '\0');
}

// The new tag takes exactly the old tag's room, so the audio does not move.
FilePatch InPlaceTag(qint64 oldSize, const QByteArray& frames) {
    return {0, MakeTagHeader(oldSize) + frames + QByteArray(oldSize - frames.size(), '\0')};
}

TagWrite Failed(const FileError& error) {
    return {TagWrite::Result::Failed, error};
}

TagWrite Done(GuardedFile& file, bool ok) {
    // A write in place is only done once the system has taken it at close.
    if (ok && file.isOpen()) ok = file.finish();
    return ok ? TagWrite{TagWrite::Result::Written, {}} : Failed(file.error());
}

// Where the audio starts when the ID3v2 tag goes: further ID3v2 tags right behind it (another
// program's, whose texts would otherwise be taken for audio) go with it; anything else after
// the tag is kept byte for byte. A further header that claims more than the file holds is no
// tag, and stays.
std::optional<qint64> AudioAfterRemovedTags(GuardedFile& file, qint64 from, qint64 to) {
    qint64 start = from;
    for (;;) {
        const auto header = file.read(start, qMin<qint64>(10, to - start));
        if (!header) return std::nullopt;
        if (header->size() < 10 || !header->startsWith("ID3")) return start;
        const qint64 end = start + 10 + TagSizeOfHeader(*header);
        if (end > to) return start;
        start = end;
    }
}

bool NothingToDo(const TagLayout& l, bool hasV2, int mode1, int mode2) {
    return (mode1 == kRemoveTag && mode2 == kKeepTag && !l.hasV1()) ||
           (mode1 == kKeepTag && mode2 == kRemoveTag && !hasV2) ||
           (mode1 == kRemoveTag && mode2 == kRemoveTag && !l.hasV1() && !hasV2);
}

}  // namespace

FileError InUseWhenBusy(FileError error) {
    // Only a file that another program holds is "in use"; a refused permission, a read-only
    // disk or a folder keep the system's own reason.
    if (error.systemError == EBUSY || error.systemError == ETXTBSY)
        error.description = QStringLiteral("The file is in use.");
    return error;
}

TagWrite WriteTags(Mp3File& file, const ID3v1Record& tag1, const ID3v2Record& tag2, int mode1,
                   int mode2) {
    const auto valid = [](int mode) { return mode >= kRemoveTag && mode <= kWriteTag; };
    // A mode outside the three would take the remove paths for a tag it does not name.
    if (!valid(mode1) || !valid(mode2) || (mode1 == kKeepTag && mode2 == kKeepTag)) return {};
    if (!file.open(FileAccess::Save)) return Failed(file.error());
    const TagLayout& l = file.layout();
    GuardedFile& g = file.file();
    const bool v1Only = mode1 == kWriteTag && mode2 == kKeepTag;
    const bool hasV2 = l.hasV2() && !v1Only;  // a v1-only write does not look at the ID3v2 tag
    if (NothingToDo(l, hasV2, mode1, mode2)) return {};
    if (l.damaged()) return Failed(DamagedTagError(file.path(), l));

    QByteArray block;
    if (mode1 == kKeepTag && l.hasV1())
        block = l.v1Block;
    else if (mode1 != kRemoveTag)
        block = ID3v1Block(tag1);
    const qint64 v1At = l.hasV1() ? l.length - 128 : l.length;
    if (v1Only || (!hasV2 && mode1 != kRemoveTag && mode2 != kWriteTag))
        return Done(g, g.writePatches({{v1At, block}}));

    QByteArray frames;
    if (mode2 == kWriteTag) {
        const auto old = file.v2Frames();
        if (!old) return Failed(file.error());
        frames = BuildFrames(tag2, *old);
    }
    const qint64 spare = l.v2Size() - frames.size();
    if (hasV2 && mode2 == kWriteTag && mode1 != kRemoveTag && spare >= 0 && spare <= kMaxPadding)
        return Done(g, g.writePatches({InPlaceTag(l.v2Size(), frames), {v1At, block}}));

    QByteArray head;
    if (mode2 == kKeepTag && hasV2 && tag2.hasTag()) {
        const auto own = g.read(0, l.v2End);
        if (!own) return Failed(g.error());
        head = *own;
    }
    if (mode2 == kWriteTag && (hasV2 || !frames.isEmpty()))
        head = NewTag(frames, qMin<qint64>(frames.size(), kMaxPadding));
    std::optional<qint64> audioFrom = hasV2 ? l.v2End : 0;
    if (hasV2 && mode2 == kRemoveTag) audioFrom = AudioAfterRemovedTags(g, l.v2End, l.audioTo());
    if (!audioFrom) return Failed(g.error());
    return Done(g, g.rewrite(head, *audioFrom, l.audioTo(), block));
}

QByteArray BuildFrames(const ID3v2Record& tag, const ID3v2Frames& old) {
    QByteArray frames;
    ID3v2Frames hidden = ParseID3v2Frames(tag.Hidden);
    for (const ID3v2Field& field : ID3v2Fields()) {
        const QString& value = tag.*field.value;
        ID3v2Frames oldFrames;
        for (const qsizetype at : FieldFrames(old, field.id)) oldFrames << old[at];
        if (oldFrames.isEmpty() && value.isEmpty()) continue;  // nothing was there, nothing is
        // A field that reads as it did is the file's frames as they were; only a changed field
        // is made anew (most saves change one field of twelve).
        if (!oldFrames.isEmpty() && !value.isEmpty() && value == FieldValue(oldFrames)) {
            frames += RenderID3v2Frames(oldFrames);
            continue;
        }
        const QByteArray made =
            MakeFrame(field.id, field.id == QByteArrayView("TCON") ? TconText(value) : value);
        const ID3v2Frames madeFrames = ParseID3v2Frames(made);
        if (!oldFrames.isEmpty() && !madeFrames.isEmpty() &&
            FieldValue(madeFrames) == FieldValue(oldFrames)) {
            frames += RenderID3v2Frames(oldFrames);
            continue;
        }
        // A changed field holds exactly its new value: no frame of the old value, and no
        // hidden frame that readers would join to the new one, survives.
        frames += made;
        hidden.removeIf([&](const ID3v2Frame& frame) {
            return (!oldFrames.isEmpty() && SameField(frame, oldFrames.first())) ||
                   (!madeFrames.isEmpty() && SameField(frame, madeFrames.first()));
        });
    }
    hidden.removeIf([&](const ID3v2Frame& frame) {
        return frame.id == "TDRC" && YearOfTimestamp(FrameValue(frame)) != tag.Year;
    });
    return frames + RenderID3v2Frames(hidden);
}

bool WriteTags(const QString& path, const ID3v1Record& tag1, const ID3v2Record& tag2, int mode1,
               int mode2, Prompter* prompter) {
    Mp3File file(path);
    const TagWrite outcome = WriteTags(file, tag1, tag2, mode1, mode2);
    if (outcome.failed()) ReportFileError(prompter, InUseWhenBusy(outcome.error));
    return outcome.written();
}

bool WriteID3v2(const QString& path, const ID3v2Record& tag2, Prompter* prompter) {
    Mp3File file(path);
    const auto fail = [&](const FileError& error) {
        ReportFileError(prompter, error);
        return false;
    };
    if (!file.open(FileAccess::Save)) return fail(file.error());
    const TagLayout& l = file.layout();
    // This writer takes an ID3v1 tag for part of the audio.
    if (l.hasV2() && l.v2End > l.length) return fail(DamagedTagError(path, l));
    const auto old = file.v2Frames();
    if (!old) return fail(file.error());
    const QByteArray frames = BuildFrames(tag2, *old);
    if (frames.isEmpty()) return false;
    const qint64 n = frames.size();
    const qint64 oldTotal = l.v2End;
    const bool fits = l.hasV2() && n <= l.v2Size() && oldTotal - n < kMaxPadding;
    const qint64 padding =
        l.hasV2() && oldTotal - n >= kMaxPadding ? kMaxPadding : qMin(n, kMaxPadding);
    GuardedFile& g = file.file();
    const TagWrite outcome =
        Done(g, fits ? g.writePatches({InPlaceTag(l.v2Size(), frames)})
                     : g.rewrite(NewTag(frames, padding), oldTotal, l.length, {}));
    return outcome.written() || fail(outcome.error);
}
