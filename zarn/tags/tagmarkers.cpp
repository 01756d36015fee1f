#include "zarn/tags/tagmarkers.h"

#include "zarn/shell/listentry.h"
#include "zarn/tags/mp3file.h"

namespace {

TagMark MarkOf(const QString& path, bool id3v2) {
    if (!PathExists(path)) return TagMark::Missing;
    Mp3File file(path);
    if (!file.open(FileAccess::Read)) return TagMark::Absent;
    const bool present = id3v2 ? file.layout().hasV2() : file.layout().hasV1();
    return present ? TagMark::Present : TagMark::Absent;
}

}  // namespace

TagMark ID3v1Mark(const QString& path) {
    return MarkOf(path, false);
}
TagMark ID3v2Mark(const QString& path) {
    return MarkOf(path, true);
}
