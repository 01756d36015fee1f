// Reading both tags and the frame header of 10,000 files, as clicking through a large list does.
// The files are 4 MB each but sparse: a reader that touched the audio would read 40 GB of zeros,
// so the time shows that only the tag bytes and the first frame are read.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>

#include "bench/sparsecollection.h"
#include "zarn/tags/fileinfo.h"

namespace {

constexpr int kFiles = 10000;

const SparseCollection& Files() {
    static const SparseCollection collection(kFiles);
    return collection;
}

void BM_ReadFileInfo10000(benchmark::State& state) {
    const SparseCollection& files = Files();
    qint64 seconds = 0;
    for (auto _ : state) {
        for (const QString& path : files.paths) {
            const FileInfo info = ReadFileInfo(path, true);
            if (info.txtV2Title.isEmpty() || info.txtTitle.isEmpty()) state.SkipWithError("no tag");
            seconds += info.seconds;
        }
    }
    benchmark::DoNotOptimize(seconds);
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ReadFileInfo10000)->Unit(benchmark::kMillisecond);

// The frame search alone when 200 KB of junk precede the audio.
void BM_FrameSearchBehindJunk(benchmark::State& state) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("junk.mp3"));
    mp3::WriteFile(path, QByteArray(200 * 1024, '\x55') + mp3::Audio(4));
    for (auto _ : state) benchmark::DoNotOptimize(ReadFileInfo(path, false).headerOffset);
}
BENCHMARK(BM_FrameSearchBehindJunk)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
