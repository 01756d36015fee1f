// Previews of the bulk changes (--set, --fix and the renamer with --dry-run): they change no
// byte and make or remove no file, and what they print is what the run then does.
#include <QCryptographicHash>
#include <QDirIterator>

#include "tests/zarn/batch/batchrun.h"

namespace {

// Every file under `root`, relative, with the SHA-256 of its bytes.
QStringList Hashes(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray hash =
            QCryptographicHash::hash(mp3::ReadFile(path), QCryptographicHash::Sha256).toHex();
        files << QDir(root).relativeFilePath(path) + u' ' + QString::fromLatin1(hash);
    }
    files.sort();
    return files;
}

class DryRun : public BatchRun {
  protected:
    // A file with both tags, one with an ID3v2.4 tag only, one without tags, and one whose
    // name the input pattern takes apart.
    void SetUp() override {
        BatchRun::SetUp();
        Settings("InPattern=%artist - %title.mp3\n");
        Fill();
    }
    void Fill() {
        Put(U("both.mp3"),
            mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "harbour"), mp3::V2TextFrame("TALB", "Old")}) +
                mp3::Audio(2) + mp3::ID3v1Tag({"harbour", "Velt", "Old", "1999", "", 3, 17}));
        Put(U("sub/v24.mp3"),
            mp3::ID3v2Tag({mp3::V2TextFrame("TPE1", "Ona"), mp3::V2TextFrame("TIT2", "Ice")}, 64,
                          4) +
                mp3::Audio(2));
        Put(U("sub/bare.mp3"), mp3::Audio(2));
        Put(U("Velt - low tide.mp3"), mp3::Audio(2) + mp3::ID3v1Tag({"", "", "", "", "", -1, 255}));
    }
};

struct Preview {
    const char* name;
    QStringList preview;   // the command with --dry-run
    QStringList expected;  // lines the preview must print (among others)
    QStringList run;       // the same command for real
};

TEST_F(DryRun, ChangesNoByteAndPrintsWhatTheRunThenDoes) {
    const Preview cases[] = {
        {"set",
         {U("--set"), U("album=Live"), U("year=2024"), U("--dry-run"), U(".")},
         {U("./both.mp3\tv1.album\tOld\tLive"), U("./both.mp3\tv2.album\tOld\tLive"),
          U("./sub/bare.mp3\ttags\tnone\tID3v1,ID3v2"), U("./sub/v24.mp3\tv2.year\t\t2024")},
         {U("--set"), U("album=Live"), U("year=2024"), U(".")}},
        {"set v2",
         {U("--set"), U("--v2"), U("composer=Ona\tTwo"), U("--dry-run"), U(".")},
         {U("./both.mp3\tv2.composer\t\tOna\\tTwo"), U("./sub/bare.mp3\ttags\tnone\tID3v2")},
         {U("--set"), U("--v2"), U("composer=Ona\tTwo"), U(".")}},
        {"fix",
         {U("--fix"), U("--v2"), U("--dry-run"), U(".")},
         {U("./both.mp3\tv1.title\tharbour\tHarbour"),
          U("./Velt - low tide.mp3\tv1.title\t\tLow Tide"),
          U("./Velt - low tide.mp3\ttags\tID3v1\tID3v1,ID3v2")},
         {U("--fix"), U("--v2"), U(".")}},
    };
    for (const Preview& c : cases) {
        SCOPED_TRACE(c.name);
        Fill();
        const QStringList before = Hashes(music);
        const Outcome preview = Run(c.preview);
        EXPECT_EQ(preview.status, 0) << preview.err.toStdString();
        EXPECT_EQ(Hashes(music), before);
        for (const QString& line : c.expected)
            EXPECT_TRUE(preview.lines().contains(line)) << line.toStdString() << " not in\n"
                                                        << preview.out.toStdString();
        // Every changed file shows in the preview, and after the run nothing is left to change.
        const Outcome run = Run(c.run);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        const QStringList after = Hashes(music);
        for (int i = 0; i < after.size(); ++i) {
            if (after[i] == before[i]) continue;
            EXPECT_TRUE(preview.out.contains(U("./") + after[i].section(u' ', 0, -2) + u'\t'))
                << after[i].toStdString() << " changed without a preview line";
        }
        EXPECT_EQ(Run(c.preview).out, QString());
    }
    EXPECT_EQ(Hashes(music).size(), 4) << "a preview or run made or removed a file";
}

TEST_F(DryRun, WhichCommandsTakeItAndTheVersion) {
    const QStringList before = Hashes(music);
    const struct {
        QStringList arguments;
        int status;
    } cases[] = {
        {{U("--list"), U("--dry-run"), U(".")}, 2},
        {{U("--set"), U("title=x"), U("--quiet"), U("--dry-run"), U(".")}, 0},
        {{U("--fix"), U("--dry-run"), U("--quiet"), U(".")}, 0},
        {{U("--sort"), U("out"), U("--dry-run"), U("--quiet"), U(".")}, 0},
        {{U("--set"), U("--dry-run"), U("."), U("--"), U("--dry-run")}, 2},  // no FIELD=VALUE
    };
    for (const auto& c : cases) {
        const Outcome r = Run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments.join(u' ').toStdString() << '\n'
                                      << r.err.toStdString();
    }
    EXPECT_EQ(Hashes(music), before);
    const Outcome version = Run({U("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith(U("zarn 1.")) && version.out.endsWith(U(")\n")))
        << version.out.toStdString();
}

TEST_F(DryRun, RenamerPrintsOldAndNewNamesAndRenamesNothing) {
    Put(U("other.mp3"), mp3::ID3v2Tag({mp3::V2TextFrame("TALB", "Old")}) + mp3::Audio(1));
    const QStringList before = Hashes(music);
    const Outcome preview = Run({U("+rename=%artist - %title.mp3"), U("--dry-run"), U("both.mp3"),
                                 U("Velt - low tide.mp3"), U("sub/bare.mp3")});
    EXPECT_EQ(Hashes(music), before);
    EXPECT_EQ(preview.status, 0) << preview.err.toStdString();
    EXPECT_EQ(preview.lines(),
              (QStringList{U("would rename: both.mp3 -> Velt - Harbour.mp3"),
                           U("would rename: Velt - low tide.mp3 -> Velt - Low Tide.mp3"),
                           U("would rename: sub/bare.mp3 -> sub/Bare.mp3")}));
    // After "--", "--dry-run" is a file (which does not exist).
    const Outcome extension = Run({U("+ext=mp3"), U("--"), U("--dry-run"), U("both.mp3")});
    EXPECT_EQ(extension.status, 1);
    EXPECT_TRUE(extension.err.contains(U("cannot rename --dry-run: ")))
        << extension.err.toStdString();
    EXPECT_EQ(extension.lines(), QStringList{U("unchanged: both.mp3")});

    // A name given to an earlier file of the run, or already on the disk, is refused as the
    // run would refuse it.
    const QStringList sameName = {U("+rename=%album.mp3"), U("--dry-run"), U("both.mp3"),
                                  U("other.mp3")};
    const Outcome twice = Run(sameName);
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.lines(), QStringList{U("would rename: both.mp3 -> Old.mp3")});
    EXPECT_TRUE(twice.err.contains(U("cannot rename other.mp3: \"Old.mp3\" would be taken")))
        << twice.err.toStdString();
    Put(U("Old.mp3"), mp3::Audio(1));
    const QStringList withOld = Hashes(music);
    const Outcome taken = Run(sameName);
    EXPECT_TRUE(taken.lines().isEmpty());
    EXPECT_TRUE(taken.err.contains(U("cannot rename both.mp3: \"Old.mp3\" already exists")))
        << taken.err.toStdString();
    EXPECT_EQ(Hashes(music), withOld);

    const Outcome run = Run({U("+rename=%artist - %title.mp3"), U("both.mp3")});
    EXPECT_EQ(run.lines(), QStringList{U("renamed: both.mp3 -> Velt - Harbour.mp3")});
}

}  // namespace
