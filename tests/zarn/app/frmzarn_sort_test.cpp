// The sorting commands as the main window offers them: the menu and F5 entries, the window
// hidden for the run, and the next row chosen after a quick rename.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include "tests/support/mp3writer.h"
#include "tests/zarn/app/windowtest.h"
#include "zarn/shell/filelistview.h"
#include "zarn/sort/frmsorting.h"

namespace {

class SortMenuTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        open().show();
        for (const char* name : {"a.mp3", "b.mp3"}) {
            mp3::WriteFile(data.filePath(U(name)), mp3::Audio(2));
            window->fileList().addPath(data.filePath(U(name)));
        }
        child<QCheckBox>("chkConvert")->setChecked(false);
    }
    template <typename T>
    T* child(const QByteArray& name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    void chooseMethod(int method) {
        child<QRadioButton>(QStringLiteral("optMethod%1").arg(method).toLatin1())->click();
    }
};

TEST_F(SortMenuTest, SortAllFilesMovesEveryFileAndShowsTheWindowAgain) {
    chooseMethod(kMethodMove);
    child<QLineEdit>("txtTargetDir")->setText(data.filePath(U("sorted")));
    prompter.answer = Prompter::Answer::Yes;  // create the target folder
    window->menus.mnuSortAll->trigger();
    EXPECT_EQ(QDir(data.filePath(U("sorted"))).entryList(QDir::Files),
              (QStringList{U("a.mp3"), U("b.mp3")}));
    EXPECT_EQ(window->fileList().count(), 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->lblFiles->text(), U("0 files (0 Mb)"));
    frmSorting* progress = window->findChild<frmSorting*>();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->cmdPause->text(), U("Done!"));
    EXPECT_EQ(progress->lblTotFiles->text(), U("2"));
    // The end says what was done, in the progress window and the status bar.
    EXPECT_EQ(progress->lblMethod->text(), U("Done: 2 files moved."));
    EXPECT_EQ(window->statusBar()->currentMessage(), U("Done: 2 files moved."));
}

// Renaming the current row takes the name as typed in the panel, needs no target folder, and
// chooses the row that moved into place for the next F5.
TEST_F(SortMenuTest, QuickSortRenamesTheCurrentRowByTheTypedName) {
    chooseMethod(kMethodRename);
    child<QLineEdit>("txtTargetDir")->clear();
    window->lstFiles->setCurrentIndex(window->lstFiles->model()->index(0, 0));
    window->panel.txtNewName->setText(U("typed.mp3"));
    window->menus.mnuQuickSort->trigger();
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files), (QStringList{U("b.mp3"), U("typed.mp3")}));
    EXPECT_EQ(window->fileList().count(), 1);
    EXPECT_EQ(window->lstFiles->currentIndex().row(), 0);
    EXPECT_EQ(window->panel.txtOldName->text(), U("b.mp3"));
}

}  // namespace
