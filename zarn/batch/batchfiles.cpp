#include "zarn/batch/batchfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "zarn/shell/undecodablename.h"
#endif

namespace {

bool HasSuffix(const QString& name, const QString& suffix) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && QStringView(name).mid(dot + 1).compare(suffix, Qt::CaseInsensitive) == 0;
}

void CannotRead(const QString& folder, BatchFiles& result) {
    result.failures << std::pair{folder, QStringLiteral("the folder cannot be read")};
}

#ifndef Q_OS_WIN
// One folder's entries as the walk needs them. Read straight from the directory: the entry
// types come with the names, so a folder of thousands of files costs no look at each file.
struct Entry {
    QString name;
    bool folder = false;  // a real folder, not a link to one (links are not followed: no cycles)
    bool file = false;    // a regular file, or a link to one
    bool undecodable = false;
};

bool ReadEntries(const QString& folder, QList<Entry>& entries) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0) ::close(fd);
        return false;
    }
    while (const dirent* d = ::readdir(dir)) {
        if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0) continue;
        Entry entry;
        const QByteArray raw(d->d_name);
        entry.name = QFile::decodeName(raw);
        entry.undecodable = QFile::encodeName(entry.name) != raw;
        unsigned char type = d->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat target {};
            if (::fstatat(fd, d->d_name, &target, 0) != 0) continue;  // a dangling link
            const bool link = type == DT_LNK;
            type = S_ISDIR(target.st_mode)   ? (link ? DT_LNK : DT_DIR)
                   : S_ISREG(target.st_mode) ? DT_REG
                                             : DT_UNKNOWN;
        }
        entry.folder = type == DT_DIR;
        entry.file = type == DT_REG;
        if (entry.folder || entry.file) entries << entry;
    }
    ::closedir(dir);
    return true;
}

void Walk(const QString& folder, const QString& suffix, BatchFiles& result) {
    QList<Entry> entries;
    if (!ReadEntries(folder, entries)) return CannotRead(folder, result);
    // Byte-wise order of the names: the same on every machine, whatever the locale.
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    for (const Entry& entry : entries) {
        if (entry.file && !HasSuffix(entry.name, suffix)) continue;
        const QString path = prefix + entry.name;
        if (entry.undecodable)
            result.failures << std::pair{path, UndecodableNameReason()};
        else if (entry.folder)
            Walk(path, suffix, result);
        else
            result.files << path;
    }
}
#else
void Walk(const QString& folder, const QString& suffix, BatchFiles& result) {
    const QDir dir(folder);
    if (!dir.isReadable()) return CannotRead(folder, result);
    QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    std::sort(entries.begin(), entries.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.fileName() < b.fileName(); });
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            if (!entry.isSymLink()) Walk(entry.filePath(), suffix, result);
        } else if (entry.isFile() && HasSuffix(entry.fileName(), suffix)) {
            result.files << entry.filePath();
        }
    }
}
#endif

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
            result.failures << std::pair{path, QStringLiteral("not a regular file")};
        else
            result.failures << std::pair{path, QStringLiteral("no such file or folder")};
    }
    return result;
}
