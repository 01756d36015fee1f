#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "tests/support/mp3writer.h"
#include "tests/zarn/app/windowtest.h"
#include "zarn/app/listcommands.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/messageboxprompter.h"

namespace {

class ListTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        open();
    }
    ListCommands& commands() { return window->listCommands(); }
    FileList& list() { return window->fileList(); }
    QStringList names() {
        QStringList all;
        for (const QString& row : list().files().texts()) all << NameFromEntry(row);
        return all;
    }
    QString label() { return window->lblFiles->text(); }
    QString mb(const char* figure) {
        return QString::fromUtf8(figure).replace(u'.', QLocale::system().decimalPoint());
    }
    void expectInStep() {
        ASSERT_EQ(list().preview().rowCount(), list().count());
        for (int row = 0; row < list().count(); ++row)
            EXPECT_EQ(list().preview().text(row), window->NewNameOf(list().pathAt(row))) << row;
    }
    void select(FileListView* view, const QList<int>& rows) {
        view->clearSelection();
        view->selectRows(rows);
    }
};

TEST_F(ListTest, CountLabelFollowsTheList) {
    EXPECT_EQ(label(), QStringLiteral("0 files"));
    commands().dropOnFiles(
        {dataFile("a.mp3", 1048576), dataFile("b.mp3", 524288), dataFile("c.mp3", 1)});
    EXPECT_EQ(label(), QStringLiteral("3 files (%1 Mb)").arg(mb("1.5")));
    QFile::remove(data.filePath(QStringLiteral("b.mp3")));  // vanished: counts 0
    commands().refreshCount();
    EXPECT_EQ(label(), QStringLiteral("3 files (1 Mb)"));
    window->panel.txtOldName->setText(QStringLiteral("x"));
    QTest::mouseClick(window->cmdClear, Qt::LeftButton);
    EXPECT_EQ(label(), QStringLiteral("0 files (0 Mb)"));
    EXPECT_TRUE(window->panel.txtOldName->text().isEmpty());
}

// A pipe named like a song or a list would stall every later read; it is refused, as a pipe
// named in a dropped list is.
TEST_F(ListTest, DroppedPipesAddNoRows) {
    const QString song = dataFile("s.mp3", 1);
    const QString pipe = data.filePath(QStringLiteral("p.mp3"));
    const QString pipeList = data.filePath(QStringLiteral("q.m3u"));
    for (const QString& path : {pipe, pipeList})
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    mp3::WriteFile(data.filePath(QStringLiteral("l.m3u")), (pipe + u"\n"_qs + song).toUtf8());
    commands().dropOnFiles({pipe, pipeList, data.filePath(QStringLiteral("l.m3u"))});
    EXPECT_EQ(names(), QStringList{QStringLiteral("s.mp3")});
}

// File > "Add Folder..." scans the chosen folder as a dropped one; a cancelled browser adds
// nothing.
TEST_F(ListTest, AddFolderScansTheChosenFolder) {
    dataFile("a/mid.mp3", 1);
    dataFile("a/b/deep.mp3", 1);
    dataFile("a/b/other.ogg", 1);
    window->menus.mnuAddFolder->trigger();
    EXPECT_EQ(list().count(), 0);
    dialogs.nextFolder = data.filePath(QStringLiteral("a"));
    window->menus.mnuAddFolder->trigger();
    EXPECT_EQ(names(), QStringList({QStringLiteral("deep.mp3"), QStringLiteral("mid.mp3")}));
    EXPECT_EQ(label(), QStringLiteral("2 files (0 Mb)"));
}

TEST_F(ListTest, DroppedFoldersListsAndFiles) {
    dataFile("top.mp3", 1);
    dataFile("a/mid.mp3", 1);
    dataFile("a/b/deep.mp3", 1);
    dataFile("a/b/other.ogg", 1);
    const QString song = dataFile("z.mp3", 1);
    mp3::WriteFile(data.filePath(QStringLiteral("l.m3u")), song.toUtf8() + "\n");
    const QString text = dataFile("notes.txt", 3);
    commands().dropOnFiles({data.path() + QStringLiteral("/a/"),
                            data.filePath(QStringLiteral("l.m3u")), text, QStringLiteral("  ")});
    EXPECT_EQ(names(), QStringList({QStringLiteral("deep.mp3"), QStringLiteral("mid.mp3"),
                                    QStringLiteral("notes.txt"), QStringLiteral("z.mp3")}));
    EXPECT_EQ(label(), QStringLiteral("4 files (0 Mb)"));
}

TEST_F(ListTest, PreviewStaysInStepThroughAddsRemovalsAndDelete) {
    commands().dropOnFiles({dataFile("c.mp3", 10), dataFile("a.mp3", 10), dataFile("e.mp3", 10)});
    window->chkPreview->setChecked(true);
    EXPECT_TRUE(window->lstPreview->isVisibleTo(window.get()));
    EXPECT_FALSE(window->lstFiles->isVisibleTo(window.get()));
    expectInStep();
    commands().dropOnFiles({dataFile("b.mp3", 10), dataFile("d.mp3", 10)});
    expectInStep();
    QFile::remove(data.filePath(QStringLiteral("b.mp3")));
    QFile::remove(data.filePath(QStringLiteral("e.mp3")));
    commands().removeNonexistent();
    EXPECT_EQ(names(), QStringList({QStringLiteral("a.mp3"), QStringLiteral("c.mp3"),
                                    QStringLiteral("d.mp3")}));
    expectInStep();
    select(window->lstPreview, {1});
    QTest::keyClick(window->lstPreview, Qt::Key_Delete);
    EXPECT_EQ(names(), QStringList({QStringLiteral("a.mp3"), QStringLiteral("d.mp3")}));
    expectInStep();
    window->chkPreview->setChecked(false);  // hidden, the preview keeps its rows and its step
    select(window->lstFiles, {0});
    QTest::keyClick(window->lstFiles, Qt::Key_Delete);
    EXPECT_EQ(names(), QStringList({QStringLiteral("d.mp3")}));
    expectInStep();
}

TEST_F(ListTest, DropOnPreviewShowsItAndRebuildsWhenOutOfStep) {
    commands().dropOnFiles({dataFile("a.mp3", 1)});
    commands().dropOnPreview({dataFile("b.mp3", 1)});
    EXPECT_TRUE(window->chkPreview->isChecked());
    EXPECT_TRUE(window->lstPreview->isVisibleTo(window.get()));
    expectInStep();
}

TEST_F(ListTest, DeletingAsksThenRemovesFilesAndRows) {
    const QString keep = dataFile("keep.mp3", 5);
    const QString gone = dataFile("gone.mp3", 5);
    const QString folder = data.filePath(QStringLiteral("folder.mp3"));
    dataFile("folder.mp3/inside.mp3", 1);  // a non-empty folder cannot be deleted as a file
    commands().dropOnFiles({keep, gone});
    list().addPath(QDir::toNativeSeparators(folder));
    select(window->lstFiles, {0, 1});  // folder.mp3, gone.mp3
    prompter.answer = Prompter::Answer::No;
    QTest::keyClick(window->lstFiles, Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.defaultNo, prompter.questions);  // Enter must not delete
    EXPECT_EQ(prompter.shown[0],
              QStringLiteral("Pelmora|Are you sure you want to delete the selected file(s) from "
                             "your harddrive?"));
    EXPECT_EQ(list().count(), 3);
    EXPECT_TRUE(QFile::exists(gone));
    prompter.answer = Prompter::Answer::Yes;
    QTest::keyClick(window->lstFiles, Qt::Key_Delete, Qt::ShiftModifier);
    // What could not be deleted keeps its row, and the message says which and why.
    EXPECT_EQ(names(), QStringList({QStringLiteral("folder.mp3"), QStringLiteral("keep.mp3")}));
    EXPECT_FALSE(QFile::exists(gone));
    EXPECT_TRUE(QFile::exists(folder));
    EXPECT_TRUE(QFile::exists(keep));
    EXPECT_EQ(label(), QStringLiteral("2 files (0 Mb)"));
    ASSERT_EQ(prompter.criticals.size(), 1);
    EXPECT_TRUE(prompter.criticals[0].contains(QDir::toNativeSeparators(folder) + u": "_qs))
        << prompter.criticals[0].toStdString();
}

TEST(MessageBoxPrompterTest, EnterAnswersNoToAQuestionThatDefaultsToNo) {
    MessageBoxPrompter prompter;
    QMessageBox::StandardButton pressed = QMessageBox::NoButton;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible()) continue;
            pressed = box->standardButton(box->defaultButton());
            QTest::keyClick(box, Qt::Key_Return);
            timer.stop();
        }
    });
    timer.start(20);
    EXPECT_EQ(prompter.questionDefaultNo(QStringLiteral("Pelmora"), QStringLiteral("Delete?")),
              Prompter::Answer::No);
    EXPECT_EQ(pressed, QMessageBox::No);
}

TEST_F(ListTest, TheCountLabelIsNeverCut) {
    window->show();
    QStringList files;
    for (int i = 0; i < 120; ++i)
        files << dataFile(("f" + QByteArray::number(i) + ".mp3").constData(), 12500);
    commands().dropOnFiles(files);
    QApplication::processEvents();
    EXPECT_TRUE(label().startsWith(QStringLiteral("120 files (1")));
    const QFontMetrics metrics(window->lblFiles->font());
    EXPECT_GE(window->lblFiles->width(), metrics.horizontalAdvance(label()));
    const QRect count(window->lblFiles->mapTo(window.get(), QPoint()), window->lblFiles->size());
    const QRect preview(window->chkPreview->mapTo(window.get(), QPoint()),
                        window->chkPreview->size());
    EXPECT_FALSE(count.intersects(preview));
}

TEST_F(ListTest, SelectsFilesByTag) {
    mp3::V1 v1;
    v1.title = "T";
    const QString both = data.filePath(QStringLiteral("both.mp3"));
    mp3::WriteFile(both, mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "T")}, 10) + mp3::Audio(2) +
                             mp3::ID3v1Tag(v1));
    const QString v1only = data.filePath(QStringLiteral("v1.mp3"));
    mp3::WriteFile(v1only, mp3::Audio(2) + mp3::ID3v1Tag(v1));
    // 100 bytes starting with "TAG": too short for an ID3v1 tag.
    const QString tiny = data.filePath(QStringLiteral("tiny.mp3"));
    mp3::WriteFile(tiny, "TAG" + QByteArray(97, 'T'));
    const QString plain = dataFile("plain.mp3", 400);
    commands().dropOnFiles(
        {both, v1only, tiny, plain, data.filePath(QStringLiteral("missing.mp3"))});
    ASSERT_EQ(list().count(), 5);

    commands().selectWithTag(false);
    EXPECT_EQ(names(), QStringList({QStringLiteral("both.mp3"), QStringLiteral("plain.mp3"),
                                    QStringLiteral("tiny.mp3"), QStringLiteral("v1.mp3")}));
    EXPECT_EQ(window->lstFiles->selectedRows(), QList<int>({0, 3}));
    commands().selectWithTag(true);
    EXPECT_EQ(window->lstFiles->selectedRows(), QList<int>({0}));
    commands().invertSelection();
    EXPECT_EQ(window->lstFiles->selectedRows(), QList<int>({1, 2, 3}));
}

TEST_F(ListTest, SelectAllAndNone) {
    commands().dropOnFiles({dataFile("a.mp3", 1), dataFile("b.mp3", 1)});
    QTest::mouseClick(window->cmdSelectAll, Qt::LeftButton);
    EXPECT_EQ(window->lstFiles->selectedRows(), QList<int>({0, 1}));
    EXPECT_EQ(window->lblSelected->text(), QStringLiteral("2 selected"));
    // Ctrl+A in the list goes the button's way, and the panel becomes the several-files form.
    QTest::mouseClick(window->cmdSelectNone, Qt::LeftButton);
    EXPECT_EQ(window->lblSelected->text(), QStringLiteral("0 selected"));
    QTest::keyClick(window->lstFiles, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(window->lstFiles->selectedRows(), QList<int>({0, 1}));
    EXPECT_EQ(window->lblSelected->text(), QStringLiteral("2 selected"));
    EXPECT_TRUE(window->panelState().severalFiles);
    window->panel.txtTitle->setText(QStringLiteral("t"));
    window->panel.chkID3v1->setChecked(true);
    window->panel.txtOldName->setText(QStringLiteral("old"));
    QTest::mouseClick(window->cmdSelectNone, Qt::LeftButton);
    EXPECT_TRUE(window->lstFiles->selectedRows().isEmpty());
    EXPECT_TRUE(window->panel.txtTitle->text().isEmpty());
    EXPECT_FALSE(window->panel.chkID3v1->isChecked());
    EXPECT_EQ(window->panel.cmbGenre->currentIndex(), 0);
    EXPECT_EQ(window->panel.txtOldName->text(), QStringLiteral("old"));  // kept
}

TEST_F(ListTest, AddFilesFollowsTheChosenFilter) {
    const QString a = dataFile("a.mp3", 1);
    const QString b = dataFile("b.mp3", 1);
    mp3::WriteFile(data.filePath(QStringLiteral("one.m3u")), a.toUtf8() + "\n");
    mp3::WriteFile(data.filePath(QStringLiteral("two.m3u")), b.toUtf8() + "\r\n" + a.toUtf8());
    const QString folder = QDir::toNativeSeparators(data.path());

    dialogs.next = {};
    const QString before = values.lastDialogFolder;
    QTest::mouseClick(window->cmdAddFiles, Qt::LeftButton);
    EXPECT_EQ(dialogs.openedIn, before);
    EXPECT_TRUE(dialogs.lastSeveral);
    EXPECT_EQ(values.lastDialogFolder, before);  // cancelled: nothing changes
    EXPECT_EQ(list().count(), 0);

    dialogs.next = {{QDir::toNativeSeparators(data.filePath(QStringLiteral("one.m3u"))),
                     QDir::toNativeSeparators(data.filePath(QStringLiteral("two.m3u")))},
                    1};
    QTest::mouseClick(window->cmdAddFiles, Qt::LeftButton);
    EXPECT_EQ(names(), QStringList({QStringLiteral("a.mp3"), QStringLiteral("a.mp3"),
                                    QStringLiteral("b.mp3")}));
    EXPECT_EQ(values.lastDialogFolder, folder);

    list().clear();
    dialogs.next = {{QDir::toNativeSeparators(data.filePath(QStringLiteral("one.m3u"))), a}, 2};
    QTest::mouseClick(window->cmdAddFiles, Qt::LeftButton);  // "All Files": added as files
    EXPECT_EQ(names(), QStringList({QStringLiteral("a.mp3"), QStringLiteral("one.m3u")}));

    list().clear();
    dialogs.next = {{dataFile("list.txt", 4)}, 1};
    QTest::mouseClick(window->cmdAddFiles, Qt::LeftButton);
    EXPECT_EQ(list().count(), 0);
    EXPECT_EQ(prompter.shown,
              QStringList({QStringLiteral("Zarn|That was not a compatible playlist!\n"
                                          "Only .srt, .m3u and .pls files are supported.")}));
}

TEST_F(ListTest, SavedListLoadsBackReplacingTheList) {
    commands().dropOnFiles({dataFile("x.mp3", 1), dataFile("y.mp3", 1)});
    const QStringList rows = list().files().texts();
    const QString srt = QDir::toNativeSeparators(data.filePath(QStringLiteral("mylist")));
    const QString m3u = QDir::toNativeSeparators(data.filePath(QStringLiteral("l.m3u")));
    dialogs.next = {{srt}, 0};
    QTest::mouseClick(window->cmdSave, Qt::LeftButton);
    dialogs.next = {{m3u}, 1};
    QTest::mouseClick(window->cmdSave, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(srt));
    const QString srtName = srt + QStringLiteral(".srt");
    QFile::rename(srt, srtName);

    list().addPath(QStringLiteral("/other.mp3"));
    dialogs.next = {{srtName}, 0};
    QTest::mouseClick(window->cmdLoad, Qt::LeftButton);
    EXPECT_EQ(list().files().texts(), rows);
    dialogs.next = {{m3u}, 1};
    QTest::mouseClick(window->cmdLoad, Qt::LeftButton);
    EXPECT_EQ(list().files().texts(), rows);
    EXPECT_EQ(label(), QStringLiteral("2 files (0 Mb)"));

    dialogs.next = {{data.filePath(QStringLiteral("no/such/folder/l.srt"))}, 0};
    QTest::mouseClick(window->cmdSave, Qt::LeftButton);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_TRUE(prompter.shown[0].startsWith(QStringLiteral("Zarn|Error: ")))
        << prompter.shown[0].toStdString();
}

TEST_F(ListTest, BinaryFileAsSortingListBreaksNothing) {
    const QString bin = data.filePath(QStringLiteral("bin.srt"));
    QByteArray bytes = mp3::Audio(2);
    for (int i = 0; i < 256; ++i) bytes.append(char(i)).append(char(255 - i));
    mp3::WriteFile(bin, bytes);
    commands().dropOnFiles({bin});
    window->chkPreview->setChecked(true);
    expectInStep();
    commands().selectWithTag(false);
    commands().removeNonexistent();
    EXPECT_EQ(list().count(), 0);
    EXPECT_EQ(label(), QStringLiteral("0 files (0 Mb)"));
}

}  // namespace

namespace {

TEST_F(ListTest, DroppingFileUrlsOnTheListAddsThem) {
    const QString a = dataFile("a.mp3", 1);
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(a), QUrl(QStringLiteral("https://example.org/x.mp3")),
                   QUrl::fromLocalFile(data.path() + QStringLiteral("/sub/"))});
    dataFile("sub/b.mp3", 1);
    window->show();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->lstFiles->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->lstFiles->viewport(), &drop);
    EXPECT_EQ(names(), QStringList({QStringLiteral("a.mp3"), QStringLiteral("b.mp3")}));
    EXPECT_EQ(label(), QStringLiteral("2 files (0 Mb)"));
    delete mime;

    QMimeData text;  // data without a file list is ignored
    text.setText(QStringLiteral("a.mp3"));
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->lstFiles->viewport(), &refused);
    EXPECT_FALSE(refused.isAccepted());
    QDropEvent ignored(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->lstFiles->viewport(), &ignored);
    EXPECT_EQ(list().count(), 2);
}

TEST_F(ListTest, PressingARowChoosesItsFile) {
    commands().dropOnFiles({dataFile("a.mp3", 1), dataFile("b.mp3", 1)});
    window->show();
    QSignalSpy chosen(window.get(), &frmZarn::fileRowChosen);
    window->chkPreview->setChecked(true);
    const QRect second = window->lstPreview->visualRect(list().preview().index(1));
    QTest::mouseClick(window->lstPreview->viewport(), Qt::LeftButton, Qt::NoModifier,
                      second.center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);
    EXPECT_EQ(window->panel.txtNewName->text(), list().preview().text(1));
    window->chkPreview->setChecked(false);
    window->lstFiles->setCurrentIndex(list().files().index(0));
    QTest::keyClick(window->lstFiles, Qt::Key_Down);  // the keyboard chooses rows too
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen[1][0].toInt(), 1);
}

}  // namespace
