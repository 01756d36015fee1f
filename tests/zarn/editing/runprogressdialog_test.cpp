// The progress of a long run: nothing shows before the delay, Cancel stops the run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QWidget>

#include "zarn/editing/runprogressdialog.h"

namespace {

TEST(RunProgressDialog, ShowsAfterTheDelayAndCancelStops) {
    QWidget owner;
    {
        RunProgressDialog quiet(&owner, QStringLiteral("Zarn"), 60000);
        quiet.atFile({1, 3, QStringLiteral("/m/a.mp3"), {}});
        EXPECT_EQ(quiet.dialog(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_FALSE(quiet.stopRequested());
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    RunProgressDialog shown(&owner, QStringLiteral("Zarn"), 0);
    shown.atFile({2, 3, QStringLiteral("/m/b.mp3"), {}});
    ASSERT_NE(shown.dialog(), nullptr);
    EXPECT_EQ(shown.dialog()->labelText(), QStringLiteral("b.mp3"));
    EXPECT_EQ(shown.dialog()->maximum(), 3);
    EXPECT_FALSE(shown.stopRequested());
    shown.dialog()->cancel();
    shown.yield();
    EXPECT_TRUE(shown.stopRequested());
}

}  // namespace
