#include "zarn/tags/filetags.h"

#include "zarn/tags/id3v2frames.h"
#include "zarn/tags/tagfile.h"

FileTags ReadFileTags(const QString& path) {
    FileTags tags;
    tags.v1.Genre = QByteArray(1, '\xFF');
    TagFile file(path);
    if (!file.open(false)) return tags;
    tags.opened = true;
    const std::optional<QByteArray> header = file.read(0, 10);
    if (header && header->startsWith("ID3")) {
        if (const std::optional<QByteArray> body = file.read(10, TagSizeOfHeader(*header)))
            tags.v2 = ID3v2FromTag(*header, *body);
    }
    const qint64 size = file.size();
    if (size >= 128) {
        const std::optional<QByteArray> block = file.read(size - 128, 128);
        if (block && block->startsWith("TAG")) tags.v1 = ID3v1FromBlock(*block);
    }
    return tags;
}
