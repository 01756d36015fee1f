#include <QFileInfo>

#include "tests/zarn/sort/sorttest.h"
#include "zarn/sort/folderlevels.h"

namespace {

using Answer = Prompter::Answer;

TEST(TargetCheckTest, EmptyMissingDeclinedAndCreated) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("new"));
    struct Case {
        QString target;
        Answer answer;
        bool go;
        QString shown;
    } cases[] = {
        {QString(), Answer::Yes, false, U("Zarn|You must choose a target directory first!")},
        {missing, Answer::No, false,
         U("Zarn|The target directory \"") + missing +
             U("\" does not exist!\nWould you like to create it?")},
        {missing, Answer::Yes, true, {}},
        {dir.path(), Answer::No, true, {}},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        prompter.answer = c.answer;
        EXPECT_EQ(CheckTargetFolder(c.target, prompter), c.go) << c.target.toStdString();
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(prompter.shown, QStringList{c.shown});
        }
    }
    EXPECT_TRUE(QFileInfo(missing).isDir());
}

// Artist levels over the rows Velt A, B, C then Zed D (names by the input pattern).
TEST_F(SortTest, ArtistRunsAndThreshold) {
    struct Case {
        const char* what;
        int threshold;
        QString existingFolder;
        QStringList expected;
    } cases[] = {
        {"run of three reaches 3",
         3,
         {},
         {U("Velt/Velt - A.mp3"), U("Velt/Velt - B.mp3"), U("Velt/Velt - C.mp3"),
          U("Zed - D.mp3")}},
        {"run of three misses 4",
         4,
         {},
         {U("Velt - A.mp3"), U("Velt - B.mp3"), U("Velt - C.mp3"), U("Zed - D.mp3")}},
        {"0 gives every artist a folder",
         0,
         {},
         {U("Velt/Velt - A.mp3"), U("Velt/Velt - B.mp3"), U("Velt/Velt - C.mp3"),
          U("Zed/Zed - D.mp3")}},
        {"an existing folder takes a short run",
         9,
         U("Zed"),
         {U("Velt - A.mp3"), U("Velt - B.mp3"), U("Velt - C.mp3"), U("Zed/Zed - D.mp3")}},
        {"the lone last row with 1",
         1,
         {},
         {U("Velt/Velt - A.mp3"), U("Velt/Velt - B.mp3"), U("Velt/Velt - C.mp3"),
          U("Zed/Zed - D.mp3")}},
    };
    for (const Case& c : cases) {
        fresh();
        for (const char* name : {"Velt - A.mp3", "Velt - B.mp3", "Velt - C.mp3", "Zed - D.mp3"})
            addRow(src(U(name)), TaggedBytes(name));
        if (!c.existingFolder.isEmpty()) QDir().mkpath(dst(c.existingFolder));
        SortSettings s = settings();
        s.subFolder = true;
        s.threshold = c.threshold;
        EXPECT_EQ(sortAll(s), SortEnd::Complete) << c.what;
        EXPECT_EQ(FilesBelow(dst()), c.expected) << c.what;
        EXPECT_EQ(rows.count(), 0) << c.what;
    }
}

TEST_F(SortTest, LastRowWithoutArtistGoesToUnknown) {
    addRow(src(U("untitled.mp3")), TaggedBytes("x"));
    SortSettings s = settings();
    s.inPattern = U("%title.mp3");
    s.subFolder = true;
    s.threshold = 0;
    sortAll(s);
    EXPECT_EQ(FilesBelow(dst()), QStringList{U("Unknown/untitled.mp3")});
}

TEST_F(SortTest, GenreThenLetterThenArtist) {
    addRow(src(U("Velt - A.mp3")), TaggedBytes("a", "Velt", 17));
    SortSettings s = settings();
    s.genre = s.alphabetical = s.subFolder = true;
    sortAll(s);
    EXPECT_EQ(FilesBelow(dst()), QStringList{U("Rock/V/Velt/Velt - A.mp3")});
}

// Folder names come from tags: whatever they hold stays one level inside the target.
TEST_F(SortTest, FolderNamesFromTagsStayInsideTheTarget) {
    struct Case {
        QByteArray v1Artist;
        int genre;
        QString folders;
    } cases[] = {
        {"AC/DC", 62, U("Pop Funk/AC DC/")},
        {"..", 17, U("Rock/Unknown/")},
        {"a\tb/../..", 17, U("Rock/ab .. ../")},
        {"x\x01y", 17, U("Rock/xy/")},
    };
    QStringList expected;
    for (const Case& c : cases) {
        const QString name = QStringLiteral("song%1.mp3").arg(expected.size());
        addRow(src(name), TaggedBytes(name.toUtf8(), c.v1Artist, c.genre));
        expected << c.folders + name;
    }
    SortSettings s = settings();
    s.inPattern = U("%title.mp3");  // the names give no artist: the tags do
    s.genre = s.subFolder = true;
    sortAll(s);
    expected.sort();
    EXPECT_EQ(FilesBelow(dst()), expected);
    EXPECT_TRUE(FilesBelow(dir.path()).filter(U("src/")).isEmpty());
}

// Every policy and answer for each method, with a file already at the new name: what is on disk
// afterwards, whether the row left the list and whether the walk went on to the next row.
TEST_F(SortTest, CollisionPolicyForEachMethod) {
    struct Case {
        int method;
        CollisionPolicy policy;
        Answer answer;
        QByteArray atTarget;  // the bytes at the colliding name afterwards
        bool sourceLeft;
        bool rowLeft;
        SortEnd end;
    } cases[] = {
        {kMethodCopy, CollisionPolicy::Replace, Answer::No, "new", true, false, SortEnd::Complete},
        {kMethodCopy, CollisionPolicy::Prompt, Answer::Yes, "new", true, false, SortEnd::Complete},
        {kMethodCopy, CollisionPolicy::Prompt, Answer::No, "old", true, false, SortEnd::Complete},
        {kMethodCopy, CollisionPolicy::Prompt, Answer::Cancel, "old", true, false,
         SortEnd::Complete},
        {kMethodCopy, CollisionPolicy::Skip, Answer::Yes, "old", true, false, SortEnd::Complete},
        {kMethodMove, CollisionPolicy::Replace, Answer::No, "new", false, false, SortEnd::Complete},
        {kMethodMove, CollisionPolicy::Prompt, Answer::Yes, "new", false, false, SortEnd::Complete},
        {kMethodMove, CollisionPolicy::Prompt, Answer::Cancel, "old", true, false,
         SortEnd::Complete},
        {kMethodMove, CollisionPolicy::Skip, Answer::Yes, "old", true, false, SortEnd::Complete},
        {kMethodRename, CollisionPolicy::Replace, Answer::No, "new", false, false,
         SortEnd::Complete},
        {kMethodRename, CollisionPolicy::Prompt, Answer::Yes, "new", false, false,
         SortEnd::Complete},
        {kMethodRename, CollisionPolicy::Prompt, Answer::No, "old", true, false, SortEnd::Complete},
        {kMethodRename, CollisionPolicy::Prompt, Answer::Cancel, "old", true, true,
         SortEnd::Cancelled},
        {kMethodRename, CollisionPolicy::Skip, Answer::Yes, "old", true, false, SortEnd::Complete},
    };
    for (const Case& c : cases) {
        const std::string what = std::to_string(c.method) + "/" + std::to_string(int(c.policy)) +
                                 "/" + std::to_string(int(c.answer));
        fresh();
        const bool rename = c.method == kMethodRename;
        const QString taken = rename ? src(U("taken.mp3")) : dst(U("a.mp3"));
        write(taken, "old");
        addRow(src(U("a.mp3")), "new", rename ? U("taken.mp3") : QString());
        addRow(src(U("b.mp3")), "next");
        SortSettings s = settings(c.method);
        s.policy = c.policy;
        prompter.answer = c.answer;
        EXPECT_EQ(sortAll(s), c.end) << what;
        EXPECT_EQ(mp3::ReadFile(taken), c.atTarget) << what;
        EXPECT_EQ(QFile::exists(src(U("a.mp3"))), c.sourceLeft) << what;
        EXPECT_EQ(rows.paths.contains(src(U("a.mp3"))), c.rowLeft) << what;
        // The walk goes on after the collision unless a rename was cancelled.
        EXPECT_EQ(rows.paths.contains(src(U("b.mp3"))), c.end == SortEnd::Cancelled) << what;
        const QStringList asked =
            c.policy == CollisionPolicy::Prompt
                ? QStringList{U("Zarn|The file \"") + taken +
                              U("\" already exists!\nDo you want to replace it?")}
                : QStringList{};
        EXPECT_EQ(prompter.questions, asked) << what;
        EXPECT_TRUE(prompter.criticals.isEmpty()) << what;
        // The end of the run counts the file in the way as sorted or skipped; b.mp3 keeps its
        // name in a rename, which leaves it as it is.
        const bool replaced = c.atTarget == "new";
        const bool ended = c.end == SortEnd::Cancelled;
        const int next = ended ? 0 : 1;
        EXPECT_EQ(counts.done, (replaced ? 1 : 0) + (rename ? 0 : next)) << what;
        EXPECT_EQ(counts.unchanged, rename ? next : 0) << what;
        EXPECT_EQ(counts.skipped, replaced || ended ? 0 : 1) << what;
        EXPECT_EQ(counts.failed, 0) << what;
    }
}

TEST(SortCountsText, SaysWhatEachFileCameTo) {
    EXPECT_EQ(SortCountsText({19, 0, 1, 0}, kMethodCopy), U("Done: 19 files copied, 1 skipped."));
    EXPECT_EQ(SortCountsText({1, 2, 0, 3}, kMethodMove),
              U("Done: 1 file moved, 2 already in place, 3 failed."));
    EXPECT_EQ(SortCountsText({}, kMethodRename), U("Done: 0 files renamed."));
}

// Letter case is not identity: "a.mp3" and "A.mp3" can be two files.
TEST_F(SortTest, CaseOnlyRenameRenamesAndSparesAnotherFile) {
    addRow(src(U("velt - a.mp3")), "one", U("Velt - A.mp3"));
    EXPECT_EQ(sortAll(settings(kMethodRename)), SortEnd::Complete);
    EXPECT_EQ(FilesBelow(src(QString())), QStringList{U("Velt - A.mp3")});

    fresh();
    write(src(U("B.mp3")), "other");
    addRow(src(U("b.mp3")), "mine", U("B.mp3"));
    SortSettings s = settings(kMethodRename);
    s.policy = CollisionPolicy::Skip;
    sortAll(s);
    EXPECT_EQ(mp3::ReadFile(src(U("B.mp3"))), "other");
    EXPECT_EQ(mp3::ReadFile(src(U("b.mp3"))), "mine");
}

TEST_F(SortTest, StopEndsAfterTheCurrentFileAlsoInsideAnArtistRun) {
    for (bool run : {false, true}) {
        fresh();
        for (const char* name : {"Velt - 1.mp3", "Velt - 2.mp3", "Velt - 3.mp3", "Velt - 4.mp3"})
            addRow(src(U(name)), name);
        SortSettings s = settings();
        s.subFolder = run;
        s.threshold = 2;
        progress.stopAfter = 2;
        EXPECT_EQ(sortAll(s), SortEnd::Stopped);
        EXPECT_EQ(rows.paths, (QStringList{src(U("Velt - 3.mp3")), src(U("Velt - 4.mp3"))}));
        EXPECT_EQ(FilesBelow(dst()).size(), 2);
        EXPECT_EQ(FilesBelow(src(QString())).size(), 2);
    }
}

// n of total counts the rows the run removed: a missing file does not advance it.
TEST_F(SortTest, FileNumberSkipsMissingFiles) {
    write(dst(U("a.mp3")), "taken");
    addRow(src(U("a.mp3")), "a");
    rows.paths << src(U("gone.mp3"));
    rows.names << QString();
    addRow(src(U("b.mp3")), "b");
    SortSettings s = settings();
    s.policy = CollisionPolicy::Skip;
    EXPECT_EQ(sortAll(s), SortEnd::Complete);
    ASSERT_EQ(progress.steps.size(), 2);
    EXPECT_EQ(progress.steps[0].number, 1);
    EXPECT_EQ(progress.steps[1].number, 2);
    EXPECT_EQ(progress.steps[1].total, 3);
    EXPECT_EQ(progress.steps[1].source, src(U("b.mp3")));
    EXPECT_EQ(progress.steps[1].target, dst(U("b.mp3")));
    EXPECT_EQ(rows.paths, QStringList{src(U("gone.mp3"))});
}

// A step the file system refuses is reported, ends the sort and leaves that file and its row.
TEST_F(SortTest, FailedMoveIsReportedAndLosesNothing) {
    QDir().mkpath(dst(U("a.mp3")));  // a folder holds the name
    addRow(src(U("a.mp3")), "a");
    addRow(src(U("b.mp3")), "b");
    SortSettings s = settings();
    s.policy = CollisionPolicy::Replace;
    EXPECT_EQ(sortAll(s), SortEnd::Failed);
    EXPECT_TRUE(failure.startsWith(U("Error: "))) << failure.toStdString();
    EXPECT_TRUE(failure.endsWith(dst(U("a.mp3")))) << failure.toStdString();
    EXPECT_EQ(mp3::ReadFile(src(U("a.mp3"))), "a");
    EXPECT_EQ(rows.count(), 2);
}

TEST_F(SortTest, AttributeValueIsSetBeforeTheFileMoves) {
    addRow(src(U("a.mp3")), "a");
    SortSettings s = settings(kMethodCopy);
    s.options.bSetAttributes = s.options.bReadOnly = true;
    sortAll(s);
    for (const QString& path : {src(U("a.mp3")), dst(U("a.mp3"))})
        EXPECT_FALSE(QFileInfo(path).permissions() &
                     (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther))
            << path.toStdString();
}

// "Sort Selected": a name without " - " goes into the destination itself; a typed name never
// leaves the file's folder.
TEST_F(SortTest, SortSelectedPieces) {
    addRow(src(U("lonely.mp3")), "l");
    SortSettings s = settings();
    s.subFolder = true;
    s.threshold = 2;
    QDir().mkpath(dst());
    SortEngine engine(s, prompter);
    EXPECT_EQ(engine.SortRow(rows, 0, U("lonely.mp3")), RowOutcome::Removed);
    EXPECT_EQ(FilesBelow(dst()), QStringList{U("lonely.mp3")});

    addRow(src(U("x.mp3")), "x");
    EXPECT_EQ(engine.RenameRow(rows, 0, U("AC/DC - x.mp3")), RowOutcome::Removed);
    EXPECT_EQ(FilesBelow(src(QString())), QStringList{U("AC DC - x.mp3")});
}

// "Sort Selected" and "Sort All Now!" put a file into the same folders: the artist of the
// name under the output pattern (not the text before the first " - ", which is the track
// number here), and the genre of the ID3v2 tag when there is no ID3v1 genre.
TEST_F(SortTest, SortSelectedFindsTheFoldersSortAllFinds) {
    const QByteArray v2Rock = mp3::ID3v2Tag({mp3::V2TextFrame("TCON", "(17)Rock", false)}, 16);
    const QByteArray v2Two = mp3::ID3v2Tag(
        {mp3::V2TextFrame("TCON", "Jazz", false), mp3::V2TextFrame("TPE1", "Mira", false)});
    const struct {
        const char* what;
        QByteArray bytes;
        bool genre;
        const char* expected;
    } cases[] = {
        {"artist level", TaggedBytes("a"), false, "Velt/01 - Velt - Golden Hour.mp3"},
        {"ID3v2 genre only", v2Rock + TaggedBytes("b"), true,
         "Rock/Velt/01 - Velt - Golden Hour.mp3"},
        {"ID3v1 genre wins", v2Two + TaggedBytes("c", "Velt", 32), true,
         "Classical/Velt/01 - Velt - Golden Hour.mp3"},
        {"no genre anywhere", TaggedBytes("d"), true, "Unknown/Velt/01 - Velt - Golden Hour.mp3"},
    };
    for (const auto& c : cases) {
        for (const bool selected : {false, true}) {
            fresh();
            addRow(src(U("x.mp3")), c.bytes, U("01 - Velt - Golden Hour.mp3"));
            SortSettings s = settings();
            s.outPattern = U("%track - %artist - %title.mp3");
            s.fixNames = true;
            s.subFolder = true;
            s.threshold = 0;
            s.genre = c.genre;
            if (selected) {
                QDir().mkpath(dst());
                SortEngine engine(s, prompter);
                EXPECT_EQ(engine.SortRow(rows, 0, rows.names[0]), RowOutcome::Removed);
            } else {
                EXPECT_EQ(sortAll(s), SortEnd::Complete);
            }
            EXPECT_EQ(FilesBelow(dst()), QStringList{U(c.expected)})
                << c.what << (selected ? " (Sort Selected)" : " (Sort All)");
        }
    }
}

}  // namespace
