// "Sort All Now!" as the user sees it: the progress window over a hidden main window, its
// labels, and "Pause" or the close box in the middle of a run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/programvalues.h"
#include "zarn/sort/sortingcontrols.h"
#include "zarn/sort/frmsorting.h"
#include "zarn/sort/sortcommands.h"

namespace {

// What the windows looked like while the run was at its first file.
struct Seen {
    bool mainVisible = true;
    bool progressVisible = false;
    QStringList labels;
};

class SortWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        lstFiles->setModel(&list.files());
        lstPreview->setModel(&list.preview());
        controls.buildFoldersPage();
        controls.buildMethodFrame();
        controls.buildExistsFrame();
        controls.applyMethod(kMethodMove);
        controls.txtTargetDir->setText(dir.filePath(U("target")));
        QDir().mkpath(dir.filePath(U("target")));
        cmbIn->addItem(U("%artist - %title.mp3"));
        cmbOut->addItem(U("%artist - %title.mp3"));
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
            mp3::WriteFile(dir.filePath(U(name)), mp3::Audio(2));
            list.addPath(dir.filePath(U(name)));
        }
        main.show();
    }
    // Runs "Sort All Now!"; `during` runs at the first chance the run gives to events.
    Seen sortAll(const std::function<void(frmSorting&)>& during = {}) {
        Seen seen;
        QTimer::singleShot(0, &main, [&] {
            frmSorting& window = commands.progressWindow();
            seen.mainVisible = main.isVisible();
            seen.progressVisible = window.isVisible();
            for (QLabel* label : {window.lblMethod, window.lblFileNr, window.lblTotFiles,
                                  window.lblFile, window.lblTarget})
                seen.labels << label->text();
            if (during) during(window);
        });
        commands.sortAll();
        return seen;
    }

    QTemporaryDir dir;
    QWidget main;
    ProgramValues values;
    ScriptedPrompter prompter;
    FileList list{[](const QString& path) { return QFileInfo(path).fileName(); }};
    FileListView* lstFiles = new FileListView(U("lstFiles"), &main);
    FileListView* lstPreview = new FileListView(U("lstPreview"), &main);
    SortingControls controls{values, &main};
    QComboBox* cmbIn = new QComboBox(&main);
    QComboBox* cmbOut = new QComboBox(&main);
    QLineEdit* txtNewName = new QLineEdit(&main);
    int cleared = 0;
    SortCommands commands{{list, lstFiles, lstPreview, controls, cmbIn, cmbOut, txtNewName, &main,
                           [] { return false; }, [this] { ++cleared; }, [] {}},
                          values,
                          prompter,
                          &main};
};

TEST_F(SortWindowTest, SortAllShowsEachFileOverTheHiddenMainWindow) {
    const Seen seen = sortAll();
    EXPECT_FALSE(seen.mainVisible);
    EXPECT_TRUE(seen.progressVisible);
    const QString folder = QDir::toNativeSeparators(dir.path() + u'/');
    const QString target = QDir::toNativeSeparators(dir.filePath(U("target")) + u'/');
    EXPECT_EQ(seen.labels, (QStringList{U("Moving file:"), U("1"), U("3"), folder + U("\na.mp3"),
                                        target + U("\na.mp3")}));
    frmSorting& window = commands.progressWindow();
    EXPECT_EQ(window.windowTitle(), U("Zarn - Sorting..."));
    EXPECT_EQ(window.lblFileNr->text(), U("3"));
    EXPECT_EQ(window.cmdPause->text(), U("Done!"));
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(cleared, 1);
    QTest::mouseClick(window.cmdPause, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

// "Pause" and the close box both stop after the current file; the rest stays in the list.
TEST_F(SortWindowTest, PauseInTheMiddleKeepsTheRest) {
    sortAll([](frmSorting& window) { QTest::mouseClick(window.cmdPause, Qt::LeftButton); });
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(commands.progressWindow().isVisible());
    EXPECT_EQ(commands.progressWindow().cmdPause->text(), U("Pause"));
}

TEST_F(SortWindowTest, CloseBoxInTheMiddleStopsLikePause) {
    sortAll([](frmSorting& window) { window.close(); });
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(main.isVisible());
}

}  // namespace
