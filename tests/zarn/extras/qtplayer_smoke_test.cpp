// The real player on this machine's audio: plays a corpus file for a moment where there is an
// audio device, and reports the missing device (without hanging) where there is none.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "zarn/extras/qtplayer.h"

namespace {

class QtPlayerSmokeTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "qtplayer_smoke_test";
        static char* argv[] = {name, nullptr};
        if (!qApp) new QCoreApplication(argc, argv);
    }
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
    EXPECT_TRUE(states.wait(5000) || !states.isEmpty()) << "the player never started";
    ASSERT_TRUE(failures.isEmpty()) << failures.first().first().toString().toStdString();
    EXPECT_EQ(states.first().first().toInt(), int(Player::Playing));
    EXPECT_EQ(player.fileName(), song);
    QSignalSpy(&player, &Player::endOfStream).wait(500);
    player.stop();
    QElapsedTimer waited;
    waited.start();
    while (states.last().first().toInt() != Player::Stopped && waited.elapsed() < 3000)
        states.wait(100);
    EXPECT_EQ(states.last().first().toInt(), int(Player::Stopped));
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
