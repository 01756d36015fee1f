// The file list with big collections: adding rows one by one in random order, scanning a
// folder of 10,000 files into the list, and the count label over 10,000 rows.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>

#include "zarn/shell/filelist.h"
#include "zarn/shell/folderscan.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/listsize.h"

namespace {

QStringList RandomPaths(int count) {
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i)
        paths.append(QStringLiteral("/music/Artist %1/%2 - Song %3.mp3")
                         .arg(i % 700)
                         .arg(i % 1000, 4, 10, QLatin1Char('0'))
                         .arg(i));
    std::shuffle(paths.begin(), paths.end(), *QRandomGenerator::global());
    return paths;
}

FileList::NameBuilder KeepName() {
    return [](const QString& path) { return NameFromEntry(path); };
}

void BM_AddRandomOrder(benchmark::State& state) {
    const QStringList paths = RandomPaths(int(state.range(0)));
    for (auto _ : state) {
        FileList list(KeepName());
        for (const QString& path : paths) list.addPath(path);
        benchmark::DoNotOptimize(list.count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddRandomOrder)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same adds with a preview that holds rows: each add inserts its preview row as well.
void BM_AddWithPreview(benchmark::State& state) {
    const QStringList paths = RandomPaths(int(state.range(0)));
    for (auto _ : state) {
        FileList list(KeepName());
        list.addPath(QStringLiteral("/music/first.mp3"));
        list.rebuildPreview();
        for (const QString& path : paths) list.addPath(path);
        benchmark::DoNotOptimize(list.preview().rowCount());
    }
}
BENCHMARK(BM_AddWithPreview)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RemoveEveryOtherRow(benchmark::State& state) {
    const QStringList paths = RandomPaths(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        FileList list(KeepName());
        for (const QString& path : paths) list.addPath(path);
        QList<int> rows;
        for (int row = 0; row < list.count(); row += 2) rows.append(row);
        state.ResumeTiming();
        list.removeRows(rows);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_RemoveEveryOtherRow)->Arg(100000)->Unit(benchmark::kMillisecond);

class Folder10k {
  public:
    Folder10k() {
        // 100 folders of 100 files, two levels deep, as a collection is usually laid out.
        for (int a = 0; a < 10; ++a)
            for (int b = 0; b < 10; ++b) {
                const QString folder = dir.path() + QStringLiteral("/A%1/B%2/").arg(a).arg(b);
                QDir().mkpath(folder);
                for (int f = 0; f < 100; ++f) {
                    QFile file(folder + QStringLiteral("%1 - Song.mp3").arg(f));
                    if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(f * 10, 'x'));
                }
            }
    }
    QString root() const { return dir.path() + u'/'; }
    QTemporaryDir dir;
};

Folder10k& Collection() {
    static Folder10k folder;
    return folder;
}

void BM_ScanOnly(benchmark::State& state) {
    const QString root = Collection().root();  // made once, outside the timing
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanFolder(root, QStringLiteral("*.mp3")).files.size());
}
BENCHMARK(BM_ScanOnly)->Unit(benchmark::kMillisecond);

void BM_ScanIntoList(benchmark::State& state) {
    const QString root = Collection().root();
    for (auto _ : state) {
        FileList list(KeepName());
        for (const QString& path : ScanFolder(root, QStringLiteral("*.mp3")).files)
            list.addPath(path);
        if (list.count() != 10000) state.SkipWithError("the scan lost files");
    }
}
BENCHMARK(BM_ScanIntoList)->Unit(benchmark::kMillisecond);

void BM_CountLabel10k(benchmark::State& state) {
    FileList list(KeepName());
    for (const QString& path : ScanFolder(Collection().root(), QStringLiteral("*.mp3")).files)
        list.addPath(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountLabelText(list.count(), ListSizeMb(list.files().texts())));
}
BENCHMARK(BM_CountLabel10k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
