#include "zarn/shell/fileidentity.h"

#include <QDir>
#include <QFile>

namespace {

QString FolderPart(const QString& path) {
    const QString plain = QDir::fromNativeSeparators(path);
    const qsizetype cut = plain.lastIndexOf(u'/');
    if (cut < 0) return QStringLiteral(".");
    return cut == 0 ? QStringLiteral("/") : plain.left(cut);
}

QString NamePart(const QString& path) {
    const QString plain = QDir::fromNativeSeparators(path);
    return plain.mid(plain.lastIndexOf(u'/') + 1);
}

// Both names are entries of the folder as they are spelled: on a file system that tells case
// apart, "A.mp3" and "a.mp3" may be two names of one file.
bool BothSpellingsListed(const QString& folder, const QString& a, const QString& b) {
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    return names.contains(a) && names.contains(b);
}

}  // namespace

FileIdentity IdentityOfStat(const struct stat& st) {
    return {quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, quint64(st.st_nlink)};
}

FileIdentity IdentityOfDescriptor(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? IdentityOfStat(st) : FileIdentity{};
}

FileIdentity IdentityOfPath(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? IdentityOfStat(st)
                                                                 : FileIdentity{};
}

FileIdentity IdentityOfEntry(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? IdentityOfStat(st)
                                                                  : FileIdentity{};
}

bool SameEntry(const QString& a, const QString& b) {
    const FileIdentity first = IdentityOfEntry(a);
    if (!first.sameFile(IdentityOfEntry(b))) return false;
    // A file with one name has one entry, however the paths to it are spelled.
    if (first.links <= 1) return true;
    if (!IdentityOfPath(FolderPart(a)).sameFile(IdentityOfPath(FolderPart(b)))) return false;
    const QString nameA = NamePart(a), nameB = NamePart(b);
    if (nameA == nameB) return true;
    return nameA.compare(nameB, Qt::CaseInsensitive) == 0 &&
           !BothSpellingsListed(FolderPart(a), nameA, nameB);
}
