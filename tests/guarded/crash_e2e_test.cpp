// The built program killed in the middle of its work, as a crash or a kill -9 would end it: at
// every write, flush, rename and delete of a run in turn (through a preloaded library that kills
// it just before that call), and at random moments of long runs. After the next command, every
// file is as it was or as the run meant it to be, its audio is the audio the test wrote, every
// file is there exactly once, and no hidden file or journal is left. The states a file may be in
// are read from a run on an untouched copy; the audio from the bytes the test itself wrote.
#include <QRandomGenerator>

#include "tests/guarded/guardedrun.h"

namespace {

class CrashTest : public GuardedRun {};

// Killed just before each of the calls of a run that change the disk, one after the other.
TEST_F(CrashTest, KilledAtEveryStepOfASave) {
    struct Case {
        const char* what;
        int padding;  // 0: the new title does not fit, the files are rewritten
        const char* call;
    } cases[] = {
        {"in place", 400, "pwrite"}, {"rewritten", 0, "pwrite"},    {"rewritten", 0, "fdatasync"},
        {"rewritten", 0, "rename"},  {"rewritten", 0, "ftruncate"}, {"rewritten", 0, "unlink"},
    };
    const QStringList set = {U("--set"), U("title=") + QString(150, u'N'), U("music")};
    for (const Case& c : cases) {
        collection(U("music"), 4, c.padding);
        const QMap<QString, QByteArray> old = Files(data());
        const QMap<QString, QByteArray> now = finished(set);
        for (int n = 1;; ++n) {
            const std::string when =
                std::string(c.what) + " at " + c.call + " " + std::to_string(n);
            const Ran run =
                zarn(set, {U("LD_PRELOAD=") + kFaultLibrary,
                           U("ZARN_CRASH=%1:%2").arg(QString::fromLatin1(c.call)).arg(n),
                           U("ZARN_FAULT_PATH=") + data()});
            expectOldOrNew(old, now, when);
            if (run.status != -1 || n > 60) break;
            restore(old);
        }
    }
    // The sweeps met steps in the middle, and the next command said what it did about them.
    EXPECT_GT(recoveries, 20);
}

// A sort into a folder on another file system copies, flushes, renames and deletes: killed at
// each of those, every file is still there exactly once (or, copied, once more in the target).
TEST_F(CrashTest, KilledAtEveryStepOfASortAcrossFileSystems) {
    QTemporaryDir target(U("/dev/shm/zarn-crash-XXXXXX"));
    struct stat here {
    }, there{};
    if (!target.isValid() || ::stat("/dev/shm", &there) != 0 ||
        ::stat(QFile::encodeName(dir.path()).constData(), &here) != 0 ||
        here.st_dev == there.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    for (const char* method : {"--move", "--copy"}) {
        for (const char* call : {"pwrite", "fdatasync", "rename", "unlink"}) {
            for (int n = 1; n < 40; ++n) {
                collection(U("music"), 3, 64);
                QDir(target.path()).removeRecursively();
                QDir().mkpath(target.path());
                const Ran run = zarn(
                    {U("--sort"), target.path(), U(method), U("--if-exists=replace"), U("music")},
                    {U("LD_PRELOAD=") + kFaultLibrary, U("ZARN_CRASH=%1:%2").arg(U(call)).arg(n)});
                // The next command looks at the journal first; then the target's files count too.
                expectRecoveryLines(zarn({U("--list"), U("music")}),
                                    std::string(method) + " " + call);
                QDir().mkpath(inData(U("target")));
                for (const QString& name :
                     QDir(target.path()).entryList(QDir::Files | QDir::Hidden))
                    QFile::rename(target.path() + u'/' + name, inData(U("target/") + name));
                expectEachOnce(QByteArray(method) == "--copy",
                               std::string(method) + " at " + call + " " + std::to_string(n));
                if (run.status != -1) break;
            }
        }
    }
    EXPECT_GT(recoveries, 10);
}

// Killed at random moments of long runs: a save of files that do not fit (some with a second
// name), a move and a copy within one file system, and a rename by pattern.
TEST_F(CrashTest, KilledAtRandomMomentsOfLongRuns) {
    QRandomGenerator random(20261209);
    // A moment within the time a whole run takes on this machine.
    const auto during = [&random](qint64 whole) {
        return int(random.bounded(qMax<qint64>(2, whole)));
    };
    int killed = 0;
    const QStringList set = {U("--set"), U("title=") + QString(150, u'N'), U("music")};
    for (int trial = 0; trial < 4; ++trial) {
        collection(U("music"), 90, 0);
        const QMap<QString, QByteArray> old = Files(data());
        const QMap<QString, QByteArray> now = finished(set);
        killed += zarn(set, {}, during(lastRunMs)).status == -1;
        expectOldOrNew(old, now, "set, trial " + std::to_string(trial));
    }
    const QStringList sorts[] = {
        {U("--sort"), U("sorted"), U("--move"), U("--letter"), U("--fix-names"), U("music")},
        {U("--sort"), U("sorted"), U("--copy"), U("--artist-folders=0"), U("music")},
        {U("+rename=%track %title.mp3")},
    };
    for (int trial = 0; trial < 6; ++trial) {
        collection(U("music"), 90, 64);
        QStringList arguments = sorts[trial % 3];
        if (arguments[0].startsWith(u'+')) {
            for (const QString& name : QDir(inData(U("music"))).entryList(QDir::Files))
                arguments << U("music/") + name;
        }
        const qint64 whole = zarn(arguments).ms;
        QDir(inData(U("sorted"))).removeRecursively();
        collection(U("music"), 90, 64);
        killed += zarn(arguments, {}, during(whole)).status == -1;
        expectEachOnce(trial % 3 == 1, "sort, trial " + std::to_string(trial));
    }
    EXPECT_GE(killed, 5) << "the runs ended before the kill came";
}

}  // namespace
