#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>

#include "tests/support/fakeplayer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/extras/mediaplayerbar.h"
#include "zarn/extras/playfilepage.h"

namespace {

class PlayFilePageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        song = dir.filePath(QStringLiteral("song.mp3"));
        QFile file(song);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("ID3");
    }
    PlayFilePage& page() {
        if (!m_page)
            m_page = std::make_unique<PlayFilePage>(
                player, prompter,
                PlayFilePage::Selection{[this] { return current; }, [this] { return several; }});
        return *m_page;
    }
    // The tip the button shows when the mouse rests on it.
    QString openFileTip() {
        QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
        QApplication::sendEvent(page().cmdOpenMP3, &tip);
        return page().cmdOpenMP3->toolTip();
    }

    QTemporaryDir dir;
    QString song;
    QString current;
    bool several = false;
    FakePlayer player;
    ScriptedPrompter prompter;
    std::unique_ptr<PlayFilePage> m_page;
};

TEST_F(PlayFilePageTest, OpenFilePlaysOnlyOneExistingFile) {
    struct Case {
        const char* what;
        bool deleted;
        bool several;
        bool plays;
    };
    const Case cases[] = {
        {"one existing file", false, false, true},
        {"two files selected", false, true, false},
        {"the file was deleted", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        player.opened.clear();
        current = c.deleted ? dir.filePath(QStringLiteral("gone.mp3")) : song;
        several = c.several;
        page().cmdOpenMP3->click();
        EXPECT_EQ(player.opened, c.plays ? QStringList{song} : QStringList{});
    }
}

TEST_F(PlayFilePageTest, VolumeBarGivesHundredthsOfADecibel) {
    const std::pair<int, int> positions[] = {{0, -2600}, {50, -1300}, {99, -26}, {100, 0}};
    page().VScroll->setValue(50);  // the bar starts at 100, so 100 must be a real change below
    for (const auto& [position, volume] : positions) {
        page().VScroll->setValue(position);
        EXPECT_EQ(player.volume, volume) << "position " << position;
    }
}

TEST_F(PlayFilePageTest, ToolTipsFollowThePlayer) {
    current = song;
    EXPECT_EQ(openFileTip(), QStringLiteral("Open: ") + QDir::toNativeSeparators(song));
    several = true;
    EXPECT_EQ(openFileTip(), QString());
    several = false;

    page().play();
    EXPECT_EQ(page().toolTip(), QStringLiteral("Now Playing: ") + QDir::toNativeSeparators(song));
    player.finish();
    EXPECT_EQ(page().toolTip(), QString());
    EXPECT_EQ(player.fileName(), QString()) << "the end of playback unloads the file";

    page().play();
    page().stop();
    EXPECT_EQ(player.stops, 1);
    EXPECT_EQ(page().toolTip(), QString()) << "stopping is the end of playback";
    EXPECT_EQ(player.opened, (QStringList{song, QString(), song, QString()}));
}

TEST_F(PlayFilePageTest, EmbeddedPlayerShowsWhatItHolds) {
    current = song;
    MediaPlayerBar& bar = *page().MediaPlayer;
    page().play();
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.lblFile->toolTip(), QStringLiteral("song.mp3"));
    EXPECT_TRUE(bar.cmdPause->isEnabled());
    EXPECT_FALSE(bar.cmdPlay->isEnabled());
    player.finish();
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.lblFile->toolTip(), QString());
    EXPECT_FALSE(bar.cmdPlay->isEnabled()) << "nothing is loaded after the end";
    EXPECT_FALSE(bar.cmdStop->isEnabled());
}

TEST_F(PlayFilePageTest, AFileThatCannotBePlayedIsReported) {
    page();
    emit player.failed(QStringLiteral("This computer has no audio output device."));
    EXPECT_EQ(prompter.criticals,
              QStringList{QStringLiteral("This computer has no audio output device.")});
    // With a file loaded the box names it.
    player.setFileName(QStringLiteral("/music/song.mp3"));
    emit player.failed(QStringLiteral("Could not decode the stream."));
    EXPECT_EQ(prompter.criticals.value(1),
              QStringLiteral("Could not decode the stream.\n\nFile: /music/song.mp3"));
}

}  // namespace
