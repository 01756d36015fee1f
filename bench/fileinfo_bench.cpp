// Reading both tags and the frame header of 10,000 files, as clicking through a large list does.
// The files are 4 MB each but sparse: a reader that touched the audio would read 40 GB of zeros,
// so the time shows that only the tag bytes and the first frame are read.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>

#include "tests/support/mp3writer.h"
#include "zarn/tags/fileinfo.h"

namespace {

constexpr int kFiles = 10000;
constexpr qint64 kFileSize = 4 * 1024 * 1024;

QByteArray V2Tag(int i) {
    const QByteArray n = QByteArray::number(i);
    return mp3::ID3v2Tag(
        {mp3::V2TextFrame("TIT2", "Title " + n), mp3::V2TextFrame("TPE1", "Artist"),
         mp3::V2TextFrame("TALB", "Album"), mp3::V2TextFrame("TRCK", n),
         mp3::V2TextFrame("TCON", "(17)Rock"), mp3::V2Frame("APIC", QByteArray(600, '\x11'))},
        400);
}

// Tag, a few frames, a hole up to the ID3v1 tag at the end.
void WriteSparseFile(const QString& path, int i) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(V2Tag(i) + mp3::Audio(4));
    mp3::V1 v1;
    v1.title = "Title " + QByteArray::number(i);
    v1.track = i % 256;
    v1.genre = 17;
    file.seek(kFileSize - 128);
    file.write(mp3::ID3v1Tag(v1));
}

struct Collection {
    QTemporaryDir dir;
    QStringList paths;
    Collection() {
        for (int i = 0; i < kFiles; ++i) {
            paths << dir.filePath(QStringLiteral("%1.mp3").arg(i));
            WriteSparseFile(paths.back(), i);
        }
    }
};

const Collection& Files() {
    static const Collection collection;
    return collection;
}

void BM_ReadFileInfo10000(benchmark::State& state) {
    const Collection& files = Files();
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
