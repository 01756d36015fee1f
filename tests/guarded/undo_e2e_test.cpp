// Undo through the built program: an operation, then `zarn --undo`, and every file is byte for
// byte what it was, at its old path, with nothing left that the operation made. A file another
// program changed after the operation is left alone and named; a kill in the middle of an undo
// leaves every file old or new, and the next command finishes the undo.
#include "tests/guarded/guardedrun.h"

namespace {

QStringList FoldersBelow(const QString& folder) {
    QStringList folders;
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) folders << QDir(folder).relativeFilePath(it.next());
    folders.sort();
    return folders;
}

class UndoTest : public GuardedRun {
  protected:
    ProgramRun history() {
        return RunProgram(U(ZARN_EXECUTABLE), {U("--history")}, data(), dir.path(), {});
    }

    // Where a sort would put the first file, as its dry run says.
    QString firstDestination(const QStringList& sort) {
        const ProgramRun plan =
            RunProgram(U(ZARN_EXECUTABLE), sort + QStringList{U("--dry-run"), U("music")}, data(),
                       dir.path(), {});
        return plan.out.section(u'\n', 0, 0).section(u'\t', 1, 1);
    }

    // The renamer takes files, not folders.
    QStringList musicFiles() const {
        QStringList files;
        for (const QString& name : QDir(inData(U("music"))).entryList(QDir::Files))
            files << U("music/") + name;
        return files;
    }

    QStringList undoFolders() const {
        return QDir(state() + U("/zarn/history")).entryList({U("undoing-*")}, QDir::Dirs);
    }
};

// Each operation undone: the files exactly as before, the target without anything it made.
TEST_F(UndoTest, EveryOperationIsTakenBackByteForByte) {
    const QStringList sortMove = {U("--sort"),
                                  U("target"),
                                  U("--move"),
                                  U("--genre"),
                                  U("--artist-folders=0"),
                                  U("--if-exists=replace")};
    const QStringList sortCopy = {U("--sort"), U("target"), U("--copy"), U("--genre")};
    struct Case {
        const char* what;
        int padding;  // 0: a longer tag does not fit, the files are rewritten
        QStringList operation;
        bool replace = false;  // a file waits at the first file's destination
    } cases[] = {
        {"--set in place, ID3v1 appended", 400, {U("--set"), U("album=Undone"), U("music")}},
        {"--set rewritten", 0, {U("--set"), U("title=") + QString(150, u'N'), U("music")}},
        {"--set ID3v2 only", 400, {U("--set"), U("--v2"), U("artist=Other"), U("music")}},
        {"--fix", 64, {U("--fix"), U("--v1"), U("music")}},
        {"+rename=", 64, {U("+rename=%title (renamed).mp3")}},
        {"--sort --move with a replace", 64, sortMove + QStringList{U("music")}, true},
        {"--sort --copy", 64, sortCopy + QStringList{U("music")}},
    };
    for (const Case& c : cases) {
        collection(U("music"), 5, c.padding, 2);
        QDir().mkpath(inData(U("target")));
        // Tags that give the sort a genre and artist folders (an operation of its own).
        ASSERT_EQ(zarn({U("--set"), U("genre=Rock"), U("artist=Velt"), U("music")}).status, 0);
        if (c.replace) {
            const QString destination =
                firstDestination(c.operation.mid(0, c.operation.size() - 1));
            ASSERT_FALSE(destination.isEmpty()) << c.what;
            QDir().mkpath(QFileInfo(QDir(data()).filePath(destination)).path());
            ASSERT_TRUE(mp3::WriteFile(QDir(data()).filePath(destination), "there before"));
        }
        const QMap<QString, QByteArray> before = Files(data());
        const QStringList folders = FoldersBelow(data());
        const bool renamer = c.operation[0].startsWith(u'+');
        const Ran run = zarn(c.operation + (renamer ? musicFiles() : QStringList()));
        ASSERT_EQ(run.status, 0) << c.what << run.err.toStdString();
        ASSERT_NE(Files(data()), before) << c.what << ": the operation changed nothing";

        const Ran undo = zarn({U("--undo")});
        EXPECT_EQ(undo.status, 0) << c.what << undo.err.toStdString();
        const QMap<QString, QByteArray> after = Files(data());
        EXPECT_EQ(after.keys(), before.keys()) << c.what;
        for (auto it = before.begin(); it != before.end(); ++it)
            EXPECT_EQ(Digest(after.value(it.key())), Digest(it.value()))
                << c.what << " " << it.key().toStdString();
        EXPECT_EQ(FoldersBelow(data()), folders) << c.what;
        // The earlier --set is next in line, and takes the tags back too.
        const Ran earlier = zarn({U("--undo")});
        EXPECT_EQ(earlier.status, 0) << c.what << earlier.err.toStdString();
        EXPECT_EQ(Files(data()).value(U("music/001 - Velt - Song.mp3")),
                  TagOf(1, c.padding) + AudioOf(1))
            << c.what;
    }
}

// Across file systems: the records on another one than the music (a replaced file is kept as a
// copy there), and a sort into a folder on another one (moves that copy and delete, undone the
// same way back).
TEST_F(UndoTest, AcrossFileSystems) {
    QTemporaryDir other(U("/dev/shm/zarn-undo-XXXXXX"));
    struct stat here {
    }, there{};
    if (!other.isValid() || ::stat("/dev/shm", &there) != 0 ||
        ::stat(QFile::encodeName(dir.path()).constData(), &here) != 0 ||
        here.st_dev == there.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    const QString farState = U("XDG_STATE_HOME=") + other.filePath(U("state"));
    const QString farTarget = other.filePath(U("target"));
    struct Case {
        const char* what;
        QString target;
        QStringList environment;
    } cases[] = {
        {"records elsewhere", inData(U("target")), {farState}},
        {"target elsewhere", farTarget, {}},
    };
    for (const Case& c : cases) {
        collection(U("music"), 3, 64, 0);
        QDir(farTarget).removeRecursively();
        QDir().mkpath(c.target);
        // The first file's name is taken in the target: the sort replaces it.
        const QString inTheWay = c.target + U("/000 - Velt - Song.mp3");
        ASSERT_TRUE(mp3::WriteFile(inTheWay, "there before"));
        const QMap<QString, QByteArray> before = Files(data());
        const Ran sort =
            zarn({U("--sort"), c.target, U("--move"), U("--if-exists=replace"), U("music")},
                 c.environment);
        ASSERT_EQ(sort.status, 0) << c.what << sort.err.toStdString();
        ASSERT_EQ(mp3::ReadFile(inTheWay), TagOf(0, 64) + AudioOf(0)) << c.what;
        const Ran undo = zarn({U("--undo")}, c.environment);
        EXPECT_EQ(undo.status, 0) << c.what << undo.err.toStdString();
        EXPECT_EQ(Files(data()), before) << c.what;
        EXPECT_EQ(mp3::ReadFile(inTheWay), QByteArray("there before")) << c.what;
        EXPECT_EQ(QDir(c.target).entryList(QDir::Files | QDir::Hidden).size(), 1) << c.what;
    }
}

// Another program writes one file after the operation: that file keeps what it wrote and is
// named; the others are put back, and the exit status says not all were.
TEST_F(UndoTest, AFileChangedSinceIsLeftAloneAndNamed) {
    collection(U("music"), 4, 400, 0);
    const QMap<QString, QByteArray> before = Files(data());
    ASSERT_EQ(zarn({U("--set"), U("album=Undone"), U("music")}).status, 0);
    const QString changed = U("music/002 - Velt - Song.mp3");
    const QByteArray theirs = mp3::ReadFile(inData(changed)) + "more";
    ASSERT_TRUE(mp3::WriteFile(inData(changed), theirs));

    const Ran undo = zarn({U("--undo")});
    EXPECT_EQ(undo.status, 1);
    EXPECT_TRUE(undo.err.contains(U("002 - Velt - Song.mp3: changed since the operation")))
        << undo.err.toStdString();
    EXPECT_EQ(undo.err.count(u'\n'), 1) << undo.err.toStdString();
    const QMap<QString, QByteArray> after = Files(data());
    for (auto it = before.begin(); it != before.end(); ++it)
        EXPECT_EQ(after.value(it.key()), it.key() == changed ? theirs : it.value())
            << it.key().toStdString();
    // The operation is gone with its undo: a second one has nothing left to take back.
    EXPECT_EQ(zarn({U("--undo")}).status, 1);
}

// Killed just before each write, cut, rename and delete of an undo in turn: the next command
// (here --history) rolls back or finishes the interrupted step, so that every file is old or
// new, and then finishes the undo.
TEST_F(UndoTest, KilledAtEveryStepOfAnUndo) {
    struct Case {
        const char* what;
        int padding;
        QStringList operation;
        const char* call;
    } cases[] = {
        {"in place", 400, {U("--set"), U("album=Undone"), U("music")}, "pwrite"},
        {"in place", 400, {U("--set"), U("album=Undone"), U("music")}, "ftruncate"},
        {"rewritten", 0, {U("--set"), U("title=") + QString(150, u'N'), U("music")}, "pwrite"},
        {"rewritten", 0, {U("--set"), U("title=") + QString(150, u'N'), U("music")}, "rename"},
        {"rewritten", 0, {U("--set"), U("title=") + QString(150, u'N'), U("music")}, "unlink"},
        {"renamed", 64, {U("+rename=%title (renamed).mp3")}, "rename"},
    };
    int interrupted = 0;
    for (const Case& c : cases) {
        for (int n = 1;; ++n) {
            const std::string when =
                std::string(c.what) + " at " + c.call + " " + std::to_string(n);
            collection(U("music"), 3, c.padding);
            const QMap<QString, QByteArray> old = Files(data());
            const bool renamer = c.operation[0].startsWith(u'+');
            ASSERT_EQ(zarn(c.operation + (renamer ? musicFiles() : QStringList())).status, 0)
                << when;
            const Ran run = zarn({U("--undo")}, {U("LD_PRELOAD=") + kFaultLibrary,
                                                 U("ZARN_CRASH=%1:%2").arg(U(c.call)).arg(n),
                                                 U("ZARN_FAULT_PATH=") + data()});
            const ProgramRun next = history();
            EXPECT_EQ(next.status, 0) << when;
            if (next.err.contains(U("an undo interrupted by a crash was finished"))) ++interrupted;
            const QMap<QString, QByteArray> after = Files(data());
            EXPECT_EQ(after.keys(), old.keys()) << when << next.err.toStdString();
            for (auto it = old.begin(); it != old.end(); ++it)
                EXPECT_EQ(Digest(after.value(it.key())), Digest(it.value()))
                    << when << " " << it.key().toStdString() << next.err.toStdString();
            EXPECT_EQ(undoFolders(), QStringList()) << when;
            if (run.status != -1 || n > 40) break;
        }
    }
    EXPECT_GT(interrupted, 10);
}

// The disk under the state folder fills while a --set runs: the command still writes every file
// and says that an undo can take back only part of it. The history marks the record, and its
// undo says so and ends with status 1; every file is old or new, none anything else.
TEST_F(UndoTest, ARecordTheDiskCannotHoldIsSaidAndItsUndoIsNoSuccess) {
    collection(U("music"), 40, 400, 0);
    const QMap<QString, QByteArray> before = Files(data());
    const Ran set = zarn({U("--set"), U("album=Full disk"), U("music")},
                         {U("LD_PRELOAD=") + kFaultLibrary, U("ZARN_FAULT=recordwrite:ENOSPC"),
                          U("ZARN_FAULT_AFTER=1")});
    EXPECT_EQ(set.status, 0) << set.err.toStdString();
    EXPECT_TRUE(set.err.contains(U("could not be written whole (No space left on device)")))
        << set.err.toStdString();
    const QMap<QString, QByteArray> written = Files(data());
    for (auto it = before.begin(); it != before.end(); ++it)
        EXPECT_NE(Digest(written.value(it.key())), Digest(it.value())) << it.key().toStdString();
    const ProgramRun listed = RunProgram(U(ZARN_EXECUTABLE), {U("--history"), U("--format=json")},
                                         data(), dir.path(), {});
    EXPECT_TRUE(listed.out.contains(U("\"complete\":false"))) << listed.out.toStdString();

    const Ran undo = zarn({U("--undo")});
    EXPECT_EQ(undo.status, 1);
    EXPECT_TRUE(undo.err.contains(U("record cut short")) &&
                undo.err.contains(U("keep their changes")))
        << undo.err.toStdString();
    const QMap<QString, QByteArray> after = Files(data());
    EXPECT_EQ(after.keys(), before.keys());
    for (auto it = before.begin(); it != before.end(); ++it) {
        const QByteArray now = after.value(it.key());
        EXPECT_TRUE(now == it.value() || now == written.value(it.key())) << it.key().toStdString();
    }
}

// The commands' own checks of their arguments, and what --history shows.
TEST_F(UndoTest, HistoryListsNewestFirstAndBadArgumentsAreRefused) {
    collection(U("music"), 2, 400, 0);
    ASSERT_EQ(zarn({U("--set"), U("album=One"), U("music")}).status, 0);
    ASSERT_EQ(zarn({U("--fix"), U("music")}).status, 0);
    ASSERT_EQ(zarn({U("--list"), U("music")}).status, 0);  // changes nothing: not kept
    const QStringList lines = history().out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(U("1\t")) && lines[0].contains(U("\t--fix\t")));
    EXPECT_TRUE(lines[1].startsWith(U("2\t")) && lines[1].contains(U("\t--set\t2\t")));
    const QString json =
        RunProgram(U(ZARN_EXECUTABLE), {U("--history"), U("--format=json")}, data(), dir.path(), {})
            .out;
    EXPECT_TRUE(json.startsWith(U("{")) && json.contains(U("\"kind\":\"--set\"")));
    for (const QStringList& bad : {QStringList{U("--undo"), U("0")},
                                   {U("--undo"), U("two")},
                                   {U("--undo"), U("1"), U("2")},
                                   {U("--history"), U("--format=xml")}})
        EXPECT_EQ(zarn(bad).status, 2) << bad.join(u' ').toStdString();
    for (const char* command : {"--undo", "--history"})
        EXPECT_EQ(zarn({U(command), U("--help")}).status, 0);
    EXPECT_EQ(history().out.count(u'\n'), 2);  // help and refusals took nothing back
}

}  // namespace
