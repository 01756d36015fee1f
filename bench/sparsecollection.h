#pragma once
// A large collection of tagged files for the tag benchmarks: each file is 4 MB but sparse (an
// ID3v2 tag with a picture, a few MPEG frames, a hole, an ID3v1 tag at the end), so a reader or an
// in-place writer that touched the audio would show at once.
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>

#include "tests/support/mp3writer.h"

constexpr qint64 kSparseFileSize = 4 * 1024 * 1024;

inline void WriteSparseTaggedFile(const QString& path, int i) {
    const QByteArray n = QByteArray::number(i);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "Title " + n),
                              mp3::V2TextFrame("TPE1", "Artist"), mp3::V2TextFrame("TALB", "Album"),
                              mp3::V2TextFrame("TRCK", n), mp3::V2TextFrame("TCON", "(17)Rock"),
                              mp3::V2Frame("APIC", QByteArray(600, '\x11'))},
                             400) +
               mp3::Audio(4));
    mp3::V1 v1;
    v1.title = "Title " + n;
    v1.track = i % 256;
    v1.genre = 17;
    file.seek(kSparseFileSize - 128);
    file.write(mp3::ID3v1Tag(v1));
}

struct SparseCollection {
    QTemporaryDir dir;
    QStringList paths;
    explicit SparseCollection(int files) {
        for (int i = 0; i < files; ++i) {
            paths << dir.filePath(QStringLiteral("%1.mp3").arg(i));
            WriteSparseTaggedFile(paths.back(), i);
        }
    }
};
