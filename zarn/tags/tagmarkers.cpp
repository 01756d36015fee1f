#include "zarn/tags/tagmarkers.h"

#include <QFile>

#include "zarn/shell/listentry.h"

namespace {

TagMark MarkAt(const QString& path, bool fromEnd, const char* signature) {
    if (!PathExists(path)) return TagMark::Missing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return TagMark::Absent;
    if (fromEnd && (file.size() < 128 || !file.seek(file.size() - 128))) return TagMark::Absent;
    return file.read(3) == signature ? TagMark::Present : TagMark::Absent;
}

}  // namespace

TagMark ID3v1Mark(const QString& path) {
    return MarkAt(path, true, "TAG");
}
TagMark ID3v2Mark(const QString& path) {
    return MarkAt(path, false, "ID3");
}
