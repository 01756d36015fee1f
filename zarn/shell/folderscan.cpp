#include "zarn/shell/folderscan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "zarn/shell/undecodablename.h"

namespace {

QString WithSeparator(QString folder) {
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
    return folder;
}

}  // namespace

FolderScan ScanFolder(const QString& folder, const QString& mask) {
    FolderScan scan;
    QStringList folders{WithSeparator(folder)};
    // A linked folder that points back up the tree would make the walk endless; each real
    // folder is walked once.
    QSet<QString> seen{QFileInfo(folder).canonicalFilePath()};
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const QDir dir(folders[i]);
        const QStringList subs = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
        for (const QString& name : subs) {
            const QString sub = folders[i] + name + QDir::separator();
            const QString real = QFileInfo(sub).canonicalFilePath();
            if (real.isEmpty() || seen.contains(real)) continue;
            seen.insert(real);
            folders.append(sub);
        }
        scan.unusableNames << UndecodableEntries(folders[i], mask);
    }
    for (const QString& path : folders) {
        const QDir dir(path, mask, QDir::Unsorted, QDir::Files);
        for (const QString& name : dir.entryList()) scan.files.append(path + name);
    }
    return scan;
}
