#include "zarn/shell/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString WithSeparator(const QString& folder) {
    QString native = QDir::toNativeSeparators(folder);
    if (!native.endsWith(QDir::separator())) native += QDir::separator();
    return native;
}
}  // namespace

QString ProgramFolder() {
    const QString home = qEnvironmentVariable("ZARN_HOME");
    if (!home.isEmpty()) return WithSeparator(home);
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable()) return WithSeparator(exeDir);
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty()) data = QDir::homePath();
    QDir().mkpath(data);
    return WithSeparator(data);
}

QString ProgramFile(const QString& fileName) { return ProgramFolder() + fileName; }
