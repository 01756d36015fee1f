#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/zarn/tags/recordingprompter.h"
#include "zarn/shell/guardedfile.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

using mp3::V2TextFrame;

const QByteArray kAudio = mp3::Audio(20);

QByteArray Digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

ID3v1Record V1(const char* title) {
    ID3v1Record tag;
    tag.Tag = "TAG";
    tag.Title = PadField(title, 30, '\0');
    tag.Genre = "\x11";
    return tag;
}

ID3v2Record V2(const QString& title, bool fileHasTag) {
    ID3v2Record tag;
    if (fileHasTag) tag.Tag = "ID3";
    tag.Title = title;
    return tag;
}

quint64 Inode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// A file cut into its parts, to compare each part with what it should be.
struct Parts {
    QByteArray v2, audio, v1;
};
Parts Split(const QByteArray& file) {
    Parts p;
    qsizetype start = 0, end = file.size();
    if (file.startsWith("ID3")) {
        const auto b = [&](int i) { return qsizetype(uchar(file[i])); };
        start = qMin(end, 10 + (b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9)));
    }
    if (end - start >= 128 && file.mid(end - 128, 3) == "TAG") end -= 128;
    return {file.left(start), file.mid(start, end - start), file.mid(end)};
}

class WriteTagsTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    RecordingPrompter prompter;
    QString path = dir.filePath(QStringLiteral("song.mp3"));

    void make(const QByteArray& bytes) { ASSERT_TRUE(mp3::WriteFile(path, bytes)); }
    QByteArray bytes() const { return mp3::ReadFile(path); }
};

TEST_F(WriteTagsTest, EveryModePairOnEveryKindOfFile) {
    enum State { None, Old, New };
    const QByteArray oldV2 = mp3::ID3v2Tag({V2TextFrame("TIT2", "OldV2")}, 40);
    const QByteArray oldV1 = ID3v1Block(V1("OldV1"));
    struct Case {
        int mode1, mode2;
        // Outcome on files with: no tag, ID3v1 only, ID3v2 only, both. "false" leaves the file.
        bool result[4];
        State v1[4], v2[4];
    };
    const Case cases[] = {
        {0, 0, {false, false, false, false}, {None, Old, None, Old}, {None, None, Old, Old}},
        {1, 0, {true, true, true, true}, {New, New, New, New}, {None, None, Old, Old}},
        {-1, 0, {false, true, false, true}, {None, None, None, None}, {None, None, Old, Old}},
        {0, 1, {true, true, true, true}, {New, Old, New, Old}, {New, New, New, New}},
        {1, 1, {true, true, true, true}, {New, New, New, New}, {New, New, New, New}},
        {-1, 1, {true, true, true, true}, {None, None, None, None}, {New, New, New, New}},
        {0, -1, {false, false, true, true}, {None, Old, New, Old}, {None, None, None, None}},
        {1, -1, {true, true, true, true}, {New, New, New, New}, {None, None, None, None}},
        {-1, -1, {false, true, true, true}, {None, None, None, None}, {None, None, None, None}},
    };
    for (const Case& c : cases) {
        for (int kind = 0; kind < 4; ++kind) {
            SCOPED_TRACE(testing::Message()
                         << "modes " << c.mode1 << "," << c.mode2 << " kind " << kind);
            const bool hasV1 = kind & 1, hasV2 = kind & 2;
            const QByteArray before =
                (hasV2 ? oldV2 : QByteArray()) + kAudio + (hasV1 ? oldV1 : QByteArray());
            make(before);
            EXPECT_EQ(
                WriteTags(path, V1("NewV1"), V2(u"NewV2"_qs, hasV2), c.mode1, c.mode2, &prompter),
                c.result[kind]);
            const Parts after = Split(bytes());
            EXPECT_EQ(Digest(after.audio), Digest(kAudio));
            const QByteArray v1s[] = {{}, oldV1, ID3v1Block(V1("NewV1"))};
            EXPECT_EQ(after.v1, v1s[c.v1[kind]]);
            if (c.v2[kind] == Old) {
                EXPECT_EQ(after.v2, oldV2);
            } else if (c.v2[kind] == None) {
                EXPECT_TRUE(after.v2.isEmpty());
            } else {
                EXPECT_EQ(ReadID3v2(path).Title, u"NewV2"_qs);
            }
            if (!c.result[kind]) {
                EXPECT_EQ(bytes(), before);
            }
        }
    }
    // Anything but the three modes writes nothing.
    make(oldV2 + kAudio + oldV1);
    EXPECT_FALSE(WriteTags(path, V1("x"), V2(u"x"_qs, true), 1, 2));
    EXPECT_FALSE(WriteTags(path, V1("x"), V2(u"x"_qs, true), -2, 1));
    EXPECT_EQ(bytes(), oldV2 + kAudio + oldV1);
    EXPECT_TRUE(prompter.criticals.isEmpty());
}

TEST_F(WriteTagsTest, NewTagThenInPlaceThenRewrite) {
    make(kAudio);
    const QByteArray v1 = ID3v1Block(V1("v1"));
    ID3v2Record tag = V2(u"A fairly long title"_qs, false);
    tag.Artist = u"Artist"_qs;
    ASSERT_TRUE(WriteTags(path, V1("v1"), tag, 1, 1));
    const QByteArray frames = MakeFrame("TIT2", tag.Title) + MakeFrame("TPE1", tag.Artist);
    const qint64 n = frames.size();
    // A new tag: header, the frames, n bytes of padding, the audio untouched behind it.
    EXPECT_EQ(bytes(), MakeTagHeader(2 * n) + frames + QByteArray(n, '\0') + kAudio + v1);
    const quint64 inode = Inode(path);

    tag.Title = u"Short"_qs;
    tag.Tag = "ID3";
    ASSERT_TRUE(WriteTags(path, V1("v1"), tag, 1, 1));
    const QByteArray shorter = MakeFrame("TIT2", tag.Title) + MakeFrame("TPE1", tag.Artist);
    EXPECT_EQ(bytes(), MakeTagHeader(2 * n) + shorter + QByteArray(2 * n - shorter.size(), '\0') +
                           kAudio + v1);
    EXPECT_EQ(Inode(path), inode) << "an update that fits must not rewrite the file";

    // Ten bytes more than the old frames and padding hold: a rewrite with new padding.
    tag.Title = QString(2 * n - MakeFrame("TPE1", tag.Artist).size() - 11 + 10, u't');
    ASSERT_TRUE(WriteTags(path, V1("v1"), tag, 1, 1));
    const QByteArray longer = MakeFrame("TIT2", tag.Title) + MakeFrame("TPE1", tag.Artist);
    ASSERT_EQ(longer.size(), 2 * n + 10);
    EXPECT_EQ(bytes(), MakeTagHeader(2 * longer.size()) + longer + QByteArray(longer.size(), '\0') +
                           kAudio + v1);
    EXPECT_NE(Inode(path), inode);

    // Removing the ID3v1 tag always rewrites, even when the ID3v2 tag would fit.
    ASSERT_TRUE(WriteTags(path, {}, tag, -1, 1));
    EXPECT_EQ(bytes(),
              MakeTagHeader(2 * longer.size()) + longer + QByteArray(longer.size(), '\0') + kAudio);
}

TEST_F(WriteTagsTest, PaddingLimits) {
    struct Case {
        const char* name;
        int oldPadding;
        int titleLength;
        qint64 expectedBody;  // -1: same as before (in place)
    };
    const Case cases[] = {
        {"long frames get 12000 bytes of padding", 0, 15000, 15011 + 12000},
        {"more than 12000 spare bytes forces a rewrite", 20000, 5, 2 * 16},
        {"12001 spare bytes force a rewrite", 12000 + 5, 5, 2 * 16},
        {"exactly 12000 spare bytes stay in place", 12000 + 4, 5, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray old = mp3::ID3v2Tag({V2TextFrame("TIT2", "x")}, c.oldPadding);
        make(old + kAudio);
        ASSERT_TRUE(WriteTags(path, V1("v1"), V2(QString(c.titleLength, u'a'), true), 1, 1));
        const Parts p = Split(bytes());
        EXPECT_EQ(p.v2.size() - 10, c.expectedBody < 0 ? old.size() - 10 : c.expectedBody);
        EXPECT_EQ(p.audio, kAudio);
    }
}

// Whatever follows the tag (junk, another stream) is the file's own: in place and through a
// rewrite it is kept byte for byte, never cut to the first frame header.
TEST_F(WriteTagsTest, JunkBeforeTheFirstFrameHeaderIsKept) {
    const QByteArray junk(300, '\x11');
    const QByteArray old = mp3::ID3v2Tag({V2TextFrame("TIT2", "Old title here")});
    make(old + junk + kAudio);
    ASSERT_TRUE(WriteTags(path, V1("v1"), V2(u"Old"_qs, true), 1, 1));
    EXPECT_EQ(Split(bytes()).audio, junk + kAudio);
    ASSERT_TRUE(WriteTags(path, V1("v1"), V2(QString(100, u'N'), true), 1, 1));
    EXPECT_EQ(Digest(bytes().mid(bytes().indexOf(junk), junk.size() + kAudio.size())),
              Digest(junk + kAudio));
    EXPECT_EQ(ReadID3v2(path).Title, QString(100, u'N'));
}

TEST_F(WriteTagsTest, AudioWithoutFrameHeaderIsKeptWhole) {
    const QByteArray noise = QByteArray(500, '\x42') + "\xFF\xE0\xF0" + QByteArray(20, '\x42');
    make(mp3::ID3v2Tag({V2TextFrame("TIT2", "T")}) + noise);
    ASSERT_TRUE(WriteTags(path, {}, V2(QString(60, u'x'), true), -1, 1));
    EXPECT_EQ(Split(bytes()).audio, noise);
    ASSERT_TRUE(WriteTags(path, {}, {}, -1, -1));
    EXPECT_EQ(bytes(), noise);
}

// A header that claims more than the file holds: nobody can tell where the audio starts, so
// no write touches the file, and the reason names it.
TEST_F(WriteTagsTest, TagLongerThanTheFileIsLeftAlone) {
    const QByteArray tag = mp3::ID3v2Tag({V2TextFrame("TIT2", "Cut")}, 200);
    make(tag.left(60));
    const QByteArray before = bytes();
    for (const auto& [mode1, mode2] : {std::pair{1, 1}, {1, 0}, {-1, -1}, {0, -1}}) {
        EXPECT_FALSE(WriteTags(path, V1("v1"), V2(u"T"_qs, true), mode1, mode2, &prompter));
        EXPECT_EQ(bytes(), before);
    }
    ASSERT_EQ(prompter.criticals.size(), 4);
    EXPECT_TRUE(prompter.criticals[0].contains(u"damaged"_qs));
    EXPECT_TRUE(prompter.criticals[0].endsWith(path));
    EXPECT_EQ(ReadID3v2(path).Title, u"Cut"_qs);
}

// Two comments under one key are one comment for every reader: shown together, replaced
// together.
TEST_F(WriteTagsTest, TwoCommentFrames) {
    const QByteArray second = mp3::V2Frame("COMM", QByteArray("\0eng\0second", 11));
    make(mp3::ID3v2Tag({mp3::V2Frame("COMM", QByteArray("\0eng\0first", 10)), second}) + kAudio);
    ID3v2Record tag = ReadID3v2(path);
    EXPECT_EQ(tag.Comment, u"first / second"_qs);
    tag.Comment = u"replaced"_qs;
    ASSERT_TRUE(WriteTags(path, {}, tag, -1, 1));
    const QByteArray v2 = Split(bytes()).v2;
    EXPECT_EQ(v2.mid(10, MakeFrame("COMM", tag.Comment).size() + 4),
              MakeFrame("COMM", tag.Comment) + QByteArray(4, '\0'));
    EXPECT_EQ(ReadID3v2(path).Comment, u"replaced"_qs);
}

TEST_F(WriteTagsTest, BothWritersWritePlainSizes) {
    ID3v2Record tag;
    tag.URL = QString(300, u'u');
    for (const bool both : {true, false}) {
        SCOPED_TRACE(both ? "WriteTags" : "WriteID3v2");
        make(kAudio);
        ASSERT_TRUE(both ? WriteTags(path, {}, tag, -1, 1) : WriteID3v2(path, tag));
        EXPECT_EQ(bytes().mid(10, 14), QByteArray("WXXX\0\0\x01\x2E\0\0\0\0uu", 14));
        EXPECT_EQ(ReadID3v2(path).URL, tag.URL);
    }
    EXPECT_TRUE(prompter.criticals.isEmpty());
}

TEST_F(WriteTagsTest, WriteID3v2KeepsTheRestOfTheFile) {
    const QByteArray v1 = ID3v1Block(V1("v1"));
    make(kAudio + v1);
    EXPECT_FALSE(WriteID3v2(path, {}));
    EXPECT_EQ(bytes(), kAudio + v1);
    ID3v2Record tag;
    tag.Title = u"Hello"_qs;
    ASSERT_TRUE(WriteID3v2(path, tag));
    const QByteArray frame = MakeFrame("TIT2", tag.Title);
    EXPECT_EQ(bytes(), MakeTagHeader(2 * frame.size()) + frame + QByteArray(frame.size(), '\0') +
                           kAudio + v1);
    tag.Title = u"Hi"_qs;
    const quint64 inode = Inode(path);
    ASSERT_TRUE(WriteID3v2(path, tag));
    EXPECT_EQ(Inode(path), inode);
    EXPECT_EQ(bytes().size(), 10 + 2 * frame.size() + kAudio.size() + 128);
    EXPECT_EQ(ReadID3v2(path).Title, u"Hi"_qs);
    // A huge old padding is cut back to 12000 bytes.
    make(mp3::ID3v2Tag({}, 30000) + kAudio);
    ASSERT_TRUE(WriteID3v2(path, tag));
    EXPECT_EQ(Split(bytes()).v2.size(), 10 + MakeFrame("TIT2", tag.Title).size() + 12000);
    EXPECT_EQ(Split(bytes()).audio, kAudio);
}

TEST_F(WriteTagsTest, RewriteKeepsPermissions) {
    make(kAudio);
    const auto perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, perms));
    ASSERT_TRUE(WriteTags(path, {}, V2(u"T"_qs, false), -1, 1));
    EXPECT_EQ(QFile::permissions(path) & 0x7077, perms);
}

TEST_F(WriteTagsTest, FailedRewriteLeavesTheOriginal) {
    const QByteArray before = mp3::ID3v2Tag({V2TextFrame("TIT2", "T")}) + mp3::Audio(200);
    make(before);
    // Limit the size of files this process may write, so that the rewrite fails halfway.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 8192;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteTags(path, {}, V2(QString(100, u'x'), true), -1, 1, &prompter);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(bytes(), before);
    ASSERT_EQ(prompter.criticals.size(), 1);
    EXPECT_TRUE(prompter.criticals[0].startsWith(QStringLiteral("Error: ")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"song.mp3"_qs});
}

// "The file is in use." only for a file that a running program holds (a program's own file).
TEST_F(WriteTagsTest, FileHeldByARunningProgramIsInUse) {
    const QString program = dir.filePath(QStringLiteral("program.mp3"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), program));
    QProcess running;
    running.start(program, {QStringLiteral("10")});
    ASSERT_TRUE(running.waitForStarted());
    const QByteArray before = mp3::ReadFile(program);
    EXPECT_FALSE(WriteTags(program, V1("a"), {}, 1, 0, &prompter));
    running.kill();
    running.waitForFinished();
    EXPECT_EQ(prompter.criticals,
              QStringList{u"Error: 70\nThe file is in use.\n\nFile: "_qs + program});
    EXPECT_EQ(mp3::ReadFile(program), before);
}

TEST_F(WriteTagsTest, ErrorsAreReported) {
    EXPECT_FALSE(WriteTags(dir.filePath(QStringLiteral("gone.mp3")), V1("a"), {}, 1, 0, &prompter));
    ASSERT_EQ(prompter.criticals.size(), 1);
    EXPECT_TRUE(prompter.criticals[0].startsWith(QStringLiteral("Error: 53\n")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("gone.mp3"))));
    // A file the system refuses to open for writing (even to an administrator).
    const QString refused = QStringLiteral("/sys/kernel/notes");
    if (!QFile::exists(refused)) GTEST_SKIP() << "no file that refuses writing";
    EXPECT_FALSE(WriteTags(refused, V1("a"), {}, 1, 0, &prompter));
    ASSERT_EQ(prompter.criticals.size(), 2);
    EXPECT_EQ(prompter.criticals[1], u"Error: 70\nPermission denied\n\nFile: "_qs + refused);
    // With nothing to write, no write access is asked for and nothing is reported.
    ASSERT_TRUE(QFile(refused).open(QIODevice::ReadOnly));
    EXPECT_FALSE(WriteTags(refused, {}, {}, -1, -1, &prompter));
    EXPECT_EQ(prompter.criticals.size(), 2);
}

TEST_F(WriteTagsTest, RepeatedSavesDoNotGrowTheTag) {
    // A picture with 11,000 bytes of padding behind it, as some taggers leave it.
    const QByteArray picture = mp3::V2Frame("APIC", QByteArray(3000, '\x42'), false);
    make(mp3::ID3v2Tag({V2TextFrame("TIT2", "T"), picture}, 11000) + kAudio);
    qsizetype first = 0;
    for (int i = 1; i <= 8; ++i) {
        ID3v2Record tag = ReadID3v2(path);
        EXPECT_EQ(tag.Hidden, picture);
        tag.Title = QString(i, u't');
        ASSERT_TRUE(WriteTags(path, V1("v1"), tag, 1, 1));
        if (i == 1) first = bytes().size();
        EXPECT_EQ(bytes().size(), first) << "save " << i;
        EXPECT_EQ(Split(bytes()).audio, kAudio);
    }
    EXPECT_EQ(first, 10 + 12 + 3010 + 11000 + kAudio.size() + 128);  // in place every time
}

TEST_F(WriteTagsTest, UnchangedFieldsKeepTheFramesTheFileHad) {
    using Field = QString ID3v2Record::*;
    const auto plain = [](const QByteArray& id, const QByteArray& body) {
        return mp3::V2Frame(id, body, false);
    };
    const QByteArray rock = plain("TCON", QByteArray("\0Rock", 5));
    const QByteArray pair = plain("TPE1", QByteArray("\0Alice\0Bob", 10));
    const QByteArray notes = plain("COMM", QByteArray("\0deuNotes\0Hallo", 16));
    const QByteArray norm = plain("COMM", QByteArray("\0engiTunNORM\0 0001", 19));
    const QByteArray date = plain("TDRC", QByteArray("\0"
                                                     "2004-05-06",
                                                     11));
    struct Case {
        const char* name;
        QList<QByteArray> before;
        Field field;
        QString value;
        QByteArray after;  // the frames of the saved tag
    };
    const Case cases[] = {
        {"genre built as (n)Name", {rock}, &ID3v2Record::Genre, u"(17)Rock"_qs, rock},
        {"new genre in the table",
         {rock},
         &ID3v2Record::Genre,
         u"(8)Jazz"_qs,
         MakeFrame("TCON", u"(8)Jazz"_qs)},
        {"new genre outside the table",
         {rock},
         &ID3v2Record::Genre,
         u"(0)Chiptune"_qs,
         MakeFrame("TCON", u"Chiptune"_qs)},
        {"several values", {pair}, &ID3v2Record::Title, u"T"_qs, MakeFrame("TIT2", u"T"_qs) + pair},
        {"edited values",
         {pair},
         &ID3v2Record::Artist,
         u"Alice / Bob / Carol"_qs,
         MakeFrame("TPE1", u"Alice / Bob / Carol"_qs)},
        {"comment with description",
         {norm, notes},
         &ID3v2Record::Title,
         u"T"_qs,
         MakeFrame("TIT2", u"T"_qs) + notes + norm},
        {"edited comment",
         {norm, notes},
         &ID3v2Record::Comment,
         u"Neu"_qs,
         MakeFrame("COMM", u"Neu"_qs) + norm},
        {"recording time of the same year",
         {date},
         &ID3v2Record::Title,
         u"T"_qs,
         MakeFrame("TIT2", u"T"_qs) + MakeFrame("TYER", u"2004"_qs) + date},
        {"recording time of another year",
         {date},
         &ID3v2Record::Year,
         u"2005"_qs,
         MakeFrame("TYER", u"2005"_qs)},
        {"no year", {date}, &ID3v2Record::Year, QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        make(mp3::ID3v2Tag(c.before, 0, 4) + kAudio);
        ID3v2Record tag = ReadID3v2(path);
        tag.*c.field = c.value;
        ASSERT_TRUE(WriteTags(path, {}, tag, -1, 1));
        const QByteArray v2 = Split(bytes()).v2;
        EXPECT_EQ(v2.mid(10, c.after.size()).toHex(' '), c.after.toHex(' '));
        EXPECT_EQ(v2.mid(10 + c.after.size()).count('\0'), v2.size() - 10 - c.after.size());
    }
}

// The kept start and end of a file answer what the file holds, for pieces inside, across and
// beyond them, and a write is seen by the next read.
TEST_F(WriteTagsTest, GuardedFileReadsWhatTheFileHolds) {
    for (const qint64 size : {0, 5, 128, 200, 4096, 4300, 9000}) {
        SCOPED_TRACE(size);
        QByteArray content(size, Qt::Uninitialized);
        for (qint64 i = 0; i < size; ++i) content[i] = char(i * 7 % 251);
        make(content);
        GuardedFile file(path);
        ASSERT_TRUE(file.open(FileAccess::Save));
        const std::pair<qint64, qint64> pieces[] = {
            {0, 10},        {0, 4096},     {4090, 12},      {size - 128, 128}, {size - 3, 3},
            {size - 1, 10}, {size, 5},     {size + 3, 2},   {100, size},       {size - 200, 150},
            {4000, 200},    {0, size + 1}, {size - 100, 50}};
        for (const auto& [pos, length] : pieces) {
            if (pos < 0) continue;
            const auto read = file.read(pos, length);
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(read->toHex(), content.mid(pos, length).toHex()) << pos << "+" << length;
        }
        if (size < 10) continue;
        ASSERT_TRUE(file.writePatches({{2, "xyz"}, {size - 2, "ab"}}));
        content.replace(2, 3, "xyz").replace(size - 2, 2, "ab");
        EXPECT_EQ(file.read(0, 10)->toHex(), content.left(10).toHex());
        EXPECT_EQ(file.read(size - 5, 5)->toHex(), content.right(5).toHex());
    }
}

}  // namespace
