// Moving 10,000 tagged files into genre and artist folders with new names, against the floor of
// the same renames done by a bare rename(2) loop. Each run builds its files outside the timing.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "tests/support/mp3writer.h"
#include "zarn/names/fixfilename.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/prompter.h"
#include "zarn/sort/sortengine.h"
#include "zarn/sort/sortrows.h"

namespace {

constexpr int kFiles = 10000;

class SilentPrompter : public Prompter {
  public:
    void information(const QString&, const QString&) override {}
    void critical(const QString&, const QString&) override {}
    Answer question(const QString&, const QString&, bool) override { return Answer::No; }
    QString input(const QString&, const QString&) override { return {}; }
};

// Small tagged files: 40 artists in runs of a few files, ID3v2 and ID3v1 with a genre.
QStringList WriteCollection(const QString& folder) {
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray artist = "Artist " + QByteArray::number(i / 5 % 40);
        mp3::V1 v1;
        v1.artist = artist;
        v1.title = "Title " + n;
        v1.genre = 17 + i % 3;
        const QByteArray bytes =
            mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "Title " + n), mp3::V2TextFrame("TPE1", artist),
                           mp3::V2TextFrame("TRCK", QByteArray::number(i % 20 + 1))},
                          256) +
            mp3::Audio(3) + mp3::ID3v1Tag(v1);
        paths << folder + QStringLiteral("/%1.mp3").arg(i, 5, 10, QChar(u'0'));
        if (!mp3::WriteFile(paths.back(), bytes)) std::abort();
    }
    return paths;
}

void SortMove(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QStringList paths = WriteCollection(dir.filePath(QStringLiteral("src")));
        SortSettings s;
        s.method = kMethodMove;
        s.targetDir = dir.filePath(QStringLiteral("target"));
        QDir().mkpath(s.targetDir);
        s.fixNames = s.genre = s.subFolder = true;
        s.threshold = 2;
        s.inPattern = QStringLiteral("%artist - %title.mp3");
        s.outPattern = QStringLiteral("%track - %artist - %title.mp3");
        FileList list([&s](const QString& path) {
            return FixFileName(path, s.outPattern, s.inPattern, s.options);
        });
        for (const QString& path : paths) list.addPath(path);
        SilentPrompter prompter;
        state.ResumeTiming();

        list.rebuildPreview();
        FileListRows rows(list, true);
        const SortEnd end = SortEngine(s, prompter).SortAll(rows);

        state.PauseTiming();
        if (end != SortEnd::Complete || list.count() != 0) state.SkipWithError("files left");
        state.ResumeTiming();
    }
}

// The floor: each file renamed once into folders that already exist.
void RenameLoop(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QStringList paths = WriteCollection(dir.filePath(QStringLiteral("src")));
        std::vector<QByteArray> from, to;
        for (int i = 0; i < kFiles; ++i) {
            const QString folder = dir.filePath(
                QStringLiteral("target/Genre %1/Artist %2").arg(i % 3).arg(i / 5 % 40));
            QDir().mkpath(folder);
            from.push_back(QFile::encodeName(paths[i]));
            to.push_back(QFile::encodeName(folder + QStringLiteral("/%1 - Title.mp3").arg(i)));
        }
        state.ResumeTiming();
        for (int i = 0; i < kFiles; ++i)
            if (std::rename(from[i].constData(), to[i].constData()) != 0) std::abort();
    }
}

// Removing rows from the front of the list one by one, as a sort does: per row it must not
// grow with the list.
void RemoveRows(benchmark::State& state) {
    const int count = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        FileList list([](const QString&) { return QStringLiteral("new.mp3"); });
        for (int i = 0; i < count; ++i)
            list.addPath(QStringLiteral("/m/%1.mp3").arg(i, 6, 10, QChar(u'0')));
        list.rebuildPreview();
        state.ResumeTiming();
        FileListRows rows(list, true);
        while (rows.count() > 0) rows.remove(0);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

}  // namespace

BENCHMARK(SortMove)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(RenameLoop)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
