// "Fix ID3" in the main window: one shown file only gets its boxes cleaned; a selection is
// fixed and written file by file, and the panel is emptied afterwards.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/mp3writer.h"
#include "tests/zarn/app/windowtest.h"
#include "zarn/app/listcommands.h"
#include "zarn/shell/filelistview.h"
#include "zarn/tags/id3v1.h"

namespace {

class FixID3WindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        open();
        window->cmbInPattern->setEditText(QStringLiteral("%track - %artist - %title.mp3"));
    }
    QString file(const char* name, const char* title) {
        const QString path = data.filePath(QString::fromUtf8(name));
        mp3::V1 v1;
        v1.title = title;
        EXPECT_TRUE(mp3::WriteFile(path, mp3::Audio(6) + mp3::ID3v1Tag(v1)));
        return path;
    }
    void select(const QList<int>& rows) {
        window->lstFiles->selectionModel()->setCurrentIndex(
            window->lstFiles->model()->index(rows.last(), 0), QItemSelectionModel::NoUpdate);
        window->lstFiles->clearSelection();
        window->lstFiles->selectRows(rows);
        emit window->fileRowChosen(rows.last());
    }
};

TEST_F(FixID3WindowTest, OneFileGetsItsBoxesCleanedAndNothingWritten) {
    const QString path = file("05 - the band - loud song.mp3", "LOUD SONG");
    const QByteArray before = mp3::ReadFile(path);
    window->listCommands().dropOnFiles({path});
    select({0});
    QTest::mouseClick(window->panel.cmdFixID3, Qt::LeftButton);
    const TagPanel& p = window->panel;
    EXPECT_EQ(p.txtTitle->text(), QStringLiteral("Loud Song"));
    EXPECT_EQ(p.txtArtist->text(), QStringLiteral("The Band"));
    EXPECT_EQ(p.txtTrackNr->text(), QStringLiteral("05"));
    EXPECT_FALSE(p.chkID3v2->isChecked());
    EXPECT_EQ(mp3::ReadFile(path), before);
}

TEST_F(FixID3WindowTest, ASelectionIsWrittenAndAFileThatIsGoneLosesItsRow) {
    const QStringList paths = {file("01 - a - one.mp3", "ONE"), file("02 - b - two.mp3", "TWO"),
                               file("03 - c - three.mp3", "THREE")};
    window->listCommands().dropOnFiles(paths);
    select({0});
    // "Select All" makes the several-files state as a selection by hand does.
    QTest::mouseClick(window->cmdSelectAll, Qt::LeftButton);
    ASSERT_TRUE(QFile::remove(paths[1]));
    window->menus.mnuFixID3->trigger();
    EXPECT_EQ(FieldText(ReadID3v1(paths[0]).Title), QStringLiteral("One"));
    EXPECT_EQ(FieldText(ReadID3v1(paths[2]).Artist), QStringLiteral("C"));
    EXPECT_EQ(ReadID3v1(paths[2]).Track, QByteArray(1, '\3'));
    EXPECT_EQ(window->fileList().count(), 2);
    EXPECT_EQ(window->fileList().pathAt(1), paths[2]);
    EXPECT_TRUE(window->panel.txtTitle->text().isEmpty());
    EXPECT_TRUE(window->panel.txtOldName->text().isEmpty());
    EXPECT_TRUE(prompter.criticals.isEmpty());
}

// Neither version ticked, files without tags: nothing can be fixed, and the user is told.
TEST_F(FixID3WindowTest, NoVersionTickedAndNoTagsSaysNothingChanged) {
    QStringList paths;
    for (const char* name : {"01 - a - one.mp3", "02 - b - two.mp3"}) {
        paths << data.filePath(QString::fromUtf8(name));
        ASSERT_TRUE(mp3::WriteFile(paths.last(), mp3::Audio(6)));
    }
    window->listCommands().dropOnFiles(paths);
    select({0, 1});
    ASSERT_FALSE(window->panel.chkID3v1->isChecked() || window->panel.chkID3v2->isChecked());
    window->menus.mnuFixID3->trigger();
    ASSERT_EQ(prompter.informations.size(), 1);
    EXPECT_TRUE(prompter.informations[0].contains(QStringLiteral("Nothing was changed in the 2")))
        << prompter.informations[0].toStdString();
    EXPECT_EQ(mp3::ReadFile(paths[0]), mp3::Audio(6));
    // Ticked, the same run gives the files the tag and says nothing more.
    select({0, 1});
    window->panel.chkID3v1->setChecked(true);
    window->menus.mnuFixID3->trigger();
    EXPECT_EQ(prompter.informations.size(), 1);
    EXPECT_EQ(FieldText(ReadID3v1(paths[1]).Title), QStringLiteral("Two"));
}

}  // namespace
