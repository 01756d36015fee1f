// Per-keystroke cost of the search over big playlists, and the cost of loading one.
#include <benchmark/benchmark.h>

#include "orvik/finder.h"
#include "orvik/playlist.h"

using namespace orvik;
using namespace Qt::StringLiterals;

namespace {

// Names like "Artist 123 - Some Title 45678", as a tagger's renaming leaves them.
QStringList BigPlaylist(int entries) {
    QStringList lines{u"#EXTM3U"_s};
    lines.reserve(1 + 2 * entries);
    for (int i = 0; i < entries; ++i) {
        const QString artist = u"Artist %1"_s.arg(i % 1009);
        const QString title = u"Some Title %1"_s.arg(i);
        lines.append(u"#EXTINF:%1,%2 - %3"_s.arg(QString::number(120 + i % 300), artist, title));
        lines.append(u"/home/me/Music/%1/%1 - %2.mp3"_s.arg(artist, title));
    }
    return lines;
}

const Finder& LoadedFinder() {
    static Finder finder = [] {
        Finder loaded;
        loaded.load(ParsePlaylist(BigPlaylist(100000), u"/home/me/big.m3u"_s, PathStyle::Posix));
        return loaded;
    }();
    return finder;
}

void BM_SearchKeystroke(benchmark::State& state, QString text, SearchFields fields) {
    Finder finder = LoadedFinder();
    qsizetype found = 0;
    for (auto _ : state) {
        finder.search(text, true, fields);
        found = finder.rows().size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["entries"] = static_cast<double>(finder.table().size());
    state.counters["found"] = static_cast<double>(found);
}

BENCHMARK_CAPTURE(BM_SearchKeystroke, one_letter_name, u"s"_s, SearchFields{true, false, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, digits_name, u"4567"_s, SearchFields{true, false, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, no_match_all_fields, u"zzzz qqqq"_s,
                  SearchFields{true, true, true})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchKeystroke, empty_text, QString(), SearchFields{true, false, false})
    ->Unit(benchmark::kMillisecond);

void BM_LoadPlaylist(benchmark::State& state) {
    const QStringList lines = BigPlaylist(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Finder finder;
        finder.load(ParsePlaylist(lines, u"/home/me/big.m3u"_s, PathStyle::Posix));
        benchmark::DoNotOptimize(finder.rows().size());
    }
}
BENCHMARK(BM_LoadPlaylist)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
