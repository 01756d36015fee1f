#pragma once
// Helpers for the shell tests: temporary files of a given size.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include "tests/support/qtstrings.h"

inline QString MakeFile(const QString& path, qint64 size, char fill = 'x') {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(size, fill));
    return QDir::toNativeSeparators(path);
}
