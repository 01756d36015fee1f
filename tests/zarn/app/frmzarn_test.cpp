#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include "tests/support/mp3writer.h"
#include "tests/zarn/app/windowtest.h"
#include "zarn/editing/tagpanel.h"
#include "zarn/shell/programfolder.h"
#include "zarn/sort/sortingcontrols.h"

namespace {

template <typename T = QWidget>
T* Find(frmZarn& w, const char* name) {
    T* found = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

bool Checked(frmZarn& w, const char* name) {
    return Find<QAbstractButton>(w, name)->isChecked();
}

using StartTest = WindowTest;

TEST_F(StartTest, EveryControlIsFoundByNameWithItsCaption) {
    frmZarn& w = open();
    const std::pair<const char*, const char*> captions[] = {
        {"cmdAddFiles", "Add Files..."},
        {"cmdClear", "Clear List"},
        {"cmdSelectAll", "Select All"},
        {"cmdSelectNone", "Select None"},
        {"cmdSave", "Save Sorting List..."},
        {"cmdLoad", "Load Sorting List..."},
        {"cmdSort", "Sort All Now!"},
        {"cmdSortThisFile", "Sort Selected  (F5)"},
        {"cmdOptions", "Options..."},
        {"chkPreview", "Show Preview."},
        {"chkConvert", "Fix Filenames"},
        {"chkGenre", "Sort in folders by Genre."},
        {"chkAlphabetical", "Sort in folders in alphabetical order."},
        {"optMethod0", "Copy"},
        {"optMethod1", "Move"},
        {"optMethod2", "Rename"},
        {"optExists0", "Prompt"},
        {"optExists1", "Skip"},
        {"optExists2", "Replace"},
        {"chkID3v1", "ID3v1 tag"},
        {"chkID3v2", "ID3v2 tag"},
        {"cmdSaveID3", "Save ID3"},
        {"cmdFixID3", "Fix ID3"},
        {"cmdMore", "More"},
    };
    for (const auto& [name, caption] : captions)
        if (auto* b = Find<QAbstractButton>(w, name)) {  // shown without its access key mark
            EXPECT_EQ(QString(b->text()).remove(u'&'), QString::fromUtf8(caption));
        }
    const std::pair<const char*, const char*> labels[] = {
        {"lblFiles", "0 files"},        {"txtfType", "MPEG 1.0 layer 3"},
        {"txtfkBit", "0kbps"},          {"txtfQuality", "0Hz Mono"},
        {"txtfSize", "Size: "},         {"txtfLength", "Length: "},
        {"txtfHeader", "Header: "},     {"txtfCopyrighted", "Copyrighted: "},
        {"txtfOriginal", "Original: "}, {"txtfCRCs", "CRCs: "},
        {"txtfEmphasis", "Emphasis: "}, {"lblFileSize", "Size of this file: "},
        {"lblDescription1", ""},        {"lblDescription2", ""},
    };
    for (const auto& [name, caption] : labels)
        if (auto* l = Find<QLabel>(w, name)) {
            EXPECT_EQ(l->text(), QString::fromUtf8(caption));
        }
    for (const char* name :
         {"lstFiles",     "lstPreview",   "txtSubFolder",  "txtTargetDir",  "cmdTargetDir",
          "lblTargetDir", "cmbInPattern", "cmbOutPattern", "TabStrip1",     "picTab0",
          "picTab1",      "picTab2",      "picBButtons",   "Frame3",        "txtOldName",
          "txtNewName",   "cmbGenre",     "cmbV2Genre",    "txtV2Comments", "txtV2Encoder",
          "chkID3v1Rem",  "chkID3v2Rem",  "cmdOpenMP3",    "VScroll"})
        Find(w, name);
    for (const char* name : {"mnuAddFiles", "mnuNonExistent", "mnuSelV1Files", "mnuSelV2Files",
                             "mnuSelInvert", "mnuExit", "mnuRemFromList", "mnuRemFromHD",
                             "mnuQuickSort", "mnuSortAll", "mnuFixID3", "mnuSaveID3"})
        Find<QAction>(w, name);
    EXPECT_FALSE(Find<QAction>(w, "mnuFindDuplicates")->isVisible());
    EXPECT_EQ(Find<QLineEdit>(w, "txtTitle")->placeholderText(), QStringLiteral("Title"));
    EXPECT_EQ(Find<QLineEdit>(w, "txtV2OrigArtist")->placeholderText(),
              QStringLiteral("Original Artist"));
}

// The letter after '&' in a caption; a null character when there is none.
QChar AccessKey(const QString& caption) {
    const qsizetype at = caption.indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption[at + 1].toUpper() : QChar();
}

// Alt+letter reaches every push button and menu of the window; two controls with one letter
// would make Alt+letter do nothing for either.
TEST_F(StartTest, EveryButtonAndMenuHasItsOwnAccessKey) {
    frmZarn& w = open();
    const QStringList without = {QStringLiteral("..."), QStringLiteral("Open file")};
    QMap<QChar, QString> windowKeys;
    const auto take = [&windowKeys](const QString& caption) {
        const QChar key = AccessKey(caption);
        EXPECT_FALSE(key.isNull()) << caption.toStdString() << " has no access key";
        EXPECT_FALSE(windowKeys.contains(key))
            << caption.toStdString() << " and " << windowKeys.value(key).toStdString();
        windowKeys.insert(key, caption);
    };
    for (QAction* menu : w.menuBar()->actions()) {
        take(menu->text());
        QMap<QChar, QString> entries;
        for (QAction* entry : menu->menu()->actions()) {
            if (entry->isSeparator()) continue;
            const QChar key = AccessKey(entry->text());
            EXPECT_FALSE(key.isNull()) << entry->text().toStdString();
            EXPECT_FALSE(entries.contains(key)) << entry->text().toStdString();
            entries.insert(key, entry->text());
        }
    }
    for (QPushButton* button : w.findChildren<QPushButton*>())
        if (!without.contains(button->text())) take(button->text());
    for (const char* check : {"chkPreview", "chkID3v1", "chkID3v2"})
        take(Find<QAbstractButton>(w, check)->text());
    EXPECT_EQ(Find<QAction>(w, "mnuSaveID3")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(Find<QAction>(w, "mnuExit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
}

TEST_F(StartTest, FirstStartGivesTheDefaults) {
    frmZarn& w = open();
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Pelmora ")));
    EXPECT_TRUE(Checked(w, "chkConvert"));
    for (const char* off : {"chkGenre", "chkAlphabetical", "chkSubFolder"})
        EXPECT_FALSE(Checked(w, off)) << off;
    EXPECT_EQ(Find<QLineEdit>(w, "txtSubFolder")->text(), QStringLiteral("5"));
    EXPECT_TRUE(Checked(w, "optExists0"));
    EXPECT_TRUE(Checked(w, "optMethod2"));
    EXPECT_EQ(values.sortingMethod, 2);
    QString folder = ProgramFolder();
    folder.chop(1);
    EXPECT_EQ(Find<QLineEdit>(w, "txtTargetDir")->text(), folder);
    EXPECT_EQ(values.rememberedTargetFolder, folder);
    EXPECT_EQ(values.lastDialogFolder, folder);
    EXPECT_EQ(w.cmbInPattern->currentText(), QStringLiteral("%artist - %title.mp3"));
    EXPECT_EQ(w.cmbOutPattern->currentText(), QStringLiteral("%track - %artist - %title.mp3"));
    EXPECT_EQ(Find<QLabel>(w, "lblTargetDir")->text(), QStringLiteral("File location:"));
    EXPECT_FALSE(Find(w, "chkGenre")->isEnabled());
    EXPECT_EQ(w.TabStrip1->currentIndex(), 1);
    EXPECT_FALSE(values.options.bParentheses);
    EXPECT_EQ(values.options.Replaces.size(), 1);
    for (const char* file : {"replaces.txt", "inpattern.txt", "outpattern.txt"})
        EXPECT_TRUE(QFile::exists(homeFile(file))) << file;
    EXPECT_FALSE(store.contains(QStringLiteral("Move")));  // start-up writes nothing
    EXPECT_TRUE(prompter.shown.isEmpty());
}

TEST_F(StartTest, StoredValuesAreRestored) {
    store.setText(QStringLiteral("txtSubFolder"), QStringLiteral("7.9"));
    store.setText(QStringLiteral("Genre"), QStringLiteral("1"));
    store.setText(QStringLiteral("Alphabetical"), QStringLiteral("1"));
    store.setText(QStringLiteral("FileExists"), QStringLiteral("1"));
    store.setText(QStringLiteral("Move"), QStringLiteral("0"));
    store.setText(QStringLiteral("TargetDir"), QStringLiteral("/target"));
    store.setText(QStringLiteral("OutPattern"), QStringLiteral("%title.mp3"));
    store.setText(QStringLiteral("bParentheses"), QStringLiteral("1"));
    mp3::WriteFile(homeFile("inpattern.txt"), "  %title - %artist.mp3\r\n\r\n   \r\n");
    mp3::WriteFile(homeFile("replaces.txt"), "a\nb\nc\n");
    frmZarn& w = open();
    EXPECT_EQ(Find<QLineEdit>(w, "txtSubFolder")->text(), QStringLiteral("7"));
    // With both folder levels stored, the letters (restored last) win.
    EXPECT_FALSE(Checked(w, "chkGenre"));
    EXPECT_TRUE(Checked(w, "chkAlphabetical"));
    EXPECT_TRUE(Checked(w, "optExists1"));
    EXPECT_TRUE(Checked(w, "optMethod0"));
    EXPECT_TRUE(Find(w, "chkGenre")->isEnabled());
    EXPECT_EQ(Find<QLabel>(w, "lblTargetDir")->text(), QStringLiteral("Target folder:"));
    EXPECT_EQ(Find<QLineEdit>(w, "txtTargetDir")->text(), QStringLiteral("/target"));
    EXPECT_EQ(w.cmbOutPattern->currentText(), QStringLiteral("%title.mp3"));
    ASSERT_EQ(w.cmbInPattern->count(), 1);
    EXPECT_EQ(w.cmbInPattern->itemText(0), QStringLiteral("  %title - %artist.mp3"));
    EXPECT_EQ(w.cmbInPattern->currentText(), QStringLiteral("%artist - %title.mp3"));
    EXPECT_TRUE(values.options.bParentheses);
    const ReplaceList pairs{{QStringLiteral("a"), QStringLiteral("b")},
                            {QStringLiteral("c"), QString()}};
    EXPECT_EQ(values.options.Replaces, pairs);
    window.reset();
    EXPECT_EQ(setting("txtSubFolder"), QStringLiteral("7"));
    EXPECT_EQ(setting("Genre"), QStringLiteral("0"));
    EXPECT_EQ(setting("FileExists"), QStringLiteral("1"));
    EXPECT_EQ(setting("Move"), QStringLiteral("0"));
    EXPECT_EQ(setting("bParentheses"), QStringLiteral("1"));  // options are not saved again
}

TEST_F(StartTest, GenreAndLetterFoldersExcludeEachOther) {
    frmZarn& w = open();
    QTest::mouseClick(Find<QRadioButton>(w, "optMethod1"), Qt::LeftButton);
    auto* genre = Find<QCheckBox>(w, "chkGenre");
    auto* letters = Find<QCheckBox>(w, "chkAlphabetical");
    genre->click();
    letters->click();
    EXPECT_FALSE(genre->isChecked());
    genre->click();
    EXPECT_FALSE(letters->isChecked());
    EXPECT_TRUE(genre->isChecked());
}

TEST_F(StartTest, RenameModeNeverStoresTheFileLocation) {
    store.setText(QStringLiteral("Move"), QStringLiteral("1"));
    store.setText(QStringLiteral("TargetDir"), QStringLiteral("/target"));
    frmZarn& w = open();
    auto* box = Find<QLineEdit>(w, "txtTargetDir");
    QTest::mouseClick(Find<QRadioButton>(w, "optMethod2"), Qt::LeftButton);
    EXPECT_EQ(values.sortingMethod, 2);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_FALSE(Find(w, "cmdTargetDir")->isEnabled());
    EXPECT_EQ(w.TabStrip1->currentIndex(), 1);
    box->setText(QStringLiteral("/where/the/file/is"));  // what the tag panel shows
    QTest::mouseClick(Find<QRadioButton>(w, "optMethod2"), Qt::LeftButton);  // again: no change
    window.reset();
    EXPECT_EQ(setting("TargetDir"), QStringLiteral("/target"));
    EXPECT_EQ(setting("Move"), QStringLiteral("2"));
}

TEST_F(StartTest, TargetFolderTypedWhileCopyingIsKeptAndSaved) {
    store.setText(QStringLiteral("Move"), QStringLiteral("0"));
    store.setText(QStringLiteral("TargetDir"), QStringLiteral("/old"));
    frmZarn& w = open();
    auto* box = Find<QLineEdit>(w, "txtTargetDir");
    box->clear();
    QTest::keyClicks(box, QStringLiteral("/new"));
    QTest::mouseClick(Find<QRadioButton>(w, "optMethod1"), Qt::LeftButton);
    EXPECT_EQ(box->text(), QStringLiteral("/new"));
    QTest::mouseClick(Find<QRadioButton>(w, "optMethod2"), Qt::LeftButton);
    box->setText(QStringLiteral("/file/location"));
    QTest::mouseClick(Find<QRadioButton>(w, "optMethod0"), Qt::LeftButton);
    EXPECT_EQ(box->text(), QStringLiteral("/new"));
    EXPECT_FALSE(box->isReadOnly());
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(255, 255, 192));
    window.reset();
    EXPECT_EQ(setting("TargetDir"), QStringLiteral("/new"));
}

TEST_F(StartTest, ClosingThenUnloadingSavesOnce) {
    frmZarn& w = open();
    QSignalSpy ended(&w, &frmZarn::programEnded);
    QSignalSpy stopped(&w, &frmZarn::stopRequested);
    w.show();
    Find<QLineEdit>(w, "txtSubFolder")->setText(QStringLiteral("9"));
    w.close();
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_EQ(setting("txtSubFolder"), QStringLiteral("9"));
    EXPECT_EQ(setting("InPattern"), QStringLiteral("%artist - %title.mp3"));
    store.setText(QStringLiteral("txtSubFolder"), QStringLiteral("marker"));
    window.reset();
    EXPECT_EQ(setting("txtSubFolder"), QStringLiteral("marker"));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(prompter.shown.isEmpty());
}

TEST_F(StartTest, EmptyThresholdBoxSavesTheDefault) {
    frmZarn& w = open();
    Find<QLineEdit>(w, "txtSubFolder")->clear();
    Find<QAction>(w, "mnuExit")->trigger();
    EXPECT_EQ(setting("txtSubFolder"), QStringLiteral("5"));
}

TEST_F(StartTest, BoxesRefuseTheKeysTheyCannotHold) {
    frmZarn& w = open();
    QTest::mouseClick(Find<QRadioButton>(w, "optMethod0"), Qt::LeftButton);
    auto* threshold = Find<QLineEdit>(w, "txtSubFolder");
    threshold->clear();
    QTest::keyClicks(threshold, QStringLiteral("a1 -2.x3"));
    QTest::keyClick(threshold, Qt::Key_Return);
    QTest::keyClick(threshold, Qt::Key_Backspace);
    EXPECT_EQ(threshold->text(), QStringLiteral("12"));
    auto* target = Find<QLineEdit>(w, "txtTargetDir");
    target->clear();
    QTest::keyClicks(target, QStringLiteral("/a?b\"c<d>e|f*g"));
    EXPECT_EQ(target->text(), QStringLiteral("/abcdefg"));
}

TEST_F(StartTest, TargetFolderBrowser) {
    frmZarn& w = open();
    QTest::mouseClick(Find<QRadioButton>(w, "optMethod1"), Qt::LeftButton);
    auto* box = Find<QLineEdit>(w, "txtTargetDir");
    dialogs.nextFolder.clear();
    Find<QPushButton>(w, "cmdTargetDir")->click();
    EXPECT_EQ(box->text(), values.rememberedTargetFolder);
    EXPECT_EQ(dialogs.openedIn, box->text());
    dialogs.nextFolder = QStringLiteral("/chosen");
    Find<QPushButton>(w, "cmdTargetDir")->click();
    EXPECT_EQ(box->text(), QStringLiteral("/chosen"));
    window.reset();
    EXPECT_EQ(setting("TargetDir"), QStringLiteral("/chosen"));
}

}  // namespace
