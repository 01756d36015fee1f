// The real player on this machine's audio: plays a corpus file for a moment where there is an
// audio device, and reports the missing device (without hanging) where there is none.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/extras/playercontrol.h"
#include "zarn/extras/qtplayer.h"

namespace {

class QtPlayerSmokeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        song = dir.filePath(QStringLiteral("xing.mp3"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZARN_CORPUS_DIR "/mutagen/xing.mp3"), song));
    }
    static bool HasAudioDevice() { return QtPlayer::HasAudioOutput(); }

    QTemporaryDir dir;
    QString song;
};

TEST_F(QtPlayerSmokeTest, PlaysACorpusFileForAMoment) {
    if (!HasAudioDevice()) GTEST_SKIP() << "no audio output device on this machine";
    QtPlayer player;
    QSignalSpy states(&player, &Player::playStateChanged);
    QSignalSpy failures(&player, &Player::failed);
    player.setVolume(-2600);  // quietly
    player.setFileName(song);
    if (states.isEmpty()) states.wait(5000);
    ASSERT_TRUE(failures.isEmpty()) << failures.first().first().toString().toStdString();
    ASSERT_FALSE(states.isEmpty()) << "the player never started";
    EXPECT_EQ(states.first().first().toInt(), int(Player::Playing));
    EXPECT_EQ(player.fileName(), song);
    QTest::qWait(500);  // a moment of sound
    player.stop();
    QElapsedTimer waited;
    waited.start();
    while (states.last().first().toInt() != Player::Stopped && waited.elapsed() < 3000)
        states.wait(100);
    EXPECT_EQ(states.last().first().toInt(), int(Player::Stopped));
}

TEST_F(QtPlayerSmokeTest, ReportsTheEndOfTheFile) {
    if (!HasAudioDevice()) GTEST_SKIP() << "no audio output device on this machine";
    QtPlayer player;
    QSignalSpy ends(&player, &Player::endOfStream);
    player.setVolume(-2600);
    player.setFileName(song);  // about two seconds long
    EXPECT_TRUE(ends.wait(10000)) << "the end of playback was never reported";
}

// Loading another file stops the first one inside the player; that stop must not unload the
// file just chosen.
TEST_F(QtPlayerSmokeTest, PlayingAnotherFileKeepsIt) {
    if (!HasAudioDevice()) GTEST_SKIP() << "no audio output device on this machine";
    const QString other = dir.filePath(QStringLiteral("other.mp3"));
    ASSERT_TRUE(QFile::copy(song, other));
    QtPlayer player;
    ScriptedPrompter prompter;
    PlayerControl control(player, prompter);
    player.setVolume(-2600);
    control.playFile(song, false);
    QTest::qWait(300);
    control.playFile(other, false);
    QTest::qWait(500);
    EXPECT_EQ(player.fileName(), other);
    EXPECT_EQ(control.pageToolTip(), QStringLiteral("Now Playing: ") + other);
    EXPECT_TRUE(prompter.criticals.isEmpty());
    control.stop();
}

TEST_F(QtPlayerSmokeTest, WithoutAnAudioDevicePlayingSaysSoAtOnce) {
    if (HasAudioDevice()) GTEST_SKIP() << "this machine has an audio output device";
    QtPlayer player;
    QSignalSpy failures(&player, &Player::failed);
    QElapsedTimer took;
    took.start();
    player.setFileName(song);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(
        failures.first().first().toString().contains(QStringLiteral("no audio output device")));
    EXPECT_TRUE(player.fileName().isEmpty());
    EXPECT_LT(took.elapsed(), 5000);
}

}  // namespace
