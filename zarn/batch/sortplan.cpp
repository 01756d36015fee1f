#include "zarn/batch/sortplan.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {

// One spelling per path, whether the engine built it or the user typed it.
QString Key(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

FileError Failure(int number, const char* description) {
    return {number, QString::fromUtf8(description), 0};
}

}  // namespace

bool SortPlan::touched(const QString& key) const {
    return m_folders.contains(key) || m_files.contains(key) || m_gone.contains(key);
}

bool SortPlan::isFile(const QString& path) {
    const QString key = Key(path);
    if (m_files.contains(key)) return true;
    return !m_gone.contains(key) && DiskSortFiles().isFile(path);
}

bool SortPlan::isFolder(const QString& path) {
    return m_folders.contains(Key(path)) || DiskSortFiles().isFolder(path);
}

bool SortPlan::exists(const QString& path) {
    const QString key = Key(path);
    if (m_files.contains(key) || m_folders.contains(key)) return true;
    return !m_gone.contains(key) && DiskSortFiles().exists(path);
}

bool SortPlan::isSameEntry(const QString& a, const QString& b) {
    const QString keyA = Key(a), keyB = Key(b);
    if (touched(keyA) || touched(keyB)) return keyA == keyB;
    return DiskSortFiles().isSameEntry(a, b);
}

FileError SortPlan::makeFolder(const QString& path) {
    if (isFolder(path)) return {};
    // What the system says when it is asked to make the folder.
    FileError error;
    if (exists(path)) error = SystemFileError(EEXIST);
    if (!isFolder(QFileInfo(Key(path)).path())) error = SystemFileError(ENOENT);
    if (error.failed()) {
        error.path = path;
        return error;
    }
    m_folders.insert(Key(path));
    return {};
}

FileError SortPlan::setAttributes(const QString& path, int) {
    return isFile(path) ? FileError{} : Failure(kErrFileNotFound, "the file does not exist");
}

FileError SortPlan::place(const QString& from, const QString& to, bool move, bool replace) {
    if (!isFile(from)) return Failure(kErrFileNotFound, "the file does not exist");
    if (!replace && exists(to) && !isSameEntry(from, to))
        return Failure(kErrFileAlreadyExists, "the file already exists");
    if (!isFolder(QFileInfo(Key(to)).path()))
        return Failure(kErrPathNotFound, "the folder does not exist");
    if (move) {
        m_files.remove(Key(from));
        m_gone.insert(Key(from));
    }
    m_gone.remove(Key(to));
    m_files.insert(Key(to));
    return {};
}

FileError SortPlan::renameWithoutOverwrite(const QString& from, const QString& to) {
    return place(from, to, true, false);
}
FileError SortPlan::copyWithoutOverwrite(const QString& from, const QString& to) {
    return place(from, to, false, false);
}
FileError SortPlan::moveWithoutOverwrite(const QString& from, const QString& to) {
    return place(from, to, true, false);
}
FileError SortPlan::copyReplacing(const QString& from, const QString& to, const FileIdentity&) {
    return place(from, to, false, true);
}
FileError SortPlan::moveReplacing(const QString& from, const QString& to, const FileIdentity&) {
    return place(from, to, true, true);
}
