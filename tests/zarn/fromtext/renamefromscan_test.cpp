// Renaming and tagging an album from the scan, over generated files, read back with mutagen.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/fakeprogress.h"
#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/fromtext/renamefromscan.h"
#include "zarn/shell/options.h"

namespace {

using Answer = Prompter::Answer;

// mutagen's reading of a file: {"v2": {"TIT2": ...}, "v1": {...}}.
QJsonObject ReadWithMutagen(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(ZARN_MUTAGEN_ORACLE), QStringLiteral("read"), path});
    EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0)
        << process.readAllStandardError().constData();
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

class RenameFromScanTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_settings.outPattern = U("%track - %artist - %title.mp3");
        m_settings.saveID3v1 = m_settings.saveID3v2 = true;
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // An MP3 with a title, a frame another program wrote (a private frame) and an ID3v1 tag.
    QString makeFile(const QString& name, const QByteArray& title) {
        const QByteArray bytes =
            mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", title),
                           mp3::V2Frame("PRIV", QByteArray("owner\0data", 10))},
                          64) +
            mp3::Audio(4) + mp3::ID3v1Tag({title, "Someone", "Old Album", "1990", {}, -1, 8});
        EXPECT_TRUE(mp3::WriteFile(path(name), bytes));
        return path(name);
    }

    RenameEnd run(const QList<RenameRow>& rows) {
        const RenameRun done = RenameAndTag(rows, m_settings, m_options, m_prompter, m_progress);
        renamed = done.renamed;
        return done.end;
    }

    QTemporaryDir m_dir;
    RenameSettings m_settings;
    Options m_options;
    ScriptedPrompter m_prompter;
    FakeProgress m_progress;
    QList<std::pair<QString, QString>> renamed;  // what the last run reported renamed
};

TEST_F(RenameFromScanTest, RenamesAndTagsEachPairOfTheShorterList) {
    const QStringList olds = {makeFile(U("a.mp3"), "a"), makeFile(U("b.mp3"), "b"),
                              makeFile(U("c.mp3"), "c")};
    const QStringList news = {U("01 - Velt - Golden Hour.mp3"), U("02 - Velt - Ström.mp3")};
    m_prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(ConfirmRowCounts(3, 2, m_prompter));
    ASSERT_TRUE(ConfirmRowCounts(3, 2, m_prompter));
    EXPECT_EQ(m_prompter.questions.last(),
              U("Pelmora|There are fewer new filnames then old.\nDo you want to continue any "
                "way?"));
    m_settings.boxes.album = U("Harbour Lights");
    m_settings.boxes.album4All = true;
    m_settings.boxes.releaseDate = U("12 March 2004");
    m_settings.boxes.release4All = true;

    EXPECT_EQ(run(PairRows(olds, news)), RenameEnd::Done);
    EXPECT_EQ(renamed, (QList<std::pair<QString, QString>>{{olds[0], path(news[0])},
                                                           {olds[1], path(news[1])}}));
    EXPECT_EQ(
        QDir(m_dir.path()).entryList(QDir::Files),
        QStringList({U("01 - Velt - Golden Hour.mp3"), U("02 - Velt - Ström.mp3"), U("c.mp3")}));
    EXPECT_EQ(m_progress.steps.size(), 2);
    const QJsonObject read = ReadWithMutagen(path(news[1]));
    const QJsonObject v2 = read[U("v2")].toObject();
    const QJsonObject v1 = read[U("v1")].toObject();
    EXPECT_EQ(v2[U("TIT2")].toString(), U("Ström"));
    EXPECT_EQ(v2[U("TPE1")].toString(), U("Velt"));
    EXPECT_EQ(v2[U("TALB")].toString(), U("Harbour Lights"));
    EXPECT_EQ(v2[U("TRCK")].toString(), U("02"));
    EXPECT_EQ(v2[U("COMM")].toString(), U("12 March 2004"));
    EXPECT_EQ(v1[U("TIT2")].toString(), U("Ström"));
    EXPECT_EQ(v1[U("TALB")].toString(), U("Harbour Lights"));
    EXPECT_EQ(v1[U("COMM")].toString(), U("12 March 2004"));
    EXPECT_EQ(v1[U("TRCK")].toString(), U("2"));
    EXPECT_EQ(v1[U("TDRC")].toString(), U("1990"));  // the pattern has no year: kept
    EXPECT_EQ(v1[U("TCON")].toString(), U("8"));     // nor a genre
    // The frame another program wrote survives.
    EXPECT_TRUE(mp3::ReadFile(path(news[1])).contains(QByteArray("owner\0data", 10)));
}

TEST(OldEntriesOfSelection, SelectedRowsOrAllWhenAtMostOne) {
    const QStringList rows = {U("a"), U("b"), U("c"), U("d"), U("e")};
    EXPECT_EQ(OldEntriesOfSelection(rows, {1}), rows);
    EXPECT_EQ(OldEntriesOfSelection(rows, {}), rows);
    EXPECT_EQ(OldEntriesOfSelection(rows, {0, 2, 4}), QStringList({U("a"), U("c"), U("e")}));
}

TEST_F(RenameFromScanTest, ChangeOfCaseOnlyRenamesWithoutAsking) {
    const QString old = makeFile(U("01 - velt - song.mp3"), "x");
    m_prompter.answer = Answer::Cancel;
    EXPECT_EQ(run({{old, U("01 - Velt - Song.mp3")}}), RenameEnd::Done);
    EXPECT_TRUE(m_prompter.shown.isEmpty());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({U("01 - Velt - Song.mp3")}));
    EXPECT_EQ(ReadWithMutagen(path(U("01 - Velt - Song.mp3")))[U("v2")][U("TPE1")].toString(),
              U("Velt"));
}

// What happens to the row's file and to the file that already has the new name.
struct CollisionCase {
    const char* what;
    CollisionPolicy policy;
    Answer answer;
    RenameEnd end;
    bool renamed;  // the old file now has the new name (and replaced the other file)
};

class CollisionTest : public RenameFromScanTest,
                      public testing::WithParamInterface<CollisionCase> {};

TEST_P(CollisionTest, NeverTagsOrLosesAnotherFile) {
    const CollisionCase& c = GetParam();
    const QString old = makeFile(U("old.mp3"), "old");
    const QString taken = makeFile(U("01 - Velt - Song.mp3"), "taken");
    const QByteArray oldBytes = mp3::ReadFile(old);
    const QByteArray takenBytes = mp3::ReadFile(taken);
    const QString later = makeFile(U("later.mp3"), "later");
    m_settings.policy = c.policy;
    m_prompter.answer = c.answer;
    EXPECT_EQ(run({{old, U("01 - Velt - Song.mp3")}, {later, U("02 - Velt - Later.mp3")}}), c.end)
        << c.what;
    if (c.renamed) {
        EXPECT_FALSE(QFile::exists(old)) << c.what;
        EXPECT_EQ(ReadWithMutagen(taken)[U("v2")][U("TIT2")].toString(), U("Song")) << c.what;
    } else {
        EXPECT_EQ(mp3::ReadFile(old), oldBytes) << c.what;
        EXPECT_EQ(mp3::ReadFile(taken), takenBytes) << c.what;
    }
    // Cancel ends the run before the next row.
    EXPECT_EQ(QFile::exists(later), c.end == RenameEnd::Cancelled) << c.what;
    // Only a file that now has the new name is reported renamed.
    EXPECT_EQ(!renamed.isEmpty() && renamed[0] == std::pair(old, taken), c.renamed) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Policies, CollisionTest,
    testing::Values(
        CollisionCase{"skip", CollisionPolicy::Skip, Answer::Yes, RenameEnd::Done, false},
        CollisionCase{"replace", CollisionPolicy::Replace, Answer::No, RenameEnd::Done, true},
        CollisionCase{"prompt yes", CollisionPolicy::Prompt, Answer::Yes, RenameEnd::Done, true},
        CollisionCase{"prompt no", CollisionPolicy::Prompt, Answer::No, RenameEnd::Done, false},
        CollisionCase{"prompt cancel", CollisionPolicy::Prompt, Answer::Cancel,
                      RenameEnd::Cancelled, false}));

TEST_F(RenameFromScanTest, MissingOldFileLeavesTheFileWithItsNewNameAlone) {
    const QString taken = makeFile(U("01 - Velt - Song.mp3"), "taken");
    const QByteArray before = mp3::ReadFile(taken);
    for (CollisionPolicy policy : {CollisionPolicy::Replace, CollisionPolicy::Prompt}) {
        m_settings.policy = policy;
        EXPECT_EQ(run({{path(U("gone.mp3")), U("01 - Velt - Song.mp3")}}), RenameEnd::Done);
        EXPECT_EQ(mp3::ReadFile(taken), before);
    }
    EXPECT_TRUE(m_prompter.shown.isEmpty());
}

TEST_F(RenameFromScanTest, NameEditedIntoAnotherFolderIsRefused) {
    QDir(m_dir.path()).mkdir(U("sub"));
    const QString old = makeFile(U("sub/a.mp3"), "a");
    EXPECT_EQ(run({{old, U("../01 - A - One.mp3")}}), RenameEnd::Failed);
    EXPECT_TRUE(QFile::exists(old));
    EXPECT_EQ(m_prompter.criticals,
              QStringList({U("Error: 52\nBad file name: ../01 - A - One.mp3")}));
}

TEST_F(RenameFromScanTest, StopsAfterTheCurrentFileWhenAsked) {
    const QString first = makeFile(U("a.mp3"), "a");
    const QString second = makeFile(U("b.mp3"), "b");
    m_progress.stopAfter = 1;
    EXPECT_EQ(run({{first, U("01 - A - One.mp3")}, {second, U("02 - B - Two.mp3")}}),
              RenameEnd::Stopped);
    EXPECT_TRUE(QFile::exists(path(U("01 - A - One.mp3"))));
    EXPECT_TRUE(QFile::exists(second));
}

}  // namespace
