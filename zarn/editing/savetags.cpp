#include "zarn/editing/savetags.h"

#include <optional>

#include "zarn/shell/fileops.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/options.h"
#include "zarn/shell/progress.h"
#include "zarn/tags/id3v2frames.h"
#include "zarn/tags/tagfile.h"

namespace {

struct OldTags {
    ID3v1Record v1;
    ID3v2Record v2;
};

// Both tags of a file through one open, as ReadID3v1 and ReadID3v2 give them: a save of
// thousands of files spends much of its time opening them. Nothing when any step fails or the
// file is shorter than an ID3v1 tag; the one-tag readers are then asked, so that the reasons
// are reported as always.
std::optional<OldTags> ReadOldTags(TagFile& file) {
    constexpr qint64 kHeaderLength = 10;
    constexpr qint64 kV1Length = 128;
    if (!file.open(false)) return std::nullopt;
    const qint64 length = file.size();
    if (length < kV1Length) return std::nullopt;
    const std::optional<QByteArray> block = file.read(length - kV1Length, kV1Length);
    const std::optional<QByteArray> header = file.read(0, kHeaderLength);
    if (!block || block->size() != kV1Length || !header) return std::nullopt;
    OldTags tags;
    if (block->startsWith("TAG"))
        tags.v1 = ID3v1FromBlock(*block);
    else
        tags.v1.Genre = QByteArray(1, '\xFF');
    if (header->startsWith("ID3")) {
        const std::optional<QByteArray> body = file.read(kHeaderLength, TagSizeOfHeader(*header));
        if (!body) return std::nullopt;
        tags.v2 = ID3v2FromTag(*header, *body);
    }
    return tags;
}

// Clears the read-only attribute for `write`, then sets the attributes the rule gives.
template <typename Write>
bool WithAttributes(const QString& path, AttributeRule rule, Write write) {
    // Read-only is the one attribute with a counterpart here (fileops.h).
    const int old = IsReadOnly(path) ? kAttrReadOnly : 0;
    if (old != 0) SetFileAttributes(path, 0);
    const bool written = write();
    if (rule.set)
        SetFileAttributes(path, rule.value);
    else if (old != 0)
        SetFileAttributes(path, old);
    return written;
}

FileRecords RecordsOf(TagFile& file, const PanelValues& values, TagModes modes, bool removeHidden,
                      Prompter* prompter) {
    FileRecords records;
    const QString& path = file.path();
    const bool needsV1 = modes.id3v1 != kRemoveTag;
    const std::optional<OldTags> both = needsV1 ? ReadOldTags(file) : std::nullopt;
    if (needsV1) {
        const ID3v1Record old = both ? both->v1 : ReadID3v1(path, prompter);
        records.tag1 = modes.id3v1 == kWriteTag ? MergedID3v1(values, old) : old;
        modes = KeepingAbsentID3v1(modes, old.hasTag());
    }
    records.modes = modes;
    const auto oldV2 = [&] { return both ? both->v2 : ReadID3v2(path, prompter); };
    if (modes.id3v2 == kWriteTag)
        records.tag2 = MergedID3v2(values, oldV2(), removeHidden);
    else if (modes.id3v2 == kKeepTag && modes.id3v1 != kWriteTag)
        records.tag2 = oldV2();
    return records;
}

// One file of a several-files save, opened once: its tags are read and written through the
// same handle (a save of thousands of files spends much of its time opening them).
bool SaveFileOfSeveral(const QString& path, const PanelValues& values, TagModes modes,
                       bool removeHidden, AttributeRule rule, Prompter* prompter) {
    return WithAttributes(path, rule, [&] {
        TagFile file(path);
        file.openForSaving();
        const FileRecords records = RecordsOf(file, values, modes, removeHidden, prompter);
        return WriteTags(file, records.tag1, records.tag2, records.modes.id3v1, records.modes.id3v2,
                         prompter);
    });
}

}  // namespace

AttributeRule AttributeRuleOf(const Options& options) {
    return {options.bSetAttributes,
            AttributeValue(options.bReadOnly, options.bHidden, options.bArchive)};
}

bool WriteTagsWithAttributes(const QString& path, const ID3v1Record& tag1, const ID3v2Record& tag2,
                             TagModes modes, AttributeRule rule, Prompter* prompter) {
    return WithAttributes(path, rule, [&] {
        return WriteTags(path, tag1, tag2, modes.id3v1, modes.id3v2, prompter);
    });
}

bool SaveOneFile(const QString& path, const PanelValues& values, const ShownFile& shown,
                 const Options& options, Prompter* prompter) {
    if (!PathExists(path)) return false;
    TagModes modes = OneFileModes(values, shown);
    if (modes.nothing()) return false;
    ID3v1Record tag1;
    if (modes.id3v1 != kRemoveTag) {
        const ID3v1Record old = ReadID3v1(path, prompter);
        modes = KeepingAbsentID3v1(modes, old.hasTag());
        tag1 = OneFileID3v1(values, options.bOptimizedID3v1, old.Genre);
    }
    ID3v2Record tag2;
    if (modes.id3v2 != kRemoveTag)
        tag2 = OneFileID3v2(values, shown.hiddenFrames, options.bRemHiddenID3);
    return WriteTagsWithAttributes(path, tag1, tag2, modes, AttributeRuleOf(options), prompter);
}

FileRecords SeveralFilesRecords(const QString& path, const PanelValues& values, TagModes modes,
                                bool removeHidden, Prompter* prompter) {
    TagFile file(path);
    return RecordsOf(file, values, modes, removeHidden, prompter);
}

SaveRun SaveSeveralFiles(const QStringList& paths, const PanelValues& values, TagModes modes,
                         const Options& options, Prompter* prompter, Progress* progress) {
    SaveRun run;
    if (modes.nothing()) return run;
    const AttributeRule rule = AttributeRuleOf(options);
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        if (progress) progress->atFile({i + 1, int(paths.size()), path, QString()});
        if (!PathExists(path)) {
            ++run.skipped;
        } else {
            if (SaveFileOfSeveral(path, values, modes, options.bRemHiddenID3, rule, prompter))
                ++run.written;
        }
        if (progress) {
            progress->yield();
            if (progress->stopRequested() && i + 1 < paths.size()) {
                run.stopped = true;
                break;
            }
        }
    }
    return run;
}
