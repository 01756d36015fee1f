// Tag reading over a large collection and tag saving that fits the old tag. The files are 4 MB
// each but sparse, so a reader or an in-place writer that touched the audio would show at once.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>

#include "bench/sparsecollection.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

void BM_ReadBothTags10000(benchmark::State& state) {
    static SparseCollection collection(10000);
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
    static SparseCollection collection(1000);
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
    if (QFile(collection.paths.front()).size() != kSparseFileSize) state.SkipWithError("file grew");
    state.SetItemsProcessed(state.iterations() * collection.paths.size());
}
BENCHMARK(BM_WriteTagsInPlace1000)->Unit(benchmark::kMillisecond);

// For comparison: removing the ID3v1 tag always rewrites, so every save copies the 4 MB file
// (through a temporary file).
void BM_WriteTagsRewrite20(benchmark::State& state) {
    static SparseCollection collection(20);
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
