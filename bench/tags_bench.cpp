// Tag reading over a large collection and tag saving that fits the old tag. The files are 4 MB
// each but sparse, so a reader or an in-place writer that touched the audio would show at once.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>

#include "tests/support/mp3writer.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

constexpr qint64 kFileSize = 4 * 1024 * 1024;

void WriteSparseFile(const QString& path, int i) {
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
    file.seek(kFileSize - 128);
    file.write(mp3::ID3v1Tag(v1));
}

struct Collection {
    QTemporaryDir dir;
    QStringList paths;
    explicit Collection(int files) {
        for (int i = 0; i < files; ++i) {
            paths << dir.filePath(QStringLiteral("%1.mp3").arg(i));
            WriteSparseFile(paths.back(), i);
        }
    }
};

void BM_ReadBothTags10000(benchmark::State& state) {
    static Collection collection(10000);
    for (auto _ : state) {
        qsizetype chars = 0;
        for (const QString& path : collection.paths) {
            const ID3v1Record v1 = ReadID3v1(path);
            const ID3v2Record v2 = ReadID3v2(path);
            chars += v1.Title.size() + v2.Title.size() + v2.Hidden.size();
        }
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations() * collection.paths.size());
}
BENCHMARK(BM_ReadBothTags10000)->Unit(benchmark::kMillisecond);

// Alternating titles of the same length: every save fits the old tag and is done in place.
void BM_WriteTagsInPlace1000(benchmark::State& state) {
    static Collection collection(1000);
    ID3v1Record v1;
    v1.Title = TextField(QStringLiteral("Saved"), 30);
    ID3v2Record v2;
    v2.Tag = "ID3";
    v2.Artist = QStringLiteral("Artist");
    v2.Album = QStringLiteral("Album");
    int round = 0;
    for (auto _ : state) {
        v2.Title = (round++ % 2) ? QStringLiteral("Title A") : QStringLiteral("Title B");
        for (const QString& path : collection.paths) {
            if (!WriteTags(path, v1, v2, 1, 1)) {
                state.SkipWithError("WriteTags failed");
                return;
            }
        }
    }
    if (QFile(collection.paths.front()).size() != kFileSize) state.SkipWithError("file grew");
    state.SetItemsProcessed(state.iterations() * collection.paths.size());
}
BENCHMARK(BM_WriteTagsInPlace1000)->Unit(benchmark::kMillisecond);

// For comparison: removing the ID3v1 tag always rewrites, so every save copies the 4 MB file
// (through a temporary file).
void BM_WriteTagsRewrite20(benchmark::State& state) {
    static Collection collection(20);
    ID3v2Record v2;
    v2.Tag = "ID3";
    int round = 0;
    for (auto _ : state) {
        v2.Title = (round++ % 2) ? QStringLiteral("Title A") : QStringLiteral("Title B");
        for (const QString& path : collection.paths) WriteTags(path, {}, v2, -1, 1);
    }
    state.SetItemsProcessed(state.iterations() * collection.paths.size());
}
BENCHMARK(BM_WriteTagsRewrite20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
