// The extra-frames window over a file's hidden frames.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/editing/frmmoreid3v2.h"
#include "zarn/shell/filedialogs.h"

namespace {

class SaveDialog : public FileDialogs {
  public:
    Choice open(const QString&, const QString&, bool) override { return {}; }
    Choice save(const QString& folder, const QString& filter) override {
        openedIn = folder;
        filters = filter;
        return {{path}, 0};
    }
    QString folder(const QString&, const QString&) override { return {}; }
    QString path, openedIn, filters;
};

const QByteArray kJpeg = "\xFF\xD8\xFF\xE0TXXX\xFF\xD9";
const QByteArray kPicture =
    mp3::V2Frame("APIC", QByteArray("\0image/jpeg\0\x03\0", 14) + kJpeg, false);
const QByteArray kSecond =
    mp3::V2Frame("APIC", QByteArray("\0image/png\0\x04\0", 13) + "PNG", false);
const QByteArray kPriv = mp3::V2Frame("PRIV", QByteArray("o\0data", 6), false);

QStringList Listed(const frmMoreID3v2& window) {
    QStringList ids;
    for (int i = 0; i < window.lstID3v2Tags->count(); ++i)
        ids << window.lstID3v2Tags->item(i)->text();
    return ids;
}

TEST(frmMoreID3v2, ListsRemovesAndAddsRealFrames) {
    QByteArray hidden = kPicture + kSecond + kPriv;
    SaveDialog dialogs;
    ScriptedPrompter prompter;
    frmMoreID3v2 window(hidden, dialogs, prompter, U("/start"));
    EXPECT_EQ(window.windowTitle(), U("More ID3v2 frames"));
    EXPECT_EQ(window.cmbV2Frames->count(), 81);
    // The "TXXX" inside the picture is data, not a frame; each picture has its row.
    EXPECT_EQ(Listed(window),
              (QStringList{U("APIC (Cover (front))"), U("APIC (Cover (back))"), U("PRIV")}));

    // Remove acts on the chosen frame, not on the first with its identifier.
    window.lstID3v2Tags->setCurrentRow(1);
    QTest::mouseClick(window.cmdRemove, Qt::LeftButton);
    EXPECT_EQ(hidden, kPicture + kPriv);
    EXPECT_EQ(Listed(window), (QStringList{U("APIC (Cover (front))"), U("PRIV")}));
    QListWidget* list = window.lstID3v2Tags;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(window.txtTagContent->toPlainText(), U("6 bytes"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(window.txtTagContent->toPlainText(), U("Cover (front), image/jpeg, 10 bytes"));
    QTest::mouseClick(window.cmdRemove, Qt::LeftButton);
    EXPECT_EQ(hidden, kPriv);
    EXPECT_EQ(Listed(window), QStringList{U("PRIV")});

    for (const char* id : {"TXX", "TXXXX", "TXXX"}) {
        window.cmbV2Frames->setEditText(U(id));
        window.txtTagContent->setPlainText(U("abc"));
        QTest::mouseClick(window.cmdAdd, Qt::LeftButton);
    }
    EXPECT_EQ(hidden, kPriv + QByteArray("TXXX\0\0\0\x05\0\0\0\0abc", 15));
    EXPECT_EQ(Listed(window), (QStringList{U("PRIV"), U("TXXX")}));
    EXPECT_TRUE(window.txtTagContent->toPlainText().isEmpty());
    EXPECT_TRUE(window.cmbV2Frames->currentText().isEmpty());
    // The added row knows its frame.
    window.lstID3v2Tags->setCurrentRow(1);
    EXPECT_EQ(window.txtTagContent->toPlainText(), U("abc"));

    QTest::mouseClick(window.cmdRemoveAll, Qt::LeftButton);
    EXPECT_TRUE(hidden.isEmpty());
    EXPECT_EQ(window.lstID3v2Tags->count(), 0);
}

TEST(frmMoreID3v2, SaveAsFileWritesThePictureOverAnOlderLongerFile) {
    QTemporaryDir dir;
    QByteArray hidden = kPriv + kPicture;
    SaveDialog dialogs;
    dialogs.path = dir.filePath(U("cover.jpg"));
    ASSERT_TRUE(mp3::WriteFile(dialogs.path, QByteArray(5000, 'x')));
    ScriptedPrompter prompter;
    frmMoreID3v2 window(hidden, dialogs, prompter, dir.path());
    window.lstID3v2Tags->setCurrentRow(0);  // APIC
    QTest::mouseClick(window.cmdSaveToFile, Qt::LeftButton);
    EXPECT_EQ(mp3::ReadFile(dialogs.path), kJpeg);
    EXPECT_EQ(dialogs.openedIn, dir.path());
    EXPECT_TRUE(dialogs.filters.startsWith(U("Jpeg Picture (*.jpg)|*.jpg|Text File")));
    EXPECT_TRUE(prompter.shown.isEmpty());

    dialogs.path = dir.filePath(U("missing/folder.txt"));
    QTest::mouseClick(window.cmdSaveToFile, Qt::LeftButton);
    EXPECT_EQ(prompter.criticals.size(), 1);
}

}  // namespace
