#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "tests/support/mp3writer.h"
#include "tests/zarn/app/windowtest.h"
#include "zarn/app/listcommands.h"
#include "zarn/shell/filelistview.h"

namespace {

class FileInfoTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        open();
    }
    QString tagged(const char* name) {
        const QString path = data.filePath(QString::fromUtf8(name));
        mp3::V1 v1;
        v1.title = "Harbour";
        v1.artist = "Velt";
        v1.track = 5;
        v1.genre = 17;
        const QByteArray v2 = mp3::ID3v2Tag(
            {mp3::V2TextFrame("TIT2", "Harbour (Live)"), mp3::V2TextFrame("TCON", "(9)"),
             mp3::V2Frame("APIC", QByteArray(20, 'p'))},
            30);
        EXPECT_TRUE(mp3::WriteFile(path, v2 + mp3::Audio(10) + mp3::ID3v1Tag(v1)));
        return path;
    }
    void choose(int row) {
        window->lstFiles->clearSelection();
        window->lstFiles->selectRows({row});
        emit window->fileRowChosen(row);
    }
};

TEST_F(FileInfoTest, ChoosingARowShowsItsTagsAndStream) {
    window->listCommands().dropOnFiles({tagged("a.mp3")});
    choose(0);
    const TagPanel& p = window->panel;
    EXPECT_TRUE(p.chkID3v1->isChecked());
    EXPECT_TRUE(p.chkID3v2->isChecked());
    EXPECT_TRUE(window->panelState().shown.hadID3v1);
    EXPECT_EQ(p.txtTitle->text(), QStringLiteral("Harbour"));
    EXPECT_EQ(p.txtArtist->text(), QStringLiteral("Velt"));
    EXPECT_EQ(p.txtTrackNr->text(), QStringLiteral("5"));
    EXPECT_EQ(p.cmbGenre->currentText(), QStringLiteral("Rock"));
    EXPECT_EQ(p.txtV2Title->text(), QStringLiteral("Harbour (Live)"));
    EXPECT_EQ(p.cmbV2Genre->currentText(), QStringLiteral("Metal"));
    EXPECT_TRUE(window->panelState().shown.hiddenFrames.startsWith("APIC"));
    EXPECT_EQ(p.txtfType->text(), QStringLiteral("MPEG 1.0 layer 3 ID3v1: 1.1 ID3v2: 3.0"));
    EXPECT_EQ(p.txtfkBit->text(), QStringLiteral("128kbps"));
    EXPECT_EQ(p.txtfQuality->text(), QStringLiteral("44100Hz Stereo"));
    EXPECT_EQ(p.txtOldName->text(), QStringLiteral("a.mp3"));
    // "Fix Filenames" is on by default: the new name comes from the boxes.
    EXPECT_EQ(p.txtNewName->text(), QStringLiteral("05 - Velt - Harbour (Live).mp3"));
}

TEST_F(FileInfoTest, AFileWithoutTagsEmptiesWhatTheLastOneShowed) {
    const QString plain = data.filePath(QStringLiteral("b.mp3"));
    ASSERT_TRUE(mp3::WriteFile(plain, mp3::Audio(4)));
    window->listCommands().dropOnFiles({tagged("a.mp3"), plain});
    choose(0);
    choose(1);
    const TagPanel& p = window->panel;
    EXPECT_FALSE(p.chkID3v1->isChecked());
    EXPECT_FALSE(p.chkID3v2->isChecked());
    EXPECT_FALSE(window->panelState().shown.hadID3v2);
    EXPECT_TRUE(p.txtTitle->text().isEmpty());
    EXPECT_TRUE(p.txtV2Title->text().isEmpty());
    EXPECT_TRUE(window->panelState().shown.hiddenFrames.isEmpty());
    EXPECT_EQ(p.txtfHeader->text(), QStringLiteral("Header: 0b"));
}

TEST_F(FileInfoTest, AVanishedFileLosesItsRowAndItsPreviewRow) {
    const QString gone = tagged("gone.mp3");
    window->listCommands().dropOnFiles({tagged("a.mp3"), gone});
    window->chkPreview->setChecked(true);
    ASSERT_EQ(window->fileList().preview().rowCount(), 2);
    QFile::remove(gone);
    window->ShowFileInfo(gone);
    EXPECT_EQ(window->panel.txtOldName->text(), QStringLiteral("The File Does Not Exist!"));
    ASSERT_EQ(window->fileList().count(), 1);
    EXPECT_EQ(window->fileList().preview().rowCount(), 1);
    EXPECT_TRUE(window->fileList().pathAt(0).endsWith(QStringLiteral("a.mp3")));
}

// Rows that leave take the count label along; when the shown file's row leaves, or the whole
// list is replaced, the panel empties, so that a save cannot write one file's tags into another.
TEST_F(FileInfoTest, NoStaleTagsOrCountAfterRowsLeave) {
    struct Step {
        const char* what;
        bool panelEmptied;
        std::function<void(const QString&)> run;
    };
    const Step steps[] = {
        {"choosing a vanished file's row", true,
         [this](const QString& gone) {
             QFile::remove(gone);
             choose(1);
         }},
        {"selecting by tag", false,
         [this](const QString& gone) {
             QFile::remove(gone);
             window->listCommands().selectWithTag(false);
         }},
        {"loading a sorting list", true,
         [this](const QString&) {
             const QString list = data.filePath(QStringLiteral("one.m3u"));
             mp3::WriteFile(list, QFile::encodeName(data.filePath(QStringLiteral("a.mp3"))));
             dialogs.next = {{list}, 1};
             QTest::mouseClick(window->cmdLoad, Qt::LeftButton);
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        window->listCommands().clear();
        const QString gone = tagged("gone.mp3");
        window->listCommands().dropOnFiles({tagged("a.mp3"), gone});
        choose(0);
        ASSERT_EQ(window->panel.txtTitle->text(), QStringLiteral("Harbour"));
        step.run(gone);
        EXPECT_EQ(window->panel.txtTitle->text().isEmpty(), step.panelEmptied);
        EXPECT_EQ(window->panel.txtV2Title->text().isEmpty(), step.panelEmptied);
        EXPECT_EQ(window->panel.chkID3v1->isChecked(), !step.panelEmptied);
        EXPECT_TRUE(window->lblFiles->text().startsWith(QStringLiteral("1 files")))
            << window->lblFiles->text().toStdString();
    }
}

TEST_F(FileInfoTest, SeveralSelectedRowsKeepTheShownFile) {
    window->listCommands().dropOnFiles({tagged("a.mp3"), tagged("b.mp3")});
    choose(0);
    const QString shown = window->panelState().shown.path;
    window->lstFiles->selectRows({0, 1});
    emit window->fileRowChosen(1);
    EXPECT_TRUE(window->panelState().severalFiles);
    EXPECT_EQ(window->panelState().shown.path, shown);
    EXPECT_EQ(window->panel.txtOldName->text(), QStringLiteral("a.mp3"));
    choose(1);
    EXPECT_FALSE(window->panelState().severalFiles);
    EXPECT_TRUE(window->panelState().shown.path.endsWith(QStringLiteral("b.mp3")));
}

}  // namespace
