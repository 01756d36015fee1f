// Saving the listed rows as a playlist when many entries share one name (untagged rips are all
// "Track01"): every row writes every entry of its name, so the save must not walk the group
// again for each row.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "orvik/finder.h"

using namespace orvik;
using namespace Qt::StringLiterals;

namespace {

Finder SharedNameFinder(int entries, int names) {
    QList<PlaylistEntry> loaded;
    loaded.reserve(entries);
    for (int i = 0; i < entries; ++i) {
        PlaylistEntry entry;
        entry.name = u"Track%1"_s.arg(i % names + 1, 2, 10, QChar(u'0'));
        entry.extension = u".mp3"_s;
        entry.folder = u"/home/me/Rips/Disc %1/"_s.arg(i);
        entry.description = u"Unknown - Track"_s;
        entry.length = 200;
        entry.kind = EntryKind::File;
        loaded.append(entry);
    }
    Finder finder;
    finder.load(loaded);
    return finder;
}

// Arguments: entries, distinct names. Every row is listed, as after an empty search.
void BM_SavePlaylist(benchmark::State& state) {
    const Finder finder =
        SharedNameFinder(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"saved.m3u"_s);
    for (auto _ : state) {
        const auto error = WritePlaylist(path, finder.playlistLines(PathStyle::Posix));
        if (error) state.SkipWithError(error->toStdString().c_str());
    }
    state.counters["entries"] = static_cast<double>(finder.table().size());
}
BENCHMARK(BM_SavePlaylist)->Args({100000, 1})->Args({100000, 20})->Unit(benchmark::kMillisecond);

// The lines alone, without the disk: the part that grew with the square of a shared name.
void BM_PlaylistLines(benchmark::State& state) {
    const Finder finder =
        SharedNameFinder(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(finder.playlistLines(PathStyle::Posix).size());
}
BENCHMARK(BM_PlaylistLines)->Args({100000, 1})->Args({100000, 20})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
