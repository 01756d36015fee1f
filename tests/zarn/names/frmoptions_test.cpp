#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/names/frmoptions.h"
#include "zarn/names/replacelist.h"
#include "zarn/shell/settingsstore.h"

namespace {

class FrmOptionsTest : public testing::Test {
  protected:
    void SetUp() override {
        ini = dir.filePath(U("zarn.ini"));
        replaces = dir.filePath(U("replaces.txt"));
        mp3::WriteFile(replaces, "feat\r\nft\r\n");
        options.Replaces = ReadReplaceList(replaces);
        options.Change = 3;
        options.bParentheses = true;
        options.Extension = U("ogg");
        store = std::make_unique<SettingsStore>(SettingsStore::atFile(ini));
    }
    std::unique_ptr<frmOptions> Open() {
        return std::make_unique<frmOptions>(options, *store, replaces, prompter,
                                            [this](const Options& o) { applied.push_back(o); });
    }
    static void Pick(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static void Type(QComboBox* box, const QString& text) {
        box->setEditText(QString());
        QTest::keyClicks(box->lineEdit(), text);
    }

    QTemporaryDir dir;
    QString ini, replaces;
    std::unique_ptr<SettingsStore> store;
    Options options;
    ScriptedPrompter prompter;
    std::vector<Options> applied;
};

TEST_F(FrmOptionsTest, OpeningShowsTheRecord) {
    auto w = Open();
    EXPECT_EQ(w->windowTitle(), U("Zarn - Options..."));
    EXPECT_TRUE(w->findChild<QCheckBox*>(U("chkParenth"))->isChecked());
    EXPECT_FALSE(w->findChild<QCheckBox*>(U("chkReplace"))->isChecked());
    EXPECT_TRUE(w->findChild<QCheckBox*>(U("chkID3"))->isChecked());
    EXPECT_TRUE(w->findChild<QRadioButton*>(U("optChange3"))->isChecked());
    EXPECT_FALSE(w->findChild<QRadioButton*>(U("optChange1"))->isChecked());
    EXPECT_EQ(w->findChild<QLineEdit*>(U("txtExtension"))->text(), U("ogg"));
    EXPECT_EQ(w->txtRemoveChars->text().size(), 121);
    EXPECT_EQ(w->cmbReplace1->itemText(0), U("feat"));
    EXPECT_EQ(w->cmbReplace2->itemText(0), U("ft"));
    EXPECT_EQ(w->cmdOk->text(), U("&OK"));
    EXPECT_EQ(w->optChange[1]->toolTip(),
              U("The first letter in every word will be uppercase. All other lowercase."));
}

TEST_F(FrmOptionsTest, LongToolTipsWrap) {
    auto w = Open();
    // A paragraph is wrapped by the tool tip; its words stay the same.
    const QString tip = w->chkOptimizeID3v1->toolTip();
    EXPECT_TRUE(Qt::mightBeRichText(tip)) << tip.toStdString();
    EXPECT_EQ(QTextDocumentFragment::fromHtml(tip).toPlainText(),
              U("This will allow you to use up to 59 characters in the Title and Artist frames. "
                "(Depending on the length of Album and Comment). WinAmp though, will only show "
                "the first 30 characters."));
}

TEST_F(FrmOptionsTest, WhatIsTypedIsWhatIsStored) {
    auto w = Open();
    // "feat" -> "ft" is in the list; typed prefixes of it, or it in other letter case, must be
    // neither completed nor taken for the listed item on Enter.
    const std::pair<const char*, const char*> typed[] = {{"Fe", "F"}, {"fea", "f"}, {"FEAT", "FT"}};
    for (const auto& [find, with] : typed) {
        Type(w->cmbReplace1, U(find));
        QTest::keyClick(w->cmbReplace1->lineEdit(), Qt::Key_Return);
        Type(w->cmbReplace2, U(with));
        QTest::keyClick(w->cmbReplace2->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(w->cmbReplace1->currentText(), U(find));
        EXPECT_EQ(w->cmbReplace2->currentText(), U(with));
        QTest::mouseClick(w->cmdAddReplace, Qt::LeftButton);
    }
    QTest::mouseClick(w->cmdOk, Qt::LeftButton);
    EXPECT_EQ(
        options.Replaces,
        (ReplaceList{
            {U("feat"), U("ft")}, {U("Fe"), U("F")}, {U("fea"), U("f")}, {U("FEAT"), U("FT")}}));
}

TEST_F(FrmOptionsTest, OkStoresEveryValueAndTheList) {
    auto w = Open();
    w->chkReplace->setChecked(true);
    w->chkOptimizeID3v1->setChecked(true);
    QTest::mouseClick(w->optChange[0], Qt::LeftButton);
    w->txtExtension->setText(U("mp3"));
    Type(w->cmbReplace1, U("Velt"));
    Type(w->cmbReplace2, U("Veld"));
    QTest::mouseClick(w->cmdAddReplace, Qt::LeftButton);
    Type(w->cmbReplace1, U("same"));
    Type(w->cmbReplace2, U("same"));
    QTest::mouseClick(w->cmdAddReplace, Qt::LeftButton);
    EXPECT_EQ(w->cmbReplace1->count(), 2);
    QTest::mouseClick(w->cmdOk, Qt::LeftButton);

    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(options.bReplace);
    EXPECT_EQ(options.Change, 0);
    EXPECT_EQ(options.Extension, U("mp3"));
    EXPECT_EQ(options.Replaces, (ReplaceList{{U("feat"), U("ft")}, {U("Velt"), U("Veld")}}));
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_TRUE(applied[0].bOptimizedID3v1);
    EXPECT_EQ(mp3::ReadFile(replaces), QByteArray("feat\r\nft\r\nVelt\r\nVeld\r\n"));
    const Options stored = LoadOptions(SettingsStore::atFile(ini));
    EXPECT_TRUE(stored.bReplace);
    EXPECT_TRUE(stored.bOptimizedID3v1);
    EXPECT_TRUE(stored.bParentheses);
    EXPECT_EQ(stored.Change, 0);
    EXPECT_EQ(stored.strRemoveChars, Options::DefaultRemoveChars());
    const SettingsStore check = SettingsStore::atFile(ini);
    for (const char* key : {"bID3", "bExtension", "Extension", "bLowExtension", "bScoreToSpace",
                            "b20toSpace", "bSpaces", "bParentheses", "bReplace", "bMisses",
                            "bSetAttributes", "bReadOnly", "bHidden", "bArchive", "bRemoveChars",
                            "strRemoveChars", "Change", "bRemHiddenID3", "bOptimizedID3v1"})
        EXPECT_TRUE(check.contains(U(key))) << key;
}

TEST_F(FrmOptionsTest, RemovingEveryPairLeavesTwoEmptyLines) {
    auto w = Open();
    Pick(w->cmbReplace1, 0);
    EXPECT_EQ(w->cmbReplace2->currentText(), U("ft"));
    QTest::mouseClick(w->cmdRemReplace, Qt::LeftButton);
    EXPECT_EQ(w->cmbReplace1->count(), 0);
    EXPECT_EQ(w->cmbReplace2->count(), 0);
    QTest::mouseClick(w->cmdOk, Qt::LeftButton);
    EXPECT_EQ(mp3::ReadFile(replaces), QByteArray("\r\n\r\n"));
    EXPECT_EQ(options.Replaces, (ReplaceList{{QString(), QString()}}));
}

TEST_F(FrmOptionsTest, RemoveWithoutAPickKeepsTheList) {
    auto w = Open();
    Pick(w->cmbReplace1, 0);
    Type(w->cmbReplace1, U("edited"));
    QTest::mouseClick(w->cmdRemReplace, Qt::LeftButton);
    EXPECT_EQ(w->cmbReplace1->count(), 1);
    EXPECT_TRUE(w->cmbReplace1->currentText().isEmpty());
}

TEST_F(FrmOptionsTest, CancelStoresNothing) {
    const Options before = options;
    auto w = Open();
    w->chkReplace->setChecked(true);
    w->txtExtension->setText(U("wav"));
    QTest::mouseClick(w->cmdRemReplace, Qt::LeftButton);
    Pick(w->cmbReplace1, 0);
    QTest::mouseClick(w->cmdRemReplace, Qt::LeftButton);
    QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(options.bReplace, before.bReplace);
    EXPECT_EQ(options.Extension, before.Extension);
    EXPECT_EQ(options.Replaces, before.Replaces);
    EXPECT_TRUE(applied.empty());
    EXPECT_FALSE(QFile::exists(ini));
    EXPECT_EQ(mp3::ReadFile(replaces), QByteArray("feat\r\nft\r\n"));
}

TEST_F(FrmOptionsTest, KeyFiltersRefuseWhatANameCannotHold) {
    auto w = Open();
    w->txtExtension->clear();
    QTest::keyClicks(w->txtExtension, U("o/g\\g:?\"<>|.*"));
    EXPECT_EQ(w->txtExtension->text(), U("ogg.*"));
    // Pasting works in a box without the filter, and not in the extension box.
    QApplication::clipboard()->setText(U("x/y"));
    w->cmbReplace1->setEditText(QString());
    QTest::keyClick(w->cmbReplace1->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->cmbReplace1->currentText(), U("x/y"));
    QTest::keyClick(w->txtExtension, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->txtExtension->text(), U("ogg.*"));
    Type(w->cmbReplace2, U("a/b\\c:d?e\"f<g>h|i*j"));
    EXPECT_EQ(w->cmbReplace2->currentText(), U("abcdefghij"));
    Type(w->cmbReplace1, U("a:b"));
    EXPECT_EQ(w->cmbReplace1->currentText(), U("a:b"));
}

}  // namespace
