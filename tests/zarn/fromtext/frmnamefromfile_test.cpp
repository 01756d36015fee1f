// The window as a user drives it: files handed over, a pasted album text, a scan, a rename.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/support/fakeprogress.h"
#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/fromtext/frmedit.h"
#include "zarn/fromtext/frmnamefromfile.h"
#include "zarn/shell/filedialogs.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/programvalues.h"
#include "zarn/tags/id3v2.h"

namespace {

class NoDialogs : public FileDialogs {
  public:
    Choice open(const QString& folder, const QString& filter, bool) override {
        openedIn = folder;
        filters << filter;
        return {chosen};
    }
    Choice save(const QString&, const QString&) override { return {}; }
    QString folder(const QString&, const QString&) override { return {}; }
    QStringList chosen;
    QString openedIn;
    QStringList filters;
};

// Runs `answer` on the next modal window as soon as it is open.
void WhenModalShows(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            answer(modal);
        }
    });
    poll->start(10);
}

class NameFromFileWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        qputenv("ZARN_HOME", m_home.path().toUtf8());
        for (const char* name : {"c.mp3", "a.mp3", "b.mp3"})
            ASSERT_TRUE(mp3::WriteFile(m_music.filePath(U(name)), mp3::Audio(3)));
        m_window = new frmNameFromFile({m_values, m_prompter, m_dialogs, U("%artist - %title.mp3"),
                                        U("%track - %artist - %title.mp3"), [] { return false; },
                                        [] { return 1; },
                                        [this](int total) -> Progress& {
                                            m_total = total;
                                            return m_progress;
                                        },
                                        [this](bool close) { m_finished << close; }});
    }
    void TearDown() override { delete m_window; }

    QTemporaryDir m_home, m_music;
    ProgramValues m_values;
    ScriptedPrompter m_prompter;
    NoDialogs m_dialogs;
    FakeProgress m_progress;
    int m_total = 0;
    QList<bool> m_finished;  // "Done!" shown, and whether the window closed
    frmNameFromFile* m_window = nullptr;
};

TEST_F(NameFromFileWindowTest, PasteScanAndRename) {
    frmNameFromFile& w = *m_window;
    w.addOldEntries({EntryFromPath(m_music.filePath(U("a.mp3"))),
                     EntryFromPath(m_music.filePath(U("c.mp3"))),
                     EntryFromPath(m_music.filePath(U("b.mp3")))});
    EXPECT_EQ(w.lblNrOldFiles->text(), U("3 files"));
    EXPECT_EQ(w.cmbInPattern->currentText(), U("%artist - %title.mp3"));
    // c.mp3 belongs last: move it down one row.
    w.lstOldFileNames->setCurrentRow(1);
    QTest::mouseClick(w.cmdMoveDn, Qt::LeftButton);
    EXPECT_EQ(NameFromEntry(w.lstOldFileNames->item(2)->text()), U("c.mp3"));
    EXPECT_EQ(w.lstOldFileNames->currentRow(), 2);

    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QApplication::clipboard()->setText(
        U("Artist: Velt\nAlbum: A Very Long Album Name That Does Not Fit\nYear: 2004\n"
          "1. Golden Hour\n2. Salt and Stone\n3. Ström\n"));
    w.txtSourceText->setFocus();
    QTest::keyClick(w.txtSourceText, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.txtArtist->text(), U("Velt"));
    EXPECT_EQ(w.txtYear->text(), U("2004"));
    EXPECT_EQ(w.txtAlbum->toolTip(), U("Album (More than 30 characters)"));
    EXPECT_EQ(w.txtAlbum->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(w.txtArtist->toolTip(), U("Artist"));

    // Select the track lines only.
    QTextCursor cursor = w.txtSourceText->textCursor();
    cursor.setPosition(int(w.txtSourceText->toPlainText().indexOf(U("1."))));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    w.txtSourceText->setTextCursor(cursor);
    w.cmbInPattern->setEditText(U("%track. %title.mp3"));
    QTest::keyClicks(w.cmbOutPattern->lineEdit(), U("?"));  // refused
    QTest::mouseClick(w.cmdScan, Qt::LeftButton);
    ASSERT_EQ(w.lstNewFileNames->count(), 3);
    EXPECT_EQ(w.lstNewFileNames->item(2)->text(), U("03 - Velt - Ström.mp3"));
    EXPECT_EQ(w.lblNrNewFiles->text(), U("3 files"));

    // Clicking an old file selects its new name; the edit window changes the name.
    QTest::mouseClick(w.lstOldFileNames->viewport(), Qt::LeftButton, {},
                      w.lstOldFileNames->visualItemRect(w.lstOldFileNames->item(1)).center());
    EXPECT_EQ(w.lstNewFileNames->currentRow(), 1);
    WhenModalShows([](QWidget* modal) {
        auto* edit = qobject_cast<frmEdit*>(modal);
        ASSERT_NE(edit, nullptr);
        edit->txtReplace->setText(U("Salt"));
        edit->txtWith->setText(U("Sea"));
        QTest::mouseClick(edit->cmdReplace, Qt::LeftButton);
        QTest::mouseClick(edit->cmdOK, Qt::LeftButton);
    });
    const QPoint second = w.lstNewFileNames->visualItemRect(w.lstNewFileNames->item(1)).center();
    QTest::mousePress(w.lstNewFileNames->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseRelease(w.lstNewFileNames->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(w.lstNewFileNames->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(w.lstNewFileNames->item(1)->text(), U("02 - Velt - Sea and Stone.mp3"));

    w.chkSaveID3v2->setChecked(true);
    w.chkAlbum4All->setChecked(true);
    QTest::mouseClick(w.cmdRenameFiles, Qt::LeftButton);
    EXPECT_EQ(QDir(m_music.path()).entryList(QDir::Files),
              QStringList({U("01 - Velt - Golden Hour.mp3"), U("02 - Velt - Sea and Stone.mp3"),
                           U("03 - Velt - Ström.mp3")}));
    EXPECT_EQ(ReadID3v2(m_music.filePath(U("03 - Velt - Ström.mp3"))).Album,
              U("A Very Long Album Name That Does Not Fit"));
    EXPECT_EQ(m_total, 3);
    EXPECT_EQ(m_progress.steps.size(), 3);
    EXPECT_EQ(m_finished, QList<bool>({false}));
    // Done: the window is reset for the next album.
    EXPECT_EQ(w.lstOldFileNames->count(), 0);
    EXPECT_TRUE(w.txtSourceText->toPlainText().isEmpty());
    EXPECT_FALSE(w.chkSaveID3v2->isChecked());
    EXPECT_TRUE(m_prompter.shown.isEmpty());
}

TEST_F(NameFromFileWindowTest, OpensASourceFileBesideTheFirstOldFile) {
    frmNameFromFile& w = *m_window;
    w.addOldEntries({EntryFromPath(m_music.filePath(U("a.mp3")))});
    m_dialogs.chosen = {QStringLiteral(ZARN_ALBUMS_DIR "/numbered-cp1252.txt")};
    w.mnuOpenSource->trigger();
    EXPECT_EQ(QDir(m_dialogs.openedIn), QDir(m_music.path()));
    EXPECT_EQ(m_dialogs.filters.last(), U("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    EXPECT_TRUE(w.txtSourceText->toPlainText().contains(U("04. Sjöman")));
    EXPECT_EQ(w.txtAlbum->text(), U("Harbour Lights"));
    EXPECT_EQ(QDir(m_values.lastDialogFolder), QDir(QStringLiteral(ZARN_ALBUMS_DIR)));

    m_dialogs.chosen = {m_music.filePath(U("b.mp3")), m_music.filePath(U("c.mp3"))};
    QTest::mouseClick(w.cmdAddFiles, Qt::LeftButton);
    EXPECT_EQ(m_dialogs.filters.last(),
              U("MP3 Files (*.mp3;*.mp2)|*.mp3;*.mp2|All Files (*.*)|*.*"));
    EXPECT_EQ(w.lblNrOldFiles->text(), U("3 files"));
    w.lstOldFileNames->setCurrentRow(0);
    QTest::keyClick(w.lstOldFileNames, Qt::Key_Delete);
    EXPECT_EQ(NameFromEntry(w.lstOldFileNames->item(0)->text()), U("b.mp3"));
    QTest::mouseClick(w.cmdClearOld, Qt::LeftButton);
    EXPECT_EQ(w.lblNrOldFiles->text(), U("0 files"));
}

TEST_F(NameFromFileWindowTest, EditWindowTakesTheSelectionIntoReplace) {
    frmEdit edit(U("01 - Velt - Song.mp3"));
    edit.show();
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    edit.txtFixedName->setFocus();
    edit.txtFixedName->setSelection(5, 4);
    edit.txtReplace->setFocus();
    EXPECT_EQ(edit.txtReplace->text(), U("Velt"));
    EXPECT_EQ(edit.txtReplace->selectedText(), U("Velt"));
    edit.txtWith->setText(U("Mira"));
    QTest::mouseClick(edit.cmdReplace, Qt::LeftButton);
    EXPECT_EQ(edit.fixedName(), U("01 - Mira - Song.mp3"));
}

}  // namespace
