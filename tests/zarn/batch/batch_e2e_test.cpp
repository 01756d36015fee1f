// The batch commands as a script runs them: the built program on temporary folders.
#include <fcntl.h>
#include <unistd.h>

#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/zarn/batch/batchrun.h"
#include "tests/zarn/tags/mutagenoracle.h"

namespace {

QByteArray V1(const char* title, const char* artist, int track, int genre) {
    return mp3::ID3v1Tag({title, artist, "Album1", "1999", "c1", track, genre});
}
QByteArray V2(const char* title, const char* artist, const char* track) {
    return mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", title), mp3::V2TextFrame("TPE1", artist),
                          mp3::V2TextFrame("TRCK", track)});
}

class BatchList : public BatchRun {
  protected:
    // One file per tag kind, a file that is no MP3, and a sub-folder walked between them.
    void SetUp() override {
        BatchRun::SetUp();
        Put(U("a none.mp3"), mp3::Audio(2));
        Put(U("b v1.mp3"), mp3::Audio(2) + V1("T1", "A1", 5, 17));
        Put(U("c/v2.mp3"), V2("T\t2", "A2", "3/12") + mp3::Audio(2));
        Put(U("d both.MP3"), V2("T3", "", "") + mp3::Audio(2) + V1("", "A3", 0, 255));
        Put(U("e notes.txt"), "not music");
    }
};

TEST_F(BatchList, TsvLinesInNameOrderWithEscapedValues) {
    const Outcome r = Run({U("--list"), U(".")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), (QStringList{
                             U("./a none.mp3\t\t\t\t\t\tUnknown\t\tnone"),
                             U("./b v1.mp3\t5\tA1\tAlbum1\tT1\t1999\tRock\tc1\tID3v1"),
                             U("./c/v2.mp3\t3/12\tA2\t\tT\\t2\t\tUnknown\t\tID3v2"),
                             U("./d both.MP3\t\tA3\tAlbum1\tT3\t1999\tUnknown\tc1\tID3v1,ID3v2"),
                         }));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(BatchList, JsonObjectPerFileAndFailuresOnTheSide) {
    const Outcome r =
        Run({U("--list"), U("--format=json"), U("c"), U("missing.mp3"), U("b v1.mp3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, U("zarn: missing.mp3: no such file or folder\n"));
    ASSERT_EQ(r.lines().size(), 2) << r.out.toStdString();
    const QJsonObject v2 = QJsonDocument::fromJson(r.lines()[0].toUtf8()).object();
    EXPECT_EQ(v2[U("path")].toString(), U("c/v2.mp3"));
    EXPECT_EQ(v2[U("title")].toString(), U("T\t2"));
    EXPECT_EQ(v2[U("track")].toString(), U("3/12"));
    EXPECT_EQ(v2[U("tags")].toVariant().toStringList(), QStringList{U("ID3v2")});
    const QJsonObject v1 = QJsonDocument::fromJson(r.lines()[1].toUtf8()).object();
    EXPECT_EQ(v1[U("genre")].toString(), U("Rock"));
    EXPECT_EQ(v1[U("tags")].toVariant().toStringList(), QStringList{U("ID3v1")});
}

TEST_F(BatchList, FolderWalkTakesLinksToFilesOnlyAndNamesWhatItCannotRead) {
    QDir().mkpath(music + U("/links"));
    const QByteArray links = QFile::encodeName(music + U("/links"));
    ASSERT_EQ(::symlink("../b v1.mp3", links + "/to file.mp3"), 0);
    ASSERT_EQ(::symlink("..", links + "/to folder"), 0);  // followed, the walk would not end
    ASSERT_EQ(::symlink("nowhere.mp3", links + "/dangling.mp3"), 0);
    const int fd = ::open(links + "/caf\xE9.mp3", O_CREAT | O_WRONLY, 0644);  // Windows-1252
    ASSERT_GE(fd, 0);
    ::close(fd);
    const Outcome r = Run({U("--list"), U("links")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.lines(),
              QStringList{U("links/to file.mp3\t5\tA1\tAlbum1\tT1\t1999\tRock\tc1\tID3v1")});
    EXPECT_TRUE(r.err.startsWith(U("zarn: links/caf\uFFFD.mp3: its name is not valid UTF-8")))
        << r.err.toStdString();
    EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
}

TEST_F(BatchList, SettingsFileChoosesTheExtensionOfFolderWalks) {
    mp3::WriteFile(dir.filePath(U("other.ini")), "[Settings]\nExtension=txt\n");
    const Outcome r = Run({U("--list"), U("--options=") + dir.filePath(U("other.ini")), U(".")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines().size(), 1);
    EXPECT_TRUE(r.out.startsWith(U("./e notes.txt\t")));
}

TEST_F(BatchList, SetThenListKeepsWhatWasNotNamed) {
    const Outcome set = Run({U("--set"), U("album=Harbour Live"), U("track=7/9"), U("comment=***"),
                             U("genre=rock"), U("composer=Oda"), U("."), U("gone.mp3")});
    EXPECT_EQ(set.status, 1);
    EXPECT_EQ(set.err, U("zarn: gone.mp3: no such file or folder\n"));
    const Outcome r = Run({U("--list"), U(".")});
    EXPECT_EQ(r.lines(),
              (QStringList{
                  U("./a none.mp3\t7/9\t\tHarbour Live\t\t\tRock\t\tID3v1,ID3v2"),
                  U("./b v1.mp3\t7/9\tA1\tHarbour Live\tT1\t1999\tRock\t\tID3v1,ID3v2"),
                  U("./c/v2.mp3\t7/9\tA2\tHarbour Live\tT\\t2\t\tRock\t\tID3v1,ID3v2"),
                  U("./d both.MP3\t7/9\tA3\tHarbour Live\tT3\t1999\tRock\t\tID3v1,ID3v2"),
              }));
    // Another program reads the same: the ID3v2 frames and the ID3v1 fields.
    const QJsonObject frames = oracle::Dump(music + U("/d both.MP3"))[U("frames")].toObject();
    EXPECT_EQ(oracle::Compact(frames[U("TALB")]), U(R"({"text":["Harbour Live"]})"));
    EXPECT_EQ(oracle::Compact(frames[U("TIT2")]), U(R"({"text":["T3"]})"));
    EXPECT_EQ(oracle::Compact(frames[U("TCOM")]), U(R"({"text":["Oda"]})"));
    EXPECT_EQ(oracle::Compact(frames[U("TRCK")]), U(R"({"text":["7/9"]})"));
    const QJsonObject v1 = oracle::Read(music + U("/b v1.mp3"))[U("v1")].toObject();
    EXPECT_EQ(v1[U("TALB")].toString(), U("Harbour Live"));
    EXPECT_EQ(v1[U("TPE1")].toString(), U("A1"));
    EXPECT_EQ(v1[U("TRCK")].toString(), U("7"));
    EXPECT_EQ(v1[U("TCON")].toString(), U("17"));
    EXPECT_FALSE(v1.contains(U("COMM")));
}

TEST_F(BatchList, SetOneVersionLeavesTheOtherAlone) {
    const QByteArray before = mp3::ReadFile(music + U("/b v1.mp3"));
    const Outcome r = Run({U("--set"), U("--v2"), U("title=New"), U("b v1.mp3"), U("c")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    // The ID3v1 tag is not touched: the file only gains an ID3v2 tag in front.
    EXPECT_TRUE(mp3::ReadFile(music + U("/b v1.mp3")).endsWith(before));
    EXPECT_EQ(Run({U("--list"), U("c")}).lines(),
              QStringList{U("c/v2.mp3\t3/12\tA2\t\tNew\t\tUnknown\t\tID3v2")});
}

// Every field a script can name, set at once on a file without tags: the preview names each
// box it changes, and another program finds each value in its own frame and ID3v1 field. Where
// each field belongs is written out here, apart from the program's own table.
TEST_F(BatchRun, EveryFieldLandsWhereOtherProgramsReadIt) {
    const struct {
        const char* key;
        const char* value;
        const char* frame;  // where mutagen reads it, with the text it reads
        const char* text;
        const char* v1;  // the ID3v1 field mutagen reads it from, or none
        const char* v1Text;
    } fields[] = {
        {"title", "Harbour", "TIT2", "Harbour", "TIT2", "Harbour"},
        {"artist", "Velt", "TPE1", "Velt", "TPE1", "Velt"},
        {"album", "Tides", "TALB", "Tides", "TALB", "Tides"},
        {"year", "1987", "TYER", "1987", "TDRC", "1987"},
        {"genre", "jazz", "TCON", "(8)Jazz", "TCON", "8"},
        {"track", "7", "TRCK", "7", "TRCK", "7"},
        {"comment", "Quay", "COMM", "Quay", "COMM", "Quay"},
        {"composer", "Oda", "TCOM", "Oda", nullptr, nullptr},
        {"origartist", "Mirel", "TOPE", "Mirel", nullptr, nullptr},
        {"copyright", "Ferro", "TCOP", "Ferro", nullptr, nullptr},
        {"url", "http://x.example/", "WXXX", "http://x.example/", nullptr, nullptr},
        {"encoder", "Lame", "TENC", "Lame", nullptr, nullptr},
    };
    const QString path = Put(U("bare.mp3"), mp3::Audio(2));
    QStringList set{U("--set")}, expected;
    for (const auto& f : fields) {
        set << U(f.key) + u'=' + U(f.value);
        for (const char* version : {"v1.", "v2."})
            if (version[1] == '2' || f.v1) expected << U(version) + U(f.key);
    }
    const Outcome preview = Run(set + QStringList{U("--dry-run"), U("bare.mp3")});
    QStringList previewed;
    for (const QString& line : preview.lines())
        if (line.section(u'\t', 1, 1) != u"tags") previewed << line.section(u'\t', 1, 1);
    previewed.sort();
    expected.sort();
    EXPECT_EQ(previewed, expected) << preview.out.toStdString();

    ASSERT_EQ(Run(set + QStringList{U("bare.mp3")}).status, 0);
    const QJsonObject read = oracle::Read(path);
    const QJsonObject v2 = read[U("v2")].toObject(), v1 = read[U("v1")].toObject();
    for (const auto& f : fields) {
        EXPECT_EQ(v2[U(f.frame)].toString(), U(f.text)) << f.key;
        if (f.v1) {
            EXPECT_EQ(v1[U(f.v1)].toString(), U(f.v1Text)) << f.key;
        }
    }
    EXPECT_EQ(v2.size(), qsizetype(std::size(fields)));
    EXPECT_EQ(v1.size(), 7);
}

TEST_F(BatchRun, FixTakesABadlyTaggedFileApartByItsName) {
    Settings("InPattern=%artist - %track - %title.mp3\n");
    const QString path = Put(U("in/Velt - 07 - harbour_lights.mp3"),
                             mp3::Audio(2) + mp3::ID3v1Tag({"", "", "Alb", "1999", "", -1, 255}));
    const Outcome fix = Run({U("--fix"), U("in")});
    EXPECT_EQ(fix.status, 0) << fix.err.toStdString();
    EXPECT_EQ(Run({U("--list"), U("in")}).lines(),
              QStringList{U("in/Velt - 07 - harbour_lights.mp3\t7\tVelt\tAlb\tHarbour Lights\t"
                            "1999\tUnknown\t\tID3v1")});
    const QJsonObject v1 = oracle::Read(path)[U("v1")].toObject();
    EXPECT_EQ(v1[U("TPE1")].toString(), U("Velt"));
    EXPECT_EQ(v1[U("TIT2")].toString(), U("Harbour Lights"));
    EXPECT_EQ(v1[U("TRCK")].toString(), U("7"));

    // Naming a version adds it where the file lacks it.
    EXPECT_EQ(Run({U("--fix"), U("--v2"), U("in")}).status, 0);
    const QJsonObject frames = oracle::Dump(path)[U("frames")].toObject();
    EXPECT_EQ(oracle::Compact(frames[U("TPE1")]), U(R"({"text":["Velt"]})"));
    EXPECT_EQ(oracle::Compact(frames[U("TIT2")]), U(R"({"text":["Harbour Lights"]})"));
}

// Every file under `root`, relative, with its size: what a run changed on the disk.
QStringList Tree(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files << QDir(root).relativeFilePath(info.filePath()) + u' ' + QString::number(info.size());
    }
    files.sort();
    return files;
}

TEST_F(BatchRun, SortDryRunPrintsWhatTheSortThenDoes) {
    const auto tagged = [this](const char* name, const char* artist, const char* title,
                               const char* track, int audio) {
        Put(U(name), V2(title, artist, track) + mp3::Audio(audio) + V1(title, artist, 0, 17));
    };
    tagged("in/a.mp3", "Velt", "Harbour", "1", 1);
    tagged("in/b.mp3", "Velt", "Hits", "2", 2);
    tagged("in/c.mp3", "Oda", "Sun", "3", 3);
    tagged("in/d/e.mp3", "Velt", "Harbour", "1", 4);  // the same new name as a.mp3
    tagged("in/f.mp3", "Oda", "Moon", "4", 5);
    Put(U("out/Rock/Oda/04 - Oda - Moon.mp3"), "already there");
    const QStringList sort = {
        U("--sort"),      U("out"), U("--move"), U("--genre"), U("--artist-folders=2"),
        U("--fix-names"), U("in")};

    const QStringList before = Tree(music);
    const Outcome plan = Run(sort + QStringList{U("--dry-run")});
    EXPECT_EQ(plan.status, 0) << plan.err.toStdString();
    EXPECT_EQ(Tree(music), before);
    EXPECT_EQ(plan.lines(), (QStringList{
                                U("in/a.mp3\tout/Rock/Velt/01 - Velt - Harbour.mp3\tmoved"),
                                U("in/b.mp3\tout/Rock/Velt/02 - Velt - Hits.mp3\tmoved"),
                                U("in/c.mp3\tout/Rock/Oda/03 - Oda - Sun.mp3\tmoved"),
                                U("in/d/e.mp3\tout/Rock/Velt/01 - Velt - Harbour.mp3\tskipped"),
                                U("in/f.mp3\tout/Rock/Oda/04 - Oda - Moon.mp3\tskipped"),
                            }));

    const Outcome done = Run(sort);
    EXPECT_EQ(done.status, 0) << done.err.toStdString();
    EXPECT_EQ(done.out, plan.out);
    // Sizes tell the files apart: each one is where the plan said, the one there is kept.
    EXPECT_EQ(Tree(music), (QStringList{U("in/d/e.mp3 1851"), U("in/f.mp3 2264"),
                                        U("out/Rock/Oda/03 - Oda - Sun.mp3 1429"),
                                        U("out/Rock/Oda/04 - Oda - Moon.mp3 13"),
                                        U("out/Rock/Velt/01 - Velt - Harbour.mp3 600"),
                                        U("out/Rock/Velt/02 - Velt - Hits.mp3 1014")}));

    // Replacing and copying the rest by letter: plan and sort agree again.
    const QStringList again = {U("--sort"),      U("out"), U("--letter"), U("--if-exists=replace"),
                               U("--fix-names"), U("in"),  U("gone.mp3")};
    const Outcome plan2 = Run(again + QStringList{U("--dry-run")});
    const Outcome done2 = Run(again);
    EXPECT_EQ(done2.status, 1);
    EXPECT_EQ(done2.err, U("zarn: gone.mp3: no such file or folder\n"));
    EXPECT_EQ(done2.out, plan2.out);
    EXPECT_EQ(done2.lines(), (QStringList{U("in/d/e.mp3\tout/V/01 - Velt - Harbour.mp3\tcopied"),
                                          U("in/f.mp3\tout/O/04 - Oda - Moon.mp3\tcopied")}));
}

TEST_F(BatchRun, SortFailureNamesTheFileAndWhatWasLeft) {
    Put(U("in/a.mp3"), V2("Harbour", "Velt", "1") + mp3::Audio(1) + V1("", "", 0, 17));
    Put(U("in/b.mp3"), V2("Hits", "Velt", "2") + mp3::Audio(1) + V1("", "", 0, 17));
    Put(U("out/Rock"), "a file where the genre folder goes");
    const QStringList sort = {U("--sort"), U("out"), U("--move"), U("--genre"), U("in")};
    const Outcome plan = Run(sort + QStringList{U("--dry-run")});
    const Outcome done = Run(sort);
    for (const Outcome& r : {plan, done}) {
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.isEmpty());
        const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
        EXPECT_EQ(lines[0], U("zarn: in/a.mp3: File exists (out/Rock)")) << r.err.toStdString();
        EXPECT_EQ(lines[1], U("zarn: in/b.mp3: not sorted: the sort ended at in/a.mp3"));
    }
    EXPECT_EQ(plan.err, done.err);
    EXPECT_EQ(Tree(music).size(), 3);
}

// A settings file that is no file says what it is instead (a pipe or device would be read
// forever).
TEST_F(BatchRun, SettingsFileThatIsNoFile) {
    Put(U("a.mp3"), mp3::Audio(2));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(U("pipe.ini"))).constData(), 0644), 0);
    const std::pair<QString, const char*> cases[] = {
        {U("/no/such.ini"), "does not exist"},
        {dir.path(), "is a folder"},
        {U("/dev/zero"), "is not a regular file"},
        {dir.filePath(U("pipe.ini")), "is not a regular file"},
    };
    for (const auto& [file, what] : cases) {
        const Outcome r = Run({U("--list"), U("--options=") + file, U("a.mp3")});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, U("zarn: the settings file \"%1\" %2\n").arg(file, U(what)));
    }
}

TEST_F(BatchRun, ExitStatuses) {
    Put(U("a.mp3"), mp3::Audio(2));
    const struct {
        QStringList arguments;
        int status;
        const char* out;  // what the output starts with
    } cases[] = {
        {{U("--list"), U("--help")}, 0, "Usage: zarn --list"},
        {{U("--set"), U("--help")}, 0, "Usage: zarn --set"},
        {{U("--sort"), U("--help")}, 0, "Usage: zarn --sort"},
        {{U("--fix"), U("--help")}, 0, "Usage: zarn --fix"},
        {{U("--help")}, 0, "Usage: zarn"},
        {{U("--list"), U("a.mp3")}, 0, "a.mp3\t"},
        {{U("--list"), U("a.mp3"), U("b.mp3")}, 1, "a.mp3\t"},
        {{U("--list")}, 2, ""},
        {{U("--list"), U("--format=xml"), U("a.mp3")}, 2, ""},
        {{U("--list"), U("--options=/no/such.ini"), U("a.mp3")}, 2, ""},
        {{U("--list"), U("--v1"), U("a.mp3")}, 2, ""},
        {{U("--set"), U("a.mp3")}, 2, ""},
        {{U("--set"), U("genre=Rockish"), U("a.mp3")}, 2, ""},
        {{U("--set"), U("genre=***"), U("a.mp3")}, 2, ""},
        {{U("--set"), U("composer=X"), U("--v1"), U("a.mp3")}, 2, ""},
        {{U("--fix"), U("--format=tsv"), U("a.mp3")}, 2, ""},
        {{U("--fix")}, 2, ""},
        {{U("--sort")}, 2, ""},
        {{U("--sort"), U("out"), U("--genre"), U("--letter"), U("a.mp3")}, 2, ""},
        {{U("--sort"), U("out"), U("--artist-folders=x"), U("a.mp3")}, 2, ""},
    };
    for (const auto& c : cases) {
        const Outcome r = Run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments.join(u' ').toStdString() << "\n"
                                      << r.err.toStdString();
        // Every failure says what is wrong; none is a silent exit.
        if (c.status != 0) {
            EXPECT_FALSE(r.err.isEmpty()) << c.arguments.join(u' ').toStdString();
        }
        EXPECT_EQ(r.out.left(qstrlen(c.out)), U(c.out)) << c.arguments.join(u' ').toStdString();
        // A bad command line does nothing and says why.
        if (c.status == 2) {
            EXPECT_TRUE(r.out.isEmpty());
            EXPECT_TRUE(r.err.startsWith(U("zarn: "))) << r.err.toStdString();
        }
    }
}

}  // namespace
