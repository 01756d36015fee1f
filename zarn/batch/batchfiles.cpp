#include "zarn/batch/batchfiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

void Walk(const QString& folder, const QString& suffix, BatchFiles& result) {
    const QDir dir(folder);
    if (!dir.isReadable()) {
        result.failures << QPair{folder, QStringLiteral("the folder cannot be read")};
        return;
    }
    // Byte-wise order of the names: the same on every machine, whatever the locale.
    QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    std::sort(entries.begin(), entries.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.fileName() < b.fileName(); });
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            if (!entry.isSymLink()) Walk(entry.filePath(), suffix, result);
        } else if (entry.isFile() && entry.suffix().compare(suffix, Qt::CaseInsensitive) == 0) {
            result.files << entry.filePath();
        }
    }
}

}  // namespace

BatchFiles CollectFiles(const QStringList& paths, const QString& extension) {
    BatchFiles result;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            Walk(path, extension, result);
        else if (info.isFile())
            result.files << path;
        else if (info.exists() || info.isSymLink())
            result.failures << QPair{path, QStringLiteral("not a regular file")};
        else
            result.failures << QPair{path, QStringLiteral("no such file or folder")};
    }
    return result;
}
