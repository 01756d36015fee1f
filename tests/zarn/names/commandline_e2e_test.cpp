// Runs the built program the way a user does, on a temporary folder with its own settings.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/support/programrun.h"
#include "tests/support/qtstrings.h"

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

class CommandLineEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        music = dir.filePath(U("music"));
        QDir().mkpath(music);
        QDir().mkpath(dir.filePath(U("home")));
        QDir().mkpath(dir.filePath(U("config/Zarn")));
    }
    void Settings(const QByteArray& lines) {
        mp3::WriteFile(dir.filePath(U("config/Zarn/Zarn.ini")), "[Settings]\n" + lines);
    }
    QString Tagged(const char* name, const char* artist, const char* title, const char* track) {
        const QByteArray tag =
            mp3::ID3v2Tag({mp3::V2TextFrame("TPE1", artist), mp3::V2TextFrame("TIT2", title),
                           mp3::V2TextFrame("TRCK", track)});
        const QString path = music + u'/' + U(name);
        EXPECT_TRUE(mp3::WriteFile(path, tag + mp3::Audio(3)));
        return path;
    }
    // `screen` holds the display variables the run sees ("NAME=value"); none by default.
    Outcome Run(const QStringList& arguments, const QStringList& screen = {},
                const QString& program = U(ZARN_EXECUTABLE)) {
        QProcess process;
        process.setProcessEnvironment(ProgramEnvironment(dir.path(), screen));
        process.setWorkingDirectory(music);
        process.start(program, arguments);
        if (!process.waitForFinished(20000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "still running after 20 s";
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QStringList Files() const { return QDir(music).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    QString music;
};

TEST_F(CommandLineEndToEnd, RenamesByPatternWithTheStoredOptions) {
    Settings("Change=3\nbReplace=1\n");
    mp3::WriteFile(dir.filePath(U("home/replaces.txt")), "Harbour\r\nPort\r\n");
    Tagged("a.mp3", "Velt", "Harbour", "1");
    Tagged("b.mp3", "Velt", "Hits", "12");
    const Outcome r = Run({U("+rename=%track - %artist - %title.mp3"), U("a.mp3"), U("b.mp3")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Files(), (QStringList{U("01 - VELT - HARBOUR.mp3"), U("12 - VELT - HITS.mp3")}));
    EXPECT_EQ(r.out.count(U("renamed: ")), 2) << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    // The replace list works on the name as the case mode left it.
    mp3::WriteFile(dir.filePath(U("home/replaces.txt")), "HARBOUR\r\nPort\r\n");
    const Outcome again =
        Run({U("+rename=\"%artist - %title.mp3\""), U("01 - VELT - HARBOUR.mp3")});
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(Files().contains(U("VELT - Port.mp3"))) << Files().join(u'|').toStdString();
}

TEST_F(CommandLineEndToEnd, ChangesTheExtension) {
    Tagged("a.mp3", "Velt", "Harbour", "1");
    Tagged("b c.MP3", "Velt", "Hits", "2");
    Tagged("вельт 港 🎵.mp3", "Velt", "Hits", "3");
    const Outcome r = Run({U("+ext=ogg"), U("a.mp3"), music + U("/b c.MP3"), U("вельт 港 🎵.mp3")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Files(), (QStringList{U("a.ogg"), U("b c.ogg"), U("вельт 港 🎵.ogg")}));
    EXPECT_TRUE(r.out.contains(U("вельт 港 🎵.ogg"))) << r.out.toStdString();
}

TEST_F(CommandLineEndToEnd, BothModesCreateAMissingReplaceList) {
    Tagged("a.mp3", "Velt", "Harbour", "1");
    const QString replaces = dir.filePath(U("home/replaces.txt"));
    for (const QString& mode : {U("+ext=ogg"), U("+rename=%artist - %title.mp3")}) {
        QFile::remove(replaces);
        const Outcome r = Run({mode, Files().constFirst()});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(QFile::exists(replaces)) << mode.toStdString();
    }
}

TEST_F(CommandLineEndToEnd, KeepsGoingPastAFileThatCannotBeRenamed) {
    Tagged("a.mp3", "Velt", "One", "1");
    Tagged("b.mp3", "Velt", "Two", "2");
    Tagged("c.mp3", "Velt", "Three", "3");
    mp3::WriteFile(music + U("/b.ogg"), "keep me");
    const Outcome r = Run({U("+ext=ogg"), U("a.mp3"), U("b.mp3"), U("gone.mp3"), U("c.mp3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Files(), (QStringList{U("a.ogg"), U("b.mp3"), U("b.ogg"), U("c.ogg")}));
    EXPECT_EQ(mp3::ReadFile(music + U("/b.ogg")), QByteArray("keep me"));
    EXPECT_EQ(r.err.count(u'\n'), 2) << r.err.toStdString();
    EXPECT_EQ(r.out.count(u'\n'), 2) << r.out.toStdString();
}

TEST_F(CommandLineEndToEnd, NamesThatAreNotUtf8AreReportedAsSuch) {
    // "café.mp3" written in Windows-1252: the byte 0xE9 alone is not UTF-8.
    const QByteArray raw = QFile::encodeName(music) + "/caf\xe9.mp3";
    ASSERT_EQ(::close(::open(raw.constData(), O_CREAT | O_WRONLY, 0644)), 0);
    const auto cleanUp = qScopeGuard([&] { ::unlink(raw.constData()); });  // Qt cannot see it
    mp3::WriteFile(music + U("/b.mp3"), mp3::Audio(2));
    // The raw byte reaches the program only through a shell; QProcess would encode it as UTF-8.
    const Outcome r = Run(
        {U("-c"), U("exec \"$0\" +ext=ogg \"$(printf 'caf\\351.mp3')\" b.mp3"), U(ZARN_EXECUTABLE)},
        {}, U("/bin/sh"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(U("not valid UTF-8"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(U("does not exist"))) << r.err.toStdString();
    EXPECT_EQ(r.out, U("renamed: b.mp3 -> b.ogg\n"));
    EXPECT_EQ(::access(raw.constData(), F_OK), 0);
}

TEST_F(CommandLineEndToEnd, BadCommandLinesLeaveFilesAlone) {
    Tagged("a.mp3", "Velt", "Harbour", "1");
    const QList<QStringList> bad = {
        {U("a.mp3")}, {U("+rename=%title.mp3")}, {U("+ext="), U("a.mp3")}};
    for (const QStringList& arguments : bad) {
        const Outcome r = Run(arguments);
        EXPECT_EQ(r.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_EQ(Files(), QStringList{U("a.mp3")});
    }
    // Nobody can answer the question for a missing extension without a usable screen.
    for (const QStringList& screen :
         {QStringList{U("QT_QPA_PLATFORM=offscreen")}, QStringList{U("DISPLAY=:97")}}) {
        const Outcome r = Run({U("+ext="), U("a.mp3")}, screen);
        EXPECT_EQ(r.status, 2) << screen.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(U("no usable extension"))) << r.err.toStdString();
        EXPECT_EQ(Files(), QStringList{U("a.mp3")});
    }
    const Outcome help = Run({U("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(U("Usage: zarn")));
    EXPECT_EQ(Files(), QStringList{U("a.mp3")});
}

}  // namespace
