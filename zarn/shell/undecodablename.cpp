#include "zarn/shell/undecodablename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <sys/stat.h>
#endif

bool IsUndecodableName(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter)) return false;
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

QStringList UndecodableEntries(const QString& folder, const QString& mask) {
    QStringList entries;
#ifndef Q_OS_WIN
    const QByteArray base = QFile::encodeName(folder);
    DIR* dir = ::opendir(base.constData());
    if (!dir) return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const QString decoded = QFile::decodeName(name);
        if (QFile::encodeName(decoded) == name) continue;
        struct stat facts {};
        if (::stat((base + name).constData(), &facts) != 0) continue;
        if (S_ISDIR(facts.st_mode))
            entries << folder + decoded + QDir::separator();
        else if (QDir::match(mask, decoded))
            entries << folder + decoded;
    }
    ::closedir(dir);
#else
    Q_UNUSED(folder);
    Q_UNUSED(mask);
#endif
    return entries;
}

QString UndecodableNameReason() {
    return QStringLiteral(
        "its name is not valid UTF-8 (it holds bytes of another code page, such as 0xE9 for "
        "\"\u00e9\"), so it cannot be opened or renamed here; rename it with a file manager first");
}
