// Saving an album typed into the several-files form for 10,000 selected files, against the
// floor of any in-place save: reading each file's tag bytes (ID3v2 header and body, the last 128
// bytes) and writing the same bytes back.
#include <benchmark/benchmark.h>

#include <QFile>

#include "bench/sparsecollection.h"
#include "zarn/editing/savetags.h"
#include "zarn/shell/options.h"

namespace {

constexpr int kFiles = 10000;

SparseCollection& Collection() {
    static SparseCollection collection(kFiles);
    return collection;
}

void BM_SaveAlbumForSelection10000(benchmark::State& state) {
    const QStringList& paths = Collection().paths;
    const Options options;
    int round = 0;
    for (auto _ : state) {
        PanelValues form;
        form.id3v1 = form.id3v2 = true;
        form.v1.album = form.v2.album =
            (round++ % 2) ? QStringLiteral("Album A") : QStringLiteral("Album B");
        const SaveRun run = SaveSeveralFiles(paths, SeveralFilesCleaned(form),
                                             SeveralFilesModes(form, {}), options, nullptr);
        if (run.written != kFiles) state.SkipWithError("a file was not written");
    }
    if (QFile(paths.front()).size() != kSparseFileSize) state.SkipWithError("file grew");
    state.SetItemsProcessed(state.iterations() * paths.size());
}
BENCHMARK(BM_SaveAlbumForSelection10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_InPlaceFloor10000(benchmark::State& state) {
    const QStringList& paths = Collection().paths;
    for (auto _ : state) {
        for (const QString& path : paths) {
            QFile file(path);
            if (!file.open(QIODevice::ReadWrite)) {
                state.SkipWithError("open failed");
                return;
            }
            const QByteArray header = file.read(10);
            const auto b = [&](int i) { return qint64(uchar(header[i])); };
            const QByteArray body = file.read(b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9));
            file.seek(file.size() - 128);
            const QByteArray v1 = file.read(128);
            file.seek(0);
            file.write(header + body);
            file.seek(file.size() - 128);
            file.write(v1);
        }
    }
    state.SetItemsProcessed(state.iterations() * paths.size());
}
BENCHMARK(BM_InPlaceFloor10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
