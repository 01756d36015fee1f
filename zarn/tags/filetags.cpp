#include "zarn/tags/filetags.h"

#include "zarn/tags/mp3file.h"

FileTags ReadFileTags(const QString& path) {
    FileTags tags;
    Mp3File file(path);
    tags.opened = file.open(FileAccess::Read);
    tags.v1 = file.v1();
    if (!tags.opened) return tags;
    if (const auto v2 = file.v2()) tags.v2 = *v2;
    return tags;
}
