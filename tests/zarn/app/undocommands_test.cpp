// The Edit menu: "Undo" names the newest kept operation, asks, takes it back and hands the files
// put back to the window; "History..." takes back an older one with every newer one, after a
// question that says so.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/app/frmhistory.h"
#include "zarn/app/undocommands.h"
#include "zarn/shell/fileops.h"
#include "zarn/shell/journalrecord.h"

namespace {

class UndoCommandsTest : public testing::Test {
  protected:
    void SetUp() override {
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(U("state"))));
        window.menuBar()->addMenu(U("File"));
        window.menuBar()->addMenu(U("ID3"));
        undo = new UndoCommands(
            {window.menuBar(), &window, prompter, [this](const QStringList& b) { back = b; }},
            &window);
        ASSERT_TRUE(mp3::WriteFile(at("a.mp3"), "music"));
        // Two operations, each renaming the file once: a -> b, then b -> c.
        for (const auto& [kind, from, to] : {std::tuple{"Rename Files", "a.mp3", "b.mp3"},
                                             std::tuple{"Sort (rename)", "b.mp3", "c.mp3"}}) {
            const RecordedOperation recorded(U(kind));
            ASSERT_FALSE(RenameWithoutOverwrite(at(from), at(to)).failed());
        }
    }
    void TearDown() override { qunsetenv("XDG_STATE_HOME"); }
    QString at(const char* name) const { return dir.filePath(U(name)); }
    QString caption() {
        emit undo->mnuEdit->aboutToShow();
        return undo->mnuUndo->text();
    }

    QTemporaryDir dir;
    QMainWindow window;
    ScriptedPrompter prompter;
    UndoCommands* undo = nullptr;
    QStringList back;
};

TEST_F(UndoCommandsTest, UndoNamesAsksAndTakesTheNewestBack) {
    EXPECT_EQ(window.menuBar()->actions().at(1)->menu(), undo->mnuEdit);  // right of File
    EXPECT_EQ(undo->mnuUndo->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(caption(), U("&Undo Sort (rename) (1 file)"));

    prompter.answers = {Prompter::Answer::No};
    undo->mnuUndo->trigger();
    EXPECT_EQ(prompter.questions, QStringList{U("Zarn|Undo Sort (rename) (1 file)?")});
    EXPECT_TRUE(QFile::exists(at("c.mp3")));

    undo->mnuUndo->trigger();
    EXPECT_TRUE(QFile::exists(at("b.mp3")));
    EXPECT_FALSE(QFile::exists(at("c.mp3")));
    EXPECT_EQ(back, QStringList{at("b.mp3")});
    EXPECT_EQ(caption(), U("&Undo Rename Files (1 file)"));
    undo->mnuUndo->trigger();
    EXPECT_TRUE(QFile::exists(at("a.mp3")));
    EXPECT_EQ(caption(), U("&Undo"));
    EXPECT_TRUE(prompter.criticals.isEmpty()) << prompter.criticals.join(u'\n').toStdString();
    undo->mnuUndo->trigger();
    EXPECT_EQ(prompter.informations, QStringList{U("There is nothing to undo.")});
}

TEST_F(UndoCommandsTest, HistoryTakesBackTheNewerOnesFirst) {
    // The window lists both, newest first; the older one is chosen.
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* history = qobject_cast<frmHistory*>(QApplication::activeModalWidget());
        ASSERT_NE(history, nullptr);
        for (int row = 0; row < history->lstOperations->topLevelItemCount(); ++row)
            listed << history->lstOperations->topLevelItem(row)->text(1) + u' ' +
                          history->lstOperations->topLevelItem(row)->text(2);
        history->lstOperations->setCurrentItem(history->lstOperations->topLevelItem(1));
        history->cmdUndo->click();
    });
    undo->mnuHistory->trigger();
    EXPECT_EQ(listed, (QStringList{U("Sort (rename) 1"), U("Rename Files 1")}));
    ASSERT_EQ(prompter.questions.size(), 1);
    EXPECT_TRUE(prompter.questions[0].contains(U("1 newer operation(s) must be undone first")));
    EXPECT_TRUE(QFile::exists(at("a.mp3")));
    EXPECT_EQ(caption(), U("&Undo"));
}

}  // namespace
