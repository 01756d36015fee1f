#include <cerrno>

#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2fields.h"
#include "zarn/tags/id3v2frames.h"
#include "zarn/tags/tagfile.h"

namespace {

constexpr qint64 kMaxPadding = 12000;
constexpr qint64 kChunk = 1 << 20;

// What a writer needs to know about the file before it decides how to write.
struct Layout {
    qint64 length = 0;
    bool hasV1 = false, hasV2 = false;
    qint64 oldSize = 0, oldTotal = 0;
    qint64 audioFrom = 0, audioTo = 0;  // the bytes between the tags
    int major = 0, flags = 0;           // of the ID3v2 header
};

std::optional<Layout> ReadLayout(TagFile& file, bool withV1) {
    Layout layout;
    layout.length = file.size();
    if (layout.length < 0) return std::nullopt;
    if (withV1 && layout.length >= 128) {
        const auto mark = file.read(layout.length - 128, 3);
        if (!mark) return std::nullopt;
        layout.hasV1 = *mark == "TAG";
    }
    layout.audioTo = layout.length - (layout.hasV1 ? 128 : 0);
    const auto header = file.read(0, 10);
    if (!header) return std::nullopt;
    layout.hasV2 = header->startsWith("ID3");
    if (layout.hasV2) {
        layout.oldSize = TagSizeOfHeader(*header);
        layout.major = header->size() > 3 ? uchar(header->at(3)) : 0;
        layout.flags = header->size() > 5 ? uchar(header->at(5)) : 0;
        layout.oldTotal = layout.oldSize + 10;
        // A tag that claims more than the file holds ends where the audio would end.
        layout.audioFrom = qMin(layout.oldTotal, layout.audioTo);
    }
    return layout;
}

// The first MPEG frame header: sync byte 255, the three high bits of the next byte set, and
// in the third byte a bitrate index (xxxx....) other than 15 and a sample-rate index
// (....xx..) other than 3. Returns the offset from `from`, or the offset of what follows
// when there is none, so that audio without a recognisable header is kept whole. Further
// ID3v2 tags right behind the first (another program's data, whose texts would pass for a
// header) are kept whole, or skipped whole when `removeTags`.
std::optional<qint64> AudioStartOffset(TagFile& file, qint64 from, qint64 to, bool removeTags) {
    qint64 start = from;
    for (;;) {
        const auto header = file.read(start, qMin<qint64>(10, to - start));
        if (!header) return std::nullopt;
        if (header->size() < 10 || !header->startsWith("ID3")) break;
        if (!removeTags) return start - from;
        start = qMin(start + 10 + TagSizeOfHeader(*header), to);
    }
    for (qint64 pos = start; pos < to - 1; pos += kChunk) {
        const auto bytes = file.read(pos, qMin(kChunk + 2, to - pos));
        if (!bytes) return std::nullopt;
        const auto* b = reinterpret_cast<const uchar*>(bytes->constData());
        for (qsizetype i = 0; i + 2 < bytes->size() && i < kChunk; ++i) {
            if (b[i] == 0xFF && (b[i + 1] & 0xE0) == 0xE0 && (b[i + 2] >> 4) != 15 &&
                ((b[i + 2] >> 2) & 3) != 3)
                return pos + i - from;
        }
    }
    return start - from;
}

// The frames of the file's own ID3v2 tag, to write unchanged fields back as they were.
std::optional<ID3v2Frames> OldFrames(TagFile& file, const Layout& layout) {
    if (!layout.hasV2) return ID3v2Frames();
    const auto body = file.read(10, layout.oldSize);
    if (!body) return std::nullopt;
    return ReadTagFrames(*body, layout.major, layout.flags);
}

QByteArray NewTag(const QByteArray& frames, qint64 padding) {
    return MakeTagHeader(frames.size() + padding) + frames + QByteArray(padding, '\0');
}

// The new tag takes exactly the old tag's room, so the audio does not move.
FilePatch InPlaceTag(qint64 oldSize, const QByteArray& frames) {
    return {0, MakeTagHeader(oldSize) + frames + QByteArray(oldSize - frames.size(), '\0')};
}

// Only a file that another program holds is "in use"; a refused permission, a read-only disk
// or a folder keep the system's own reason.
void ReportWriteError(Prompter* prompter, FileError error) {
    if (error.systemError == EBUSY || error.systemError == ETXTBSY)
        error.description = QStringLiteral("The file is in use.");
    ReportFileError(prompter, error);
}

enum class Outcome { Nothing, Written, Failed };

Outcome WriteBoth(TagFile& file, const ID3v1Record& tag1, const ID3v2Record& tag2, int mode1,
                  int mode2) {
    if (!file.open(false)) return Outcome::Failed;
    const bool v1Only = mode1 == kWriteTag && mode2 == kKeepTag;
    auto layout = ReadLayout(file, true);
    if (!layout) return Outcome::Failed;
    if (v1Only) layout->hasV2 = false;  // the ID3v2 tag is not looked at
    QByteArray block;
    if (mode1 == kKeepTag && layout->hasV1) {
        const auto own = file.read(layout->length - 128, 128);
        if (!own) return Outcome::Failed;
        block = *own;
    } else if (mode1 != kRemoveTag) {
        block = ID3v1Block(tag1);
    }
    const Layout& l = *layout;
    QByteArray kept;
    if (!v1Only && mode2 == kKeepTag && l.hasV2 && tag2.hasTag()) {
        const auto own = file.read(0, l.audioFrom);
        if (!own) return Outcome::Failed;
        kept = *own;
    }
    QByteArray frames;
    if (mode2 == kWriteTag) {
        const auto old = OldFrames(file, l);
        if (!old) return Outcome::Failed;
        frames = BuildFrames(tag2, *old);
    }

    if ((mode1 == kRemoveTag && mode2 == kKeepTag && !l.hasV1) ||
        (mode1 == kKeepTag && mode2 == kRemoveTag && !l.hasV2) ||
        (mode1 == kRemoveTag && mode2 == kRemoveTag && !l.hasV1 && !l.hasV2))
        return Outcome::Nothing;
    const qint64 v1At = l.hasV1 ? l.length - 128 : l.length;
    if (!file.open(true)) return Outcome::Failed;
    if (v1Only || (!l.hasV2 && mode1 != kRemoveTag && mode2 != kWriteTag))
        return WritePatches(file, {{v1At, block}}) ? Outcome::Written : Outcome::Failed;

    const qint64 spare = l.oldSize - frames.size();
    if (l.hasV2 && mode2 == kWriteTag && mode1 != kRemoveTag && spare >= 0 &&
        spare <= kMaxPadding && l.oldTotal <= l.audioTo) {
        const bool ok = WritePatches(file, {InPlaceTag(l.oldSize, frames), {v1At, block}});
        return ok ? Outcome::Written : Outcome::Failed;
    }

    QByteArray head = kept;
    if (mode2 == kWriteTag && (l.hasV2 || !frames.isEmpty()))
        head = NewTag(frames, qMin<qint64>(frames.size(), kMaxPadding));
    qint64 audioFrom = l.audioFrom;
    if (l.hasV2) {
        const auto skip = AudioStartOffset(file, l.audioFrom, l.audioTo, mode2 == kRemoveTag);
        if (!skip) return Outcome::Failed;
        audioFrom += *skip;
    }
    return RewriteFile(file, head, audioFrom, l.audioTo, block) ? Outcome::Written
                                                                : Outcome::Failed;
}

}  // namespace

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
    TagFile file(path);
    return WriteTags(file, tag1, tag2, mode1, mode2, prompter);
}

bool WriteTags(TagFile& file, const ID3v1Record& tag1, const ID3v2Record& tag2, int mode1,
               int mode2, Prompter* prompter) {
    const auto valid = [](int mode) { return mode >= kRemoveTag && mode <= kWriteTag; };
    // A mode outside the three would take the remove paths for a tag it does not name.
    if (!valid(mode1) || !valid(mode2) || (mode1 == kKeepTag && mode2 == kKeepTag)) return false;
    const Outcome outcome = WriteBoth(file, tag1, tag2, mode1, mode2);
    if (outcome == Outcome::Failed) ReportWriteError(prompter, file.error());
    return outcome == Outcome::Written;
}

bool WriteID3v2(const QString& path, const ID3v2Record& tag2, Prompter* prompter) {
    TagFile file(path);
    std::optional<Layout> layout;
    if (file.open(false)) layout = ReadLayout(file, false);
    if (!layout) {
        ReportFileError(prompter, file.error());
        return false;
    }
    const Layout& l = *layout;
    const auto old = OldFrames(file, l);
    if (!old) {
        ReportFileError(prompter, file.error());
        return false;
    }
    const QByteArray frames = BuildFrames(tag2, *old);
    if (frames.isEmpty()) return false;
    const qint64 n = frames.size();
    const bool fits =
        l.hasV2 && n <= l.oldSize && l.oldTotal - n < kMaxPadding && l.oldTotal <= l.length;
    const qint64 padding =
        l.hasV2 && l.oldTotal - n >= kMaxPadding ? kMaxPadding : qMin(n, kMaxPadding);
    const bool ok = file.open(true) &&
                    (fits ? WritePatches(file, {InPlaceTag(l.oldSize, frames)})
                          : RewriteFile(file, NewTag(frames, padding), l.audioFrom, l.length, {}));
    if (!ok) ReportFileError(prompter, file.error());
    return ok;
}
