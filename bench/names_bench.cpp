// Name engine speed: the preview of a big list (FixFileName per file, tags read from disk) and
// the pattern reader alone.
#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "zarn/names/fixfilename.h"
#include "zarn/names/patterns.h"
#include "zarn/shell/options.h"

namespace {

constexpr int kFiles = 10000;

// 10,000 files with both tags, written once per process.
const QStringList& TaggedFiles() {
    static QTemporaryDir dir;
    static QStringList paths;
    if (paths.isEmpty()) {
        const QByteArray audio = mp3::Audio(4);
        for (int i = 0; i < kFiles; ++i) {
            const QByteArray n = QByteArray::number(i);
            mp3::V1 v1;
            v1.title = "Song " + n;
            v1.artist = "Artist " + QByteArray::number(i % 97);
            v1.album = "Album";
            v1.track = i % 20 + 1;
            v1.genre = i % 148;
            const QByteArray v2 = mp3::ID3v2Tag(
                {mp3::V2TextFrame("TIT2", "Song " + n), mp3::V2TextFrame("TPE1", "artist_" + n),
                 mp3::V2TextFrame("TRCK", QByteArray::number(i % 9))},
                256);
            const QString path = dir.filePath(QStringLiteral("file %1.mp3").arg(i));
            mp3::WriteFile(path, v2 + audio + mp3::ID3v1Tag(v1));
            paths << path;
        }
    }
    return paths;
}

void BM_PreviewOfTenThousandFiles(benchmark::State& state) {
    const QStringList& paths = TaggedFiles();
    const Options options;
    const QString out = QStringLiteral("%track - %artist - %title.mp3");
    const QString in = QStringLiteral("%artist - %title.mp3");
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QString& path : paths) total += FixFileName(path, out, in, options).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * paths.size());
}
BENCHMARK(BM_PreviewOfTenThousandFiles)->Unit(benchmark::kMillisecond);

void BM_GetFieldFromName(benchmark::State& state) {
    const Options options;
    const QString path = QStringLiteral("/home/me/Music/Velt/Hits/07 - Velt - Harbour Lights.mp3");
    const QString pattern = QStringLiteral("%artist/%album/%track - %artist - %title.mp3");
    for (auto _ : state)
        benchmark::DoNotOptimize(GetFieldFromName(path, QStringLiteral("title"), pattern, options));
}
BENCHMARK(BM_GetFieldFromName);

}  // namespace

BENCHMARK_MAIN();
