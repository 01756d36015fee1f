#include "zarn/shell/programfolder.h"

#include "zarn/shell/fileops.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString WithSeparator(const QString& folder) {
    QString native = QDir::toNativeSeparators(folder);
    if (!native.endsWith(QDir::separator())) native += QDir::separator();
    return native;
}

const QString kManual = QStringLiteral("zarn.txt");
}  // namespace

QString InstalledDataFolder() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (exeDir.isEmpty()) return {};
    const QString data = QDir::cleanPath(exeDir + u'/' + QStringLiteral(ZARN_DATA_FROM_BIN));
    return QFileInfo::exists(data + u'/' + kManual) ? data : QString();
}

void SeedProgramFolder(const QString& installed, const QString& folder) {
    for (const QString& name :
         {kManual, QStringLiteral("replaces.txt"), QStringLiteral("inpattern.txt"),
          QStringLiteral("outpattern.txt")}) {
        const QFileInfo from(installed + u'/' + name);
        const QFileInfo to(folder + u'/' + name);
        if (!from.isFile()) continue;
        // Only the manual is brought up to date; the lists are the user's own once copied.
        if (to.exists() && (name != kManual || to.lastModified() >= from.lastModified())) continue;
        CopyReplacing(from.filePath(), to.filePath());
        // The installed copy is read-only; the user's copy must stay editable.
        QFile::setPermissions(to.filePath(), QFile::permissions(to.filePath()) |
                                                 QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    }
}

QString ProgramFolder() {
    const QString home = qEnvironmentVariable("ZARN_HOME");
    if (!home.isEmpty()) return WithSeparator(home);
    const QString installed = InstalledDataFolder();
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (installed.isEmpty() && !exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return WithSeparator(exeDir);
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty()) data = QDir::homePath();
    QDir().mkpath(data);
    if (!installed.isEmpty()) SeedProgramFolder(installed, data);
    return WithSeparator(data);
}

QString ProgramFile(const QString& fileName) {
    return ProgramFolder() + fileName;
}
