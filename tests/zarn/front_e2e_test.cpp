// The front `zarn` copied into a folder of its own, beside a stand-in for the window program that
// only reports how it was started: which modes are handed over, and with which arguments.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/programrun.h"
#include "tests/support/qtstrings.h"

namespace {

// The stand-in's exit status, which the front's own modes never end with.
constexpr int kHandedOver = 7;
constexpr QFileDevice::Permissions kExecutable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

class Front : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The messages name the folder as the system resolves it.
        root = QDir(dir.path()).canonicalPath() + u'/';
        for (const char* sub : {"bin", "music", "home", "config"}) QDir().mkpath(root + U(sub));
        front = root + U("bin/zarn");
        window = root + U("bin/zarn-window");
        ASSERT_TRUE(QFile::copy(U(ZARN_EXECUTABLE), front));
        QFile script(window);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\necho zarn-window\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done\n"
            "exit 7\n");
        script.close();
        ASSERT_TRUE(QFile::setPermissions(window, kExecutable));
    }
    ProgramRun Run(const QString& program, const QStringList& arguments,
                   const QStringList& screen = {}) {
        return RunProgram(program, arguments, root + U("music"), root, screen);
    }
    // What the stand-in prints when it is started with `arguments`.
    static QString HandedOver(const QStringList& arguments) {
        QString out = U("zarn-window\n");
        for (const QString& argument : arguments) out += argument + u'\n';
        return out;
    }

    QTemporaryDir dir;
    QString root, front, window;
};

TEST_F(Front, HandsOnlyTheWindowModesOver) {
    // `status` kHandedOver: the stand-in ran; else what the front's own run of the mode ends with.
    struct Row {
        QStringList arguments, screen;
        int status;
    };
    const QList<Row> rows = {
        {{}, {}, kHandedOver},
        {{U("--add"), U("a.mp3"), U("b c.mp3")}, {}, kHandedOver},
        // The question for a missing extension, wherever a display may show it.
        {{U("+ext="), U("a.mp3")}, {U("QT_QPA_PLATFORM=offscreen")}, kHandedOver},
        {{U("+ext="), U("a.mp3")}, {U("DISPLAY=:97")}, kHandedOver},
        {{U("+ext="), U("a.mp3")}, {U("WAYLAND_DISPLAY=wayland-97")}, kHandedOver},
        {{U("+ext="), U("a.mp3")}, {}, 2},
        {{U("+ext="), U("a.mp3")}, {U("DISPLAY=")}, 2},
        {{U("+ext=")}, {U("DISPLAY=:97")}, 2},
        {{U("+ext=ogg"), U("a.mp3")}, {U("DISPLAY=:97")}, 1},
        {{U("+rename=%title.mp3"), U("a.mp3")}, {U("DISPLAY=:97")}, 1},
        {{U("--help")}, {U("DISPLAY=:97")}, 0},
        {{U("--list"), U(".")}, {U("DISPLAY=:97")}, 0},
    };
    for (const Row& row : rows) {
        const ProgramRun r = Run(front, row.arguments, row.screen);
        const std::string what = (row.arguments + row.screen).join(u' ').toStdString();
        EXPECT_EQ(r.status, row.status) << what << "\n" << r.err.toStdString();
        if (row.status == kHandedOver)
            EXPECT_EQ(r.out, HandedOver(row.arguments)) << what;
        else
            EXPECT_FALSE(r.out.startsWith(U("zarn-window\n"))) << what;
    }
}

TEST_F(Front, FindsTheWindowProgramBesideItselfNotBesideItsName) {
    const QString link = root + U("music/zarn");
    ASSERT_TRUE(QFile::link(front, link));
    const ProgramRun r = Run(link, {U("--add"), U("x.mp3")});
    EXPECT_EQ(r.status, kHandedOver) << r.err.toStdString();
    EXPECT_EQ(r.out, HandedOver({U("--add"), U("x.mp3")}));
}

TEST_F(Front, SaysWhyTheWindowProgramCannotStart) {
    ASSERT_TRUE(QFile::setPermissions(window, QFileDevice::ReadOwner));
    ProgramRun r = Run(front, {U("--add"), U("x.mp3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, U("zarn: cannot start %1: Permission denied\n").arg(window));
    EXPECT_TRUE(r.out.isEmpty());

    ASSERT_TRUE(QFile::remove(window));
    r = Run(front, {U("--add"), U("x.mp3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, U("zarn: cannot start %1: No such file or directory\n").arg(window));
}

}  // namespace
