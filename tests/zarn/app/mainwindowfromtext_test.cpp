// File > "Get Filenames From File..." hands the selection to the album window and hides the
// main window until that window closes.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>

#include "tests/zarn/app/windowtest.h"
#include "zarn/fromtext/frmnamefromfile.h"
#include "zarn/shell/filelistview.h"

namespace {

frmNameFromFile* OpenAlbumWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<frmNameFromFile*>(top); window && window->isVisible())
            return window;
    return nullptr;
}

QStringList OldEntries(const frmNameFromFile& window) {
    QStringList entries;
    for (int i = 0; i < window.lstOldFileNames->count(); ++i)
        entries << window.lstOldFileNames->item(i)->text();
    return entries;
}

class NameFromFileCommandTest : public WindowTest {};

TEST_F(NameFromFileCommandTest, HandsOverTheSelectionOrEveryRow) {
    frmZarn& main = open();
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"})
        main.fileList().addPath(dataFile(name, 10));
    const QStringList rows = main.fileList().files().texts();
    main.show();
    // One selected row of five hands over all five, each once.
    const std::pair<QList<int>, QStringList> cases[] = {{{2}, rows},
                                                        {{0, 2, 4}, {rows[0], rows[2], rows[4]}}};
    for (const auto& [selected, expected] : cases) {
        main.lstFiles->clearSelection();
        main.lstFiles->selectRows(selected);
        main.menus.mnuNameFromFile->trigger();
        frmNameFromFile* album = OpenAlbumWindow();
        ASSERT_NE(album, nullptr);
        EXPECT_EQ(OldEntries(*album), expected);
        EXPECT_EQ(album->cmbOutPattern->currentText(), main.cmbOutPattern->currentText());
        EXPECT_FALSE(main.isVisible());
        album->close();
        EXPECT_TRUE(main.isVisible());
    }
}

}  // namespace
