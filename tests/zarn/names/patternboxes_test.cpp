#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>

#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/names/patternboxes.h"

namespace {

template <typename T>
T* Add(QWidget& window, const char* name) {
    auto* widget = new T(&window);
    widget->setObjectName(QString::fromLatin1(name));
    window.layout()->addWidget(widget);
    return widget;
}

class PatternBoxesTest : public testing::Test {
  protected:
    PatternBoxesTest() {
        new QVBoxLayout(&window);
        in = Add<QComboBox>(window, "cmbInPattern");
        out = Add<QComboBox>(window, "cmbOutPattern");
        in->setEditable(true);
        out->setEditable(true);
        out->addItems({U("%artist - %title.mp3"), U("%track - %title.mp3")});
        preview = Add<QCheckBox>(window, "chkPreview");
        oldName = Add<QLineEdit>(window, "txtOldName");
        newName = Add<QLineEdit>(window, "txtNewName");
        boxes = new PatternBoxes(
            {in, out, preview, oldName, newName},
            {[this] { return U("built:") + out->currentText(); }, [this] { ++applied; }}, prompter,
            &window);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void LeaveOutPattern() {
        out->setFocus();
        QApplication::processEvents();
        newName->setFocus();
        QApplication::processEvents();
    }

    QWidget window;
    QComboBox* in;
    QComboBox* out;
    QCheckBox* preview;
    QLineEdit* oldName;
    QLineEdit* newName;
    ScriptedPrompter prompter;
    PatternBoxes* boxes;
    int applied = 0;
};

TEST_F(PatternBoxesTest, KeyFiltersOfBothBoxes) {
    QTest::keyClicks(in->lineEdit(), U(R"(a:b?c"d<e>f|g*h/i\j)"));
    EXPECT_EQ(in->currentText(), U(R"(abcdefgh/i\j)"));
    out->setEditText(QString());
    QTest::keyClicks(out->lineEdit(), U(R"(a:b?c"d<e>f|g*h/i\j)"));
    EXPECT_EQ(out->currentText(), U("abcdefghij"));
}

TEST_F(PatternBoxesTest, EditingMarksAndShowsTheNewName) {
    out->setEditText(U("%title.mp3"));  // restoring a text is not an edit
    EXPECT_FALSE(boxes->marked());
    oldName->setText(U("old.mp3"));
    QTest::keyClick(out->lineEdit(), Qt::Key_X);
    EXPECT_TRUE(boxes->marked());
    EXPECT_EQ(out->property("Tag").toString(), U("1"));
    EXPECT_EQ(newName->text(), U("built:%title.mp3x"));

    preview->setChecked(true);
    newName->clear();
    emit out->activated(1);
    EXPECT_TRUE(newName->text().isEmpty());  // the preview shows the names instead
    preview->setChecked(false);
    oldName->clear();
    emit out->activated(0);
    EXPECT_TRUE(newName->text().isEmpty());  // no file shown
}

TEST_F(PatternBoxesTest, LeavingAMarkedBoxOffersTheNewPattern) {
    preview->setChecked(true);
    out->setFocus();
    QTest::keyClick(out->lineEdit(), Qt::Key_X);
    LeaveOutPattern();
    ASSERT_EQ(prompter.questions.size(), 1);
    EXPECT_EQ(prompter.questions[0],
              U("Zarn|The output pattern has been changed.\nWould you like to apply the new "
                "pattern to selected files?"));
    EXPECT_EQ(applied, 1);
    EXPECT_FALSE(boxes->marked());

    LeaveOutPattern();  // not marked any more: no question
    EXPECT_EQ(prompter.questions.size(), 1);

    prompter.answer = Prompter::Answer::No;
    emit out->activated(1);
    LeaveOutPattern();
    EXPECT_EQ(prompter.questions.size(), 2);
    EXPECT_EQ(applied, 1);
    EXPECT_FALSE(boxes->marked());
}

TEST_F(PatternBoxesTest, WithoutPreviewLeavingAsksNothing) {
    emit out->activated(1);
    LeaveOutPattern();
    EXPECT_TRUE(prompter.questions.isEmpty());
    EXPECT_TRUE(boxes->marked());
}

}  // namespace
