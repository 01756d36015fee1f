#include "fuzz/fuzzfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

QString WriteFuzzFile(const uint8_t* data, size_t size) {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zarn-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("input.mp3"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::abort();  // a fuzz run without its file would test nothing
    }
    return path;
}
