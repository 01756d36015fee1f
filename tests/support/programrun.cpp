#include "tests/support/programrun.h"

#include <QDir>
#include <QProcess>

QProcessEnvironment ProgramEnvironment(const QString& scratch, const QStringList& variables) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(scratch).filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("ZARN_HOME"), QDir(scratch).filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_STATE_HOME"), QDir(scratch).filePath(QStringLiteral("state")));
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(display));
    for (const QString& variable : variables)
        env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    return env;
}

ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QString& workingFolder, const QString& scratch,
                      const QStringList& screen) {
    QProcess process;
    process.setProcessEnvironment(ProgramEnvironment(scratch, screen));
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    constexpr int kSeconds = 20;
    if (!process.waitForFinished(kSeconds * 1000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("still running after %1 s").arg(kSeconds)};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
