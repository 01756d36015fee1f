// Editing tags in the main window: the panel's two states, its boxes' rules, and "Save ID3".
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "tests/support/mp3writer.h"
#include "tests/zarn/app/windowtest.h"
#include "tests/zarn/tags/mutagenoracle.h"
#include "zarn/app/listcommands.h"
#include "zarn/shell/filelistview.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

// A text dropped on a box as a drag would drop it: the box is entered first, which makes it
// the target of the drop.
void DropText(QWidget* target, const QString& text) {
    QMimeData mime;
    mime.setText(text);
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), actions, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), actions, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
}

class EditingTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        open();
    }
    QString tagged(const char* name, const char* title) {
        const QString path = data.filePath(QString::fromUtf8(name));
        mp3::V1 v1;
        v1.title = title;
        v1.artist = "Velt";
        v1.track = 5;
        v1.genre = 17;
        const QByteArray v2 = mp3::ID3v2Tag(
            {mp3::V2TextFrame("TIT2", title, false), mp3::V2TextFrame("TPE1", "Velt", false),
             mp3::V2Frame("APIC", QByteArray("\0image/png\0\x03\0PNG", 15), false)},
            200);
        EXPECT_TRUE(mp3::WriteFile(path, v2 + mp3::Audio(10) + mp3::ID3v1Tag(v1)));
        return path;
    }
    void add(const QStringList& paths) { window->listCommands().dropOnFiles(paths); }
    void click(int row, Qt::KeyboardModifiers modifiers = {}) {
        FileListView* list = window->lstFiles;
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    TagPanel& panel() { return window->panel; }
};

TEST_F(EditingTest, SeveralRowsEmptyThePanelAndOneRowReloadsIt) {
    add({tagged("a.mp3", "Harbour"), tagged("b.mp3", "Quay")});
    click(0);
    EXPECT_EQ(panel().txtTitle->text(), u"Harbour"_qs);
    EXPECT_TRUE(panel().chkID3v1Rem->isHidden());
    click(1, Qt::ControlModifier);
    EXPECT_TRUE(window->panelState().severalFiles);
    for (QLineEdit* box : {panel().txtTitle, panel().txtArtist, panel().txtV2Title})
        EXPECT_TRUE(box->text().isEmpty());
    EXPECT_FALSE(panel().chkID3v1->isChecked());
    EXPECT_FALSE(panel().chkID3v1Rem->isHidden());
    EXPECT_FALSE(panel().chkID3v2Rem->isHidden());
    EXPECT_TRUE(panel().txtTitle->isReadOnly());

    panel().chkID3v1->setChecked(true);
    panel().chkID3v1Rem->setChecked(true);
    EXPECT_FALSE(panel().chkID3v1->isChecked());
    panel().chkID3v1->setChecked(true);
    EXPECT_FALSE(panel().chkID3v1Rem->isChecked());
    EXPECT_FALSE(panel().txtTitle->isReadOnly());

    click(1);
    EXPECT_FALSE(window->panelState().severalFiles);
    EXPECT_EQ(panel().txtTitle->text(), u"Quay"_qs);
    EXPECT_TRUE(panel().chkID3v1Rem->isHidden());
}

// Rows the list gains or loses (an add, or a sort run removing the rows it sorted) shift the
// selection without being a choice: the panel keeps what was typed, and no reload drops the row
// of a vanished file in the middle of the change.
TEST_F(EditingTest, RowsComingAndGoingDoNotReloadThePanel) {
    const QString gone = tagged("b.mp3", "Quay");
    add({tagged("a.mp3", "Harbour"), gone});
    click(1);  // b.mp3 is the current row
    QTest::mouseClick(window->cmdSelectAll, Qt::LeftButton);
    panel().chkID3v2->setChecked(true);
    panel().txtV2Album->setText(u"Tides"_qs);
    add({tagged("0.mp3", "Dock")});  // sorts first, moving both selected rows down
    ASSERT_TRUE(QFile::remove(gone));
    window->fileList().RemoveRow(1);  // a.mp3: b.mp3 alone stays selected
    EXPECT_EQ(window->fileList().count(), 2);
    EXPECT_EQ(window->lstFiles->selectedRows(), QList<int>{1});
    EXPECT_EQ(panel().txtV2Album->text(), u"Tides"_qs);
}

TEST_F(EditingTest, BoxRules) {
    values.options.bOptimizedID3v1 = true;
    add({tagged("a.mp3", "Harbour")});
    click(0);
    TagPanel& p = panel();
    // Copy to ID3v1 cuts the comment to 28; an empty ID3v2 genre empties the ID3v1 one.
    p.txtV2Comments->setPlainText(QString(40, u'c'));
    QTest::mouseClick(p.cmdCopyToV1, Qt::LeftButton);
    EXPECT_EQ(p.txtComments->text(), QString(28, u'c'));
    EXPECT_EQ(p.cmbGenre->currentIndex(), 0);

    struct Key {
        QLineEdit* box;
        const char* before;
        char key;
        const char* after;
    } keys[] = {{p.txtTrackNr, "9", '+', "10"},      {p.txtTrackNr, "0", '-', "0"},
                {p.txtTrackNr, "*", '+', "*"},       {p.txtTrackNr, "1", 'x', "1"},
                {p.txtV2Track, "3/12", '+', "3/12"}, {p.txtV2Year, "0", '-', "0"},
                {p.txtV2Year, "1999", '+', "2000"},  {p.txtYear, "199", '9', "1999"}};
    p.chkID3v1->setChecked(false);
    p.txtTrackNr->setText(u"7"_qs);
    QTest::keyClick(p.txtTrackNr, '+');
    EXPECT_EQ(p.txtTrackNr->text(), u"7"_qs);  // locked
    p.chkID3v1->setChecked(true);
    for (const Key& k : keys) {
        k.box->setText(QString::fromLatin1(k.before));
        k.box->setFocus();
        QTest::keyClick(k.box, k.key);
        EXPECT_EQ(k.box->text(), QString::fromLatin1(k.after)) << k.before << k.key;
    }

    // Title and artist longer than 30 characters turn light yellow.
    p.txtComments->clear();
    p.txtTitle->setText(QString(31, u't'));
    EXPECT_EQ(p.txtTitle->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(p.txtTitle->toolTip(), u"Title (Optimized=More than 30 characters)"_qs);

    // The description label follows the focus; the comment box opens over the boxes below.
    window->show();
    QApplication::setActiveWindow(window.get());
    const int closed = p.txtV2Comments->height();
    QTest::mouseClick(p.txtV2Comments->viewport(), Qt::LeftButton);
    EXPECT_TRUE(p.txtV2Comments->hasFocus());
    EXPECT_EQ(p.lblDescription2->text(), u"Comments"_qs);
    EXPECT_GT(p.txtV2Comments->height(), 2 * closed);
    p.txtV2Encoder->setFocus();
    EXPECT_EQ(p.lblDescription2->text(), u"Encoded by"_qs);
    EXPECT_EQ(p.txtV2Comments->height(), closed);
}

TEST_F(EditingTest, DroppingTheSelectedArtistOnTheTitleSwapsThem) {
    add({tagged("a.mp3", "Harbour")});
    click(0);
    TagPanel& p = panel();
    p.txtArtist->selectAll();
    DropText(p.txtTitle, p.txtArtist->selectedText());
    EXPECT_EQ(p.txtTitle->text(), u"Velt"_qs);
    EXPECT_EQ(p.txtArtist->text(), u"Harbour"_qs);
    // Text from outside the panel is not inserted.
    DropText(p.txtAlbum, u"Elsewhere"_qs);
    EXPECT_TRUE(p.txtAlbum->text().isEmpty());
    // Dragging from the old name onto the new one gives the whole old name.
    p.txtOldName->setSelection(0, 2);
    DropText(p.txtNewName, p.txtOldName->selectedText());
    EXPECT_EQ(p.txtNewName->text(), u"a.mp3"_qs);
}

TEST_F(EditingTest, UpOnTheFirstRowKeepsItAndReloads) {
    add({tagged("a.mp3", "Harbour"), tagged("b.mp3", "Quay")});
    click(1);
    QTest::keyClick(panel().txtTitle, Qt::Key_Up);
    EXPECT_EQ(window->lstFiles->selectedRows(), QList<int>{0});
    EXPECT_EQ(panel().txtTitle->text(), u"Harbour"_qs);
    panel().txtTitle->setText(u"Unsaved"_qs);
    QTest::keyClick(panel().txtTitle, Qt::Key_Up);
    EXPECT_EQ(window->lstFiles->selectedRows(), QList<int>{0});
    EXPECT_EQ(panel().txtTitle->text(), u"Harbour"_qs);
    QTest::keyClick(panel().txtV2Title, Qt::Key_Down);
    EXPECT_EQ(panel().txtTitle->text(), u"Quay"_qs);
}

TEST_F(EditingTest, SeveralFilesSaveAfterTheSummary) {
    const QStringList paths = {tagged("a.mp3", "Harbour"), tagged("b.mp3", "Quay")};
    add(paths);
    click(0);
    click(1, Qt::ControlModifier);
    TagPanel& p = panel();
    p.chkID3v1->setChecked(true);
    p.txtAlbum->setText(u"Tides"_qs);
    const QByteArray before = mp3::ReadFile(paths[0]);
    prompter.answers << Prompter::Answer::No;  // Cancel
    QTest::mouseClick(p.cmdSaveID3, Qt::LeftButton);
    ASSERT_EQ(prompter.questions.size(), 1);
    EXPECT_EQ(prompter.questions[0],
              u"Zarn|The following attributes will be changed for ALL 2 selected files:\r\n\r\n"
              "ID3v1 (ID3v1 will be added if nonexistent):\r\nAlbum: Tides"_qs);
    EXPECT_EQ(mp3::ReadFile(paths[0]), before);

    QTest::mouseClick(p.cmdSaveID3, Qt::LeftButton);
    for (const QString& path : paths) {
        const ID3v1Record v1 = ReadID3v1(path);
        EXPECT_EQ(FieldText(v1.Album), u"Tides"_qs);
        EXPECT_EQ(FieldText(v1.Artist), u"Velt"_qs);
        EXPECT_EQ(v1.Track, "\x05");
    }
    EXPECT_EQ(FieldText(ReadID3v1(paths[1]).Title), u"Quay"_qs);
    EXPECT_TRUE(window->panelState().severalFiles);
    EXPECT_EQ(window->statusBar()->currentMessage(), u"Saved 2 files"_qs);
}

// A file tagged by mutagen with a picture, TXXX frames and a long comment, its title changed in
// the panel and saved: mutagen reads every other frame as before, the picture byte for byte.
TEST_F(EditingTest, SavingOneFileKeepsEveryFrameItDidNotChange) {
    const QString path = data.filePath(u"mutagen.mp3"_qs);
    ASSERT_TRUE(mp3::WriteFile(path, mp3::Audio(10)));
    oracle::Build(path, 3,
                  QStringLiteral(R"([["TIT2", {"encoding": 1, "text": ["Old title"]}],)"
                                 R"(["TPE1", {"encoding": 0, "text": ["Artist"]}],)"
                                 R"(["APIC", {"encoding": 0, "mime": "image/jpeg", "type": 3,)"
                                 R"( "desc": "front", "data": {"bytes": 3000, "seed": 3}}],)"
                                 R"(["TXXX", {"encoding": 1, "desc": "one", "text": ["1"]}],)"
                                 R"(["TXXX", {"encoding": 0, "desc": "two", "text": ["2"]}],)"
                                 R"(["COMM", {"encoding": 1, "lang": "eng", "desc": "",)"
                                 R"( "text": ["%1"]}]])")
                      .arg(QString(300, u'c'))
                      .toUtf8());
    const QJsonObject before = oracle::Dump(path)[u"frames"_qs].toObject();
    add({path});
    click(0);
    panel().txtV2Title->setText(u"New title"_qs);
    QTest::mouseClick(panel().cmdSaveID3, Qt::LeftButton);
    QJsonObject expected = before;
    QJsonObject title = expected[u"TIT2"_qs].toObject();
    title[u"text"_qs] = QJsonArray{u"New title"_qs};
    expected[u"TIT2"_qs] = title;
    EXPECT_EQ(oracle::Compact(oracle::Dump(path)[u"frames"_qs]), oracle::Compact(expected));
    EXPECT_FALSE(mp3::ReadFile(path).right(128).startsWith("TAG"));
    EXPECT_TRUE(prompter.shown.isEmpty());
    // The save says so, and the panel shows the file as it is now: its new size included.
    EXPECT_EQ(window->statusBar()->currentMessage(), u"Saved 1 file"_qs);
    EXPECT_EQ(panel().txtV2Title->text(), u"New title"_qs);
    EXPECT_TRUE(panel().txtfSize->text().contains(QString::number(QFileInfo(path).size())))
        << panel().txtfSize->text().toStdString();
    // The reloaded panel still shows this file, so a second edit saves too.
    EXPECT_EQ(panel().txtOldName->text(), u"mutagen.mp3"_qs);
    panel().txtV2Title->setText(u"Second title"_qs);
    QTest::mouseClick(panel().cmdSaveID3, Qt::LeftButton);
    EXPECT_TRUE(prompter.shown.isEmpty()) << prompter.shown.join(u'\n').toStdString();
    EXPECT_EQ(oracle::Read(path)[u"v2"_qs][u"TIT2"_qs].toString(), u"Second title"_qs);
}

// Every box of both columns typed into (the genres chosen) and saved into a file without tags:
// another program finds each value in its own frame and ID3v1 field, and choosing the file
// again shows each value in the box it was typed into. Where each box belongs is written out
// here, apart from the program's own table of fields.
TEST_F(EditingTest, EveryBoxIsSavedWhereOtherProgramsReadItAndShownBack) {
    const struct {
        const char* box;
        const char* typed;
        const char* version;  // where mutagen reads it
        const char* key;
        const char* read;
    } boxes[] = {
        {"txtTitle", "Harbour", "v1", "TIT2", "Harbour"},
        {"txtArtist", "Velt", "v1", "TPE1", "Velt"},
        {"txtAlbum", "Tides", "v1", "TALB", "Tides"},
        {"txtYear", "1987", "v1", "TDRC", "1987"},
        {"txtTrackNr", "7", "v1", "TRCK", "7"},
        {"txtComments", "Quay", "v1", "COMM", "Quay"},
        {"cmbGenre", "Jazz", "v1", "TCON", "8"},
        {"txtV2Title", "Harbour Lights", "v2", "TIT2", "Harbour Lights"},
        {"txtV2Artist", "Velt Quartet", "v2", "TPE1", "Velt Quartet"},
        {"txtV2Album", "Tides Live", "v2", "TALB", "Tides Live"},
        {"txtV2Year", "1988", "v2", "TYER", "1988"},
        {"txtV2Track", "12", "v2", "TRCK", "12"},
        {"txtV2Comments", "Pier", "v2", "COMM", "Pier"},
        {"cmbV2Genre", "Rock", "v2", "TCON", "(17)Rock"},
        {"txtV2Composer", "Oda", "v2", "TCOM", "Oda"},
        {"txtV2OrigArtist", "Mirel", "v2", "TOPE", "Mirel"},
        {"txtV2Copyright", "Ferro", "v2", "TCOP", "Ferro"},
        {"txtV2URL", "http://x.example/", "v2", "WXXX", "http://x.example/"},
        {"txtV2Encoder", "Lame", "v2", "TENC", "Lame"},
    };
    const QString path = data.filePath(u"bare.mp3"_qs);
    ASSERT_TRUE(mp3::WriteFile(path, mp3::Audio(10)));
    add({path});
    click(0);
    TagPanel& p = panel();
    p.chkID3v1->setChecked(true);
    p.chkID3v2->setChecked(true);
    const auto box = [&](const char* name) { return p.Frame3->findChild<QWidget*>(U(name)); };
    for (const auto& b : boxes) {
        QWidget* w = box(b.box);
        ASSERT_TRUE(w) << b.box;
        if (auto* list = qobject_cast<QComboBox*>(w))
            list->setCurrentIndex(list->findText(U(b.typed)));
        else
            QTest::keyClicks(w, U(b.typed));
    }
    QTest::mouseClick(p.cmdSaveID3, Qt::LeftButton);
    EXPECT_TRUE(prompter.shown.isEmpty());

    const QJsonObject read = oracle::Read(path);
    for (const auto& b : boxes)
        EXPECT_EQ(read[U(b.version)][U(b.key)].toString(), U(b.read)) << b.box;
    click(0);
    for (const auto& b : boxes) EXPECT_EQ(TextOfBox(box(b.box)), U(b.typed)) << b.box;
}

}  // namespace
