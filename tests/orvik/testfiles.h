#pragma once
// Small helpers shared by Orvik's tests.
#include <QFile>
#include <QString>
#include <ostream>
#include <stdexcept>

#include "orvik/finder.h"

namespace orvik::testfiles {

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write test file");
    file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The texts of the result list's rows, top to bottom.
inline QStringList RowTexts(const Finder& finder) {
    QStringList texts;
    for (qsizetype row = 0; row < finder.rows().size(); ++row) texts.append(finder.rowText(row));
    return texts;
}

}  // namespace orvik::testfiles

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
