#include "fuzz/fuzzfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

QString FuzzFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zarn-fuzz-XXXXXX"));
    // The journal of the writers goes to a scratch folder of its own, never the user's.
    static QTemporaryDir state(QDir::tempPath() + QStringLiteral("/zarn-fuzz-state-XXXXXX"));
    static const bool stateSet = qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    Q_UNUSED(stateSet);
    return dir.path();
}

QString FuzzStateFolder() {
    FuzzFolder();
    return QFile::decodeName(qgetenv("XDG_STATE_HOME"));
}

QString WriteFuzzFile(const uint8_t* data, size_t size) {
    return WriteFuzzFile(data, size, QStringLiteral("input.mp3"));
}

QString WriteFuzzFile(const uint8_t* data, size_t size, const QString& name) {
    const QString path = FuzzFolder() + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::abort();  // a fuzz run without its file would test nothing
    }
    return path;
}
