// Fix ID3 over a selection of files with mixed tags: what mutagen reads afterwards, and the
// files that could not be fixed reported and left as they were.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "tests/support/fakeprogress.h"
#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "tests/zarn/tags/mutagenoracle.h"
#include "zarn/editing/fixid3run.h"
#include "zarn/shell/fileops.h"
#include "zarn/shell/options.h"

namespace {

const QByteArray kAudio = mp3::Audio(8);
const QByteArray kBigAudio = mp3::Audio(60);  // 25 kB, beyond the file size limit below
constexpr rlim_t kSizeLimit = 16 * 1024;

// Removes one file when the run reaches the file before it.
class DeletingProgress : public FakeProgress {
  public:
    void atFile(const ProgressStep& step) override {
        FakeProgress::atFile(step);
        if (step.number == deleteAt) QFile::remove(doomed);
    }
    int deleteAt = 0;
    QString doomed;
};

// Makes writes beyond kSizeLimit fail for as long as it lives.
class FileSizeLimit {
  public:
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = kSizeLimit;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_handler);
    }

  private:
    rlimit m_old{};
    sighandler_t m_handler = nullptr;
};

class FixID3RunTest : public ::testing::Test {
  protected:
    QString file(const char* name, const QByteArray& v2, const QByteArray& v1,
                 const QByteArray& audio = kAudio) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(mp3::WriteFile(path, v2 + audio + v1));
        return path;
    }
    static QByteArray V2(const QList<std::pair<const char*, const char*>>& frames) {
        QList<QByteArray> raw;
        for (const auto& [id, text] : frames) raw << mp3::V2TextFrame(id, text, false);
        return mp3::ID3v2Tag(raw, 32);
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Options options;
};

TEST_F(FixID3RunTest, EveryFileIsFixedAndWrittenOrReported) {
    const QByteArray txxx = mp3::V2Frame("TXXX", QByteArray("\0mood\0calm", 10), false);
    const QStringList paths = {
        file("01 - The Band - First.mp3", {}, mp3::ID3v1Tag({"first", "", "", "2001", ""})),
        file("02 - The Band - Second.mp3",
             mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "second", false),
                            mp3::V2TextFrame("TPE1", "the band", false),
                            mp3::V2TextFrame("TCON", "Rock", false), txxx},
                           32),
             {}),
        file("03 - Other - Third.mp3", {}, {}),
        file("04 - The Band - Fourth.mp3", V2({{"TIT2", "fourth"}, {"TPE1", "The Band"}}),
             mp3::ID3v1Tag({"FOURTH", "The Band", "", "", "  ", 9})),
        file("05 - Gone - Fifth.mp3", {}, {}),
        file("No Digits Here.mp3", V2({{"TRCK", "3/x"}}), mp3::ID3v1Tag({"Title", "", "", "", ""})),
        file("07 - Big - Seventh.mp3", {}, mp3::ID3v1Tag({"seventh", "", "", "", ""}), kBigAudio),
        // A track with its total is a number: nothing is dug out of the name.
        file("01 - Totals - Eighth.mp3", V2({{"TRCK", "02/10"}}),
             mp3::ID3v1Tag({"", "", "", "", ""})),
    };
    ASSERT_FALSE(SetFileAttributes(paths[3], kAttrReadOnly).failed());
    const QByteArray noDigits = mp3::ReadFile(paths[5]);
    const QByteArray big = mp3::ReadFile(paths[6]);
    DeletingProgress progress;
    progress.deleteAt = 4;
    progress.doomed = paths[4];
    options.bSetAttributes = true;  // saving's attribute setting: not for Fix ID3

    FixRun run;
    {
        const FileSizeLimit limit;
        run = FixSeveralFiles(paths, {false, true}, U("%track - %artist - %title.mp3"), options,
                              &progress);
    }
    EXPECT_EQ(run.written, 5);
    EXPECT_EQ(run.failed, 2);
    EXPECT_EQ(run.gone, QStringList{paths[4]});
    EXPECT_FALSE(run.stopped);
    EXPECT_EQ(progress.steps.size(), 8);

    struct Want {
        const char *v2, *v1;
    } want[] = {
        {R"({"TIT2":"First","TPE1":"The Band","TRCK":"01","TYER":"2001"})",
         R"({"TDRC":"2001","TIT2":"First","TPE1":"The Band","TRCK":"1"})"},
        // The genre the user did not change stays as the other program wrote it.
        {R"({"TCON":"Rock","TIT2":"Second","TPE1":"The Band","TRCK":"02"})", "{}"},
        {R"({"TIT2":"Third","TPE1":"Other","TRCK":"03"})", "{}"},
        {R"({"TIT2":"Fourth","TPE1":"The Band","TRCK":"04"})",
         R"({"TIT2":"Fourth","TPE1":"The Band","TRCK":"4"})"},
        {R"({"TIT2":"Eighth","TPE1":"Totals","TRCK":"02/10"})",
         R"({"TIT2":"Eighth","TPE1":"Totals","TRCK":"2"})"},
    };
    for (int i : {0, 1, 2, 3, 7}) {
        const QJsonObject read = oracle::Read(paths[i]);
        EXPECT_EQ(oracle::Compact(read[u"v2"_qs]), U(want[qMin(i, 4)].v2)) << i;
        EXPECT_EQ(oracle::Compact(read[u"v1"_qs]), U(want[qMin(i, 4)].v1)) << i;
        EXPECT_TRUE(mp3::ReadFile(paths[i]).contains(kAudio)) << i;
    }
    // Another program's frame stays; the read-only file is read-only again.
    EXPECT_TRUE(oracle::Dump(paths[1])[u"frames"_qs].toObject().contains(u"TXXX:mood"_qs));
    EXPECT_TRUE(IsReadOnly(paths[3]));
    EXPECT_FALSE(IsReadOnly(paths[0]));

    // The track that is no number and the write that failed: each named, the file unchanged.
    const QList<FileOutcome> failed = run.problems.mid(1);  // after the gone file
    ASSERT_EQ(failed.size(), 2);
    EXPECT_EQ(failed[0].path, paths[5]);
    EXPECT_TRUE(failed[0].error.description.contains(U("\"3/x\" is not a number")));
    EXPECT_EQ(failed[1].path, paths[6]);
    EXPECT_EQ(failed[1].error.path, paths[6]);
    EXPECT_TRUE(failed[1].error.failed());
    EXPECT_EQ(mp3::ReadFile(paths[5]), noDigits);
    EXPECT_EQ(mp3::ReadFile(paths[6]), big);
    SetFileAttributes(paths[3], 0);
}

TEST_F(FixID3RunTest, CancelEndsAfterTheCurrentFileAndNoVersionChosenAddsNoTag) {
    const QStringList paths = {
        file("01 - A - One.mp3", {}, {}),
        file("02 - A - Two.mp3", {}, mp3::ID3v1Tag({"two", "", "", "", ""})),
        file("03 - A - Three.mp3", {}, mp3::ID3v1Tag({"three", "", "", "", ""}))};
    const QByteArray untagged = mp3::ReadFile(paths[0]);
    const QByteArray third = mp3::ReadFile(paths[2]);
    FakeProgress progress;
    progress.stopAfter = 2;
    const FixRun run =
        FixSeveralFiles(paths, {}, U("%track - %artist - %title.mp3"), options, &progress);
    EXPECT_TRUE(run.stopped);
    EXPECT_EQ(run.written, 1);
    EXPECT_EQ(mp3::ReadFile(paths[0]), untagged);
    EXPECT_EQ(oracle::Compact(oracle::Read(paths[1])[u"v1"_qs]),
              U(R"({"TIT2":"Two","TPE1":"A","TRCK":"2"})"));
    EXPECT_FALSE(mp3::ReadFile(paths[1]).startsWith("ID3"));
    EXPECT_EQ(mp3::ReadFile(paths[2]), third);
    EXPECT_TRUE(run.problems.isEmpty());
}

}  // namespace
