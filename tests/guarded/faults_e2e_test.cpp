// The built program when the system refuses a step (a preloaded library makes one system call
// fail as a full disk, a quota or a failing disk would): the run says which file and the system's
// reason, exits 1, and leaves every file byte for byte as it was, with nothing half written.
#include "tests/guarded/guardedrun.h"

namespace {

class FaultTest : public GuardedRun {};

TEST_F(FaultTest, AFailingStepLeavesEveryFileAsItWasAndSaysWhy) {
    const QStringList rewrite = {U("--set"), U("title=") + QString(150, u'N'), U("music")};
    const QStringList inPlace = {U("--set"), U("title=New"), U("music")};
    const QStringList copy = {U("--sort"), U("sorted"), U("--copy"), U("music")};
    struct Case {
        const char* what;
        QStringList command;
        int padding, linkEvery;
        const char* fault;
        const char* reason;
    } cases[] = {
        {"rewrite, the flush fails", rewrite, 0, 0, "fdatasync:EIO", "Input/output error"},
        {"rewrite, close fails", rewrite, 0, 0, "close:EDQUOT", "Disk quota exceeded"},
        {"rewrite, the rename fails", rewrite, 0, 0, "rename:ENOSPC", "No space left on device"},
        {"in place, a write fails", inPlace, 400, 0, "pwrite:EIO", "Input/output error"},
        {"in place, close fails", inPlace, 400, 0, "close:EDQUOT", "Disk quota exceeded"},
        {"linked, a write fails", rewrite, 0, 1, "pwrite:ENOSPC", "No space left on device"},
        {"linked, the flush fails", rewrite, 0, 1, "fdatasync:EIO", "Input/output error"},
        {"copy, a write fails", copy, 64, 0, "pwrite:ENOSPC", "No space left on device"},
        {"copy, the flush fails", copy, 64, 0, "fdatasync:EDQUOT", "Disk quota exceeded"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        collection(U("music"), 2, c.padding, c.linkEvery);
        QDir().mkpath(inData(U("sorted")));
        const QMap<QString, QByteArray> before = Files(data());
        const Ran run = zarn(c.command, {U("LD_PRELOAD=") + kFaultLibrary,
                                         U("ZARN_FAULT=") + QString::fromLatin1(c.fault),
                                         U("ZARN_FAULT_PATH=") + data()});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(Files(data()), before);
        // A save goes on with the next file; a sort ends at the first failure.
        const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines[0].startsWith(U("zarn: music/")) && lines[0].contains(U(c.reason)))
            << lines[0].toStdString();
        for (const QString& line : lines.mid(1)) {
            EXPECT_TRUE(line.contains(U(c.reason)) || line.contains(U("the sort ended at")))
                << line.toStdString();
        }
        EXPECT_TRUE(QDir(state() + U("/zarn")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

}  // namespace
