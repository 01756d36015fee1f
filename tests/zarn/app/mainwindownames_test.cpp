// The name engine inside the main window: options window, box limits, pattern boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/zarn/app/windowtest.h"
#include "zarn/names/frmoptions.h"
#include "zarn/shell/filelistview.h"

namespace {

class MainWindowNames : public WindowTest {
  protected:
    QString Tagged(const char* name, const char* artist, const char* title) {
        const QString path = data.filePath(U(name));
        mp3::WriteFile(path, mp3::ID3v2Tag({mp3::V2TextFrame("TPE1", artist),
                                            mp3::V2TextFrame("TIT2", title)}) +
                                 mp3::Audio(2));
        return path;
    }
    frmZarn& Shown() {
        frmZarn& w = open();
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    static void TypeOutPattern(frmZarn& w, const QString& pattern) {
        w.cmbOutPattern->setFocus();
        w.cmbOutPattern->setEditText(QString());
        QTest::keyClicks(w.cmbOutPattern->lineEdit(), pattern);
    }
};

TEST_F(MainWindowNames, OptionsButtonOpensTheWindowAndOkFitsTheID3v1Boxes) {
    frmZarn& w = open();
    w.panel.txtAlbum->setText(QString(20, u'a'));
    EXPECT_EQ(w.panel.txtArtist->maxLength(), 30);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(options, nullptr);
        seen = true;
        options->chkOptimizeID3v1->setChecked(true);
        QTest::mouseClick(options->cmdOk, Qt::LeftButton);
    });
    QTest::mouseClick(w.cmdOptions, Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(values.options.bOptimizedID3v1);
    EXPECT_EQ(setting("bOptimizedID3v1"), U("1"));
    EXPECT_EQ(w.panel.txtArtist->maxLength(), 39);
    EXPECT_TRUE(QFile::exists(homeFile("replaces.txt")));
}

TEST_F(MainWindowNames, EditedOutputPatternNamesTheShownFile) {
    frmZarn& w = Shown();
    w.fileList().addPath(Tagged("x.mp3", "Velt", "Harbour"));
    w.lstFiles->selectRows({0});
    w.panel.txtOldName->setText(U("x.mp3"));
    w.panel.chkID3v2->setChecked(true);
    w.panel.txtV2Artist->setText(U("Velt"));
    w.panel.txtV2Title->setText(U("Harbour"));
    TypeOutPattern(w, U("%title - %artist.mp3"));
    EXPECT_EQ(w.panel.txtNewName->text(), U("Harbour - Velt.mp3"));
}

TEST_F(MainWindowNames, LeavingTheChangedPatternRenamesTheSelectedPreviewRows) {
    frmZarn& w = Shown();
    w.fileList().addPath(Tagged("a.mp3", "Velt", "One"));
    w.fileList().addPath(Tagged("b.mp3", "Velt", "Two"));
    w.chkPreview->setChecked(true);
    w.fileList().rebuildPreview();
    ASSERT_EQ(w.fileList().preview().rowCount(), 2);
    const QString second = w.fileList().preview().text(1);
    w.lstPreview->selectRows({0});
    TypeOutPattern(w, U("%title (%artist).mp3"));
    w.panel.txtNewName->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_TRUE(prompter.shown[0].endsWith(
        U("Would you like to apply the new pattern to selected files?")));
    EXPECT_EQ(w.fileList().preview().text(0), U("One (Velt).mp3"));
    EXPECT_EQ(w.fileList().preview().text(1), second);
    EXPECT_EQ(w.lstPreview->selectedRows(), QList<int>{0});
}

}  // namespace
