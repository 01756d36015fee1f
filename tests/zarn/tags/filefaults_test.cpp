// Odd files and failing disks: nothing hangs, a failed write leaves the file as it was, and every
// failure says why. Faults are injected in forked children (see tests/support/childrun.h).
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cerrno>
#include <cstring>

#include "tests/support/childrun.h"
#include "tests/support/mp3writer.h"
#include "tests/zarn/tags/recordingprompter.h"
#include "zarn/names/commandline.h"
#include "zarn/shell/fileerror.h"
#include "zarn/tags/fileinfo.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/mp3file.h"

namespace {

using mp3::V2TextFrame;

const QByteArray kAudio = mp3::Audio(40);

ID3v1Record V1(const char* title) {
    ID3v1Record tag;
    tag.Tag = "TAG";
    tag.Title = PadField(title, 30, '\0');
    tag.Genre = "\x11";
    return tag;
}

ID3v2Record V2(const QString& title) {
    ID3v2Record tag;
    tag.Tag = "ID3";
    tag.Title = title;
    return tag;
}

QByteArray Bool(bool value) {
    return value ? "true" : "false";
}

quint64 Inode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

class FileFaults : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("song.mp3"));

    void make(const QByteArray& bytes) { ASSERT_TRUE(mp3::WriteFile(path, bytes)); }
    QByteArray bytes() const { return mp3::ReadFile(path); }
    QStringList folder() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// What a writer did in a child: its result, then every message it showed, each with the name
// of the file it named after an "@".
using Writer = std::function<bool(Prompter*)>;
QByteArray Outcome(const Writer& write) {
    RecordingPrompter prompter;
    const bool ok = write(&prompter);
    QStringList messages;
    for (const QString& message : prompter.criticals) {
        const qsizetype named = message.indexOf(u"\n\nFile: "_qs);
        messages << (named < 0 ? message
                               : message.left(named) + u'@' +
                                     QFileInfo(message.mid(named + 8)).fileName());
    }
    return Bool(ok) + "|" + messages.join(u'|').toUtf8();
}

// --- 1. Only regular files are opened --------------------------------------------------------

TEST_F(FileFaults, PipesAndFoldersNamedLikeMp3FilesAreReportedNotOpened) {
    const QString pipe = dir.filePath(QStringLiteral("p.mp3"));
    const QString folder = dir.filePath(QStringLiteral("d.mp3"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.mp3")));
    const std::pair<QString, QByteArray> kinds[] = {{pipe, "Error: 75\nNot a regular file"},
                                                    {folder, "Error: 75\nIs a directory"}};
    for (const auto& [target, message] : kinds) {
        const child::Result result = child::Run([&target = target] {
            RecordingPrompter prompter;
            ReadID3v1(target, &prompter);
            ReadID3v2(target, &prompter);
            const bool infoFailed = ReadFileInfo(target, false).readError;
            const bool writes = WriteTags(target, V1("a"), V2(u"b"_qs), 1, 1, &prompter) ||
                                WriteTags(target, V1("a"), {}, 1, 0, &prompter) ||
                                WriteID3v1(target, V1("a"), &prompter) ||
                                WriteID3v2(target, V2(u"b"_qs), &prompter);
            return Bool(infoFailed) + Bool(writes) + "|" + prompter.criticals.join(u'|').toUtf8();
        });
        ASSERT_TRUE(result.finished) << "hung on " << target.toStdString();
        const QByteArray six =
            QList<QByteArray>(6, message + "\n\nFile: " + target.toUtf8()).join('|');
        EXPECT_EQ(result.output, "truefalse|" + six) << target.toStdString();
    }
}

TEST_F(FileFaults, CommandLineReportsPipesAndFoldersAndGoesOn) {
    const QString pipe = dir.filePath(QStringLiteral("p.mp3"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.mp3")));
    const QString folder = dir.filePath(QStringLiteral("d.mp3"));
    make(mp3::ID3v2Tag({V2TextFrame("TPE1", "A"), V2TextFrame("TIT2", "T")}) + kAudio);
    const child::Result result = child::Run([&] {
        QString out, err;
        QTextStream o(&out), e(&err);
        const CommandLineRequest request{
            CommandLineMode::Rename, u"%artist - %title.mp3"_qs, {pipe, folder, path}};
        const int status =
            ProcessCommandLine(request, u"%artist - %title.mp3"_qs, Options(), nullptr, o, e);
        return QByteArray::number(status) + "\n" + err.toUtf8();
    });
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.output, QByteArray::number(kExitSomeFailed) + "\nzarn: cannot rename " +
                                 pipe.toUtf8() +
                                 ": it is not a regular file\nzarn: cannot rename " +
                                 folder.toUtf8() + ": it is a folder\n");
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("A - T.mp3"))));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// --- 2. A write that fails in place leaves the file byte-identical ---------------------------

TEST_F(FileFaults, FailedInPlaceWritesLeaveTheFileAsItWas) {
    const QByteArray tagged = mp3::ID3v2Tag({V2TextFrame("TIT2", "Old title")}, 200) + kAudio;
    const QByteArray withV1 = tagged + ID3v1Block(V1("old"));
    const auto in = [&](const QByteArray& file, qint64 limitFromEnd) {
        return file.size() + limitFromEnd;
    };
    struct Case {
        const char* name;
        QByteArray file;
        qint64 limit;  // the byte at which writing stops
        Writer write;
    };
    const Case cases[] = {
        // No room for the appended ID3v1 block: nothing else may change.
        {"in-place tags, no ID3v1", tagged, in(tagged, 50),
         [&](Prompter* p) { return WriteTags(path, V1("new"), V2(u"New"_qs), 1, 1, p); }},
        {"ID3v1 only", tagged, in(tagged, 50),
         [&](Prompter* p) { return WriteTags(path, V1("new"), {}, 1, 0, p); }},
        {"WriteID3v1", tagged, in(tagged, 0),
         [&](Prompter* p) { return WriteID3v1(path, V1("new"), p); }},
        // The old ID3v1 block cannot be overwritten after the ID3v2 tag was: both come back.
        // Only the title of the block changes, 125 bytes before the end.
        {"in-place tags over an old ID3v1", withV1, in(withV1, -124),
         [&](Prompter* p) { return WriteTags(path, V1("new"), V2(u"New"_qs), 1, 1, p); }},
    };
    for (const Case& c : cases) {
        make(c.file);
        const child::Result result = child::Run([&] { return Outcome(c.write); }, c.limit);
        ASSERT_TRUE(result.finished) << c.name;
        EXPECT_EQ(result.output, "false|Error: 61\nFile too large@song.mp3") << c.name;
        EXPECT_EQ(bytes(), c.file) << c.name;
    }
}

// --- 3. Error texts carry the system's reason ------------------------------------------------

TEST(SystemFileError, NumberAndTheSystemsOwnDescription) {
    const std::pair<int, int> cases[] = {{ENOENT, 53},  {ENOTDIR, 76}, {EACCES, 70}, {EPERM, 70},
                                         {ETXTBSY, 70}, {ENOSPC, 61},  {EDQUOT, 61}, {EFBIG, 61},
                                         {EIO, 57},     {EROFS, 75},   {EISDIR, 75}, {EMFILE, 67}};
    for (const auto& [errnum, number] : cases) {
        const FileError error = SystemFileError(errnum);
        EXPECT_EQ(error.number, number) << errnum;
        EXPECT_EQ(error.description, QString::fromLocal8Bit(strerror(errnum))) << errnum;
        EXPECT_EQ(error.systemError, errnum);
    }
}

TEST_F(FileFaults, FullRewriteOnAFullDiskSaysSo) {
    const QByteArray before = mp3::ID3v2Tag({V2TextFrame("TIT2", "T")}) + kAudio;
    make(before);
    const child::Result result = child::Run(
        [&] {
            return Outcome([&](Prompter* p) {
                return WriteTags(path, V1("a"), V2(QString(500, u'x')), 1, 1, p);
            });
        },
        before.size());
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.output, "false|Error: 61\nFile too large@song.mp3");
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(folder(), QStringList{u"song.mp3"_qs});
}

// Permission refused by the system (not a file in use): as an unprivileged user.
TEST_F(FileFaults, RefusedPermissionIsNotAFileInUse) {
    if (::getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    make(kAudio);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QTemporaryDir stateDir;
    const QString state = stateDir.path();
    ASSERT_EQ(::chmod(QFile::encodeName(state).constData(), 0777), 0);
    const auto asNobody = [&](const Writer& write) {
        return child::Run([&] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) return QByteArray("no user");
            // The journal lives in the user's own state folder.
            qputenv("XDG_STATE_HOME", QFile::encodeName(state));
            return Outcome(write);
        });
    };
    // The file itself refuses writing.
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    auto result = asNobody([&](Prompter* p) { return WriteTags(path, V1("a"), {}, 1, 0, p); });
    EXPECT_EQ(result.output, "false|Error: 70\nPermission denied@song.mp3");
    // A save that opens the file once falls back to reading it and reports the refusal when it
    // comes to the write.
    result = asNobody([&](Prompter* p) {
        Mp3File file(path);
        const TagWrite write = WriteTags(file, V1("a"), {}, 1, 0);
        if (write.failed()) ReportFileError(p, write.error);
        return write.written();
    });
    EXPECT_EQ(result.output, "false|Error: 70\nPermission denied@song.mp3");
    // The file may be written but its folder refuses the new file of a full rewrite.
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    result = asNobody([&](Prompter* p) { return WriteTags(path, {}, V2(u"T"_qs), -1, 1, p); });
    EXPECT_EQ(result.output, "false|Error: 70\nPermission denied@song.mp3");
    EXPECT_EQ(bytes(), kAudio);
}

// A read-only file system, mounted in a private mount namespace of the child.
TEST_F(FileFaults, ReadOnlyFileSystemSaysSo) {
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    const child::Result result = child::Run([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("none", mountPoint.constData(), "tmpfs", 0, nullptr) != 0)
            return QByteArray("unsupported");
        if (!mp3::WriteFile(path, kAudio) ||
            ::mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return QByteArray("unsupported");
        return Outcome([&](Prompter* p) { return WriteTags(path, V1("a"), {}, 1, 0, p); }) + "|" +
               Outcome([&](Prompter* p) { return WriteTags(path, {}, V2(u"T"_qs), -1, 1, p); });
    });
    ASSERT_TRUE(result.finished);
    if (result.output == "unsupported") GTEST_SKIP() << "no private mounts here";
    EXPECT_EQ(result.output,
              "false|Error: 75\nRead-only file system@song.mp3|false|Error: 75\nRead-only file "
              "system@song.mp3");
}

// --- 4. A full rewrite keeps owner, group and hard links -------------------------------------

TEST_F(FileFaults, FullRewriteKeepsOwnerAndGroup) {
    if (::getuid() != 0) GTEST_SKIP() << "needs root to give the file away";
    make(kAudio);
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    ASSERT_TRUE(WriteTags(path, V1("a"), V2(u"T"_qs), 1, 1));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
}

TEST_F(FileFaults, HardLinkedFileIsRewrittenUnderEveryName) {
    const QByteArray before = mp3::ID3v2Tag({V2TextFrame("TIT2", "T")}) + kAudio;
    make(before);
    const QString other = dir.filePath(QStringLiteral("other.mp3"));
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
    const quint64 inode = Inode(path);

    // A failed rewrite restores the content from the backup and removes the backup.
    const child::Result failed = child::Run(
        [&] {
            return Outcome(
                [&](Prompter* p) { return WriteTags(path, {}, V2(QString(900, u'x')), -1, 1, p); });
        },
        before.size() + 300);
    ASSERT_TRUE(failed.finished);
    EXPECT_EQ(failed.output, "false|Error: 61\nFile too large@song.mp3");
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(folder(), (QStringList{u"other.mp3"_qs, u"song.mp3"_qs}));

    ASSERT_TRUE(WriteTags(path, V1("v1"), V2(QString(900, u'x')), 1, 1));
    EXPECT_EQ(Inode(path), inode);
    EXPECT_EQ(Inode(other), inode);
    EXPECT_EQ(ReadID3v2(other).Title, QString(900, u'x'));
    EXPECT_EQ(mp3::ReadFile(other).mid(10 + 2 * 911, kAudio.size()), kAudio);
    EXPECT_EQ(folder(), (QStringList{u"other.mp3"_qs, u"song.mp3"_qs}));
    // An independent reader sees the new tag under the other name.
    QProcess python;
    python.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import sys, mutagen.id3 as i; t = i.ID3(sys.argv[1]); "
                        "print(t['TIT2'].text[0], t.version[1]); "
                        "print(i.ParseID3v1(open(sys.argv[1], 'rb').read()[-128:])['TIT2'])"),
         other});
    ASSERT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.readAllStandardOutput(), QString(900, u'x').toUtf8() + " 3\nv1\n")
        << python.readAllStandardError().constData();
}

}  // namespace
