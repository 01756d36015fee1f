// The tag panel converts between its boxes and plain values; the rules work on the values.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "tests/support/qtstrings.h"
#include "zarn/editing/panelstate.h"
#include "zarn/editing/tagpanel.h"
#include "zarn/shell/options.h"

namespace {

TEST(PanelNameFields, ReadsEveryBox) {
    QWidget window;
    TagPanel p;
    p.build(&window);
    const std::pair<QLineEdit*, const char*> texts[] = {
        {p.txtOldName, "Velt - Harbour.mp3"},
        {p.txtArtist, "A1"},
        {p.txtTitle, "T1"},
        {p.txtAlbum, "L1"},
        {p.txtTrackNr, "4"},
        {p.txtYear, "1999"},
        {p.txtComments, "C1"},
        {p.txtV2Artist, "A2"},
        {p.txtV2Title, ""},
        {p.txtV2Album, ""},
        {p.txtV2Track, ""},
        {p.txtV2Year, "2001"},
    };
    for (const auto& [box, text] : texts) box->setText(U(text));
    p.txtV2Comments->setPlainText(U("C2"));
    p.cmbGenre->setCurrentIndex(p.cmbGenre->findText(U("Rock")));
    p.chkID3v1->setChecked(false);
    p.chkID3v2->setChecked(true);

    const NameFields f =
        PanelNameFields(p.values(), U("%artist - %title.mp3"),
                        U("%track %artist %title %album %year %genre %comment.mp3"));
    EXPECT_EQ(f.oldName, U("Velt - Harbour.mp3"));
    EXPECT_FALSE(f.id3v1);
    EXPECT_TRUE(f.id3v2);
    EXPECT_EQ(f.v1.track, U("4"));
    EXPECT_EQ(f.v1.genre, U("Rock"));
    EXPECT_EQ(f.v2.comment, U("C2"));
    Options options;
    options.Change = 0;
    EXPECT_EQ(FixFileName2(f, U("/m/Velt - Harbour.mp3"), options),
              U("04 A2 T1 L1 2001 Rock C2.mp3"));
}

TEST(SetID3v1BoxLimits, FollowsTheOptimizedChoice) {
    QWidget window;
    TagPanel p;
    p.build(&window);
    p.txtAlbum->setText(U("12345678901234567890"));
    p.txtComments->setText(U("1234"));
    Options options;
    options.bOptimizedID3v1 = true;
    SetID3v1BoxLimits(p.id3v1Boxes(), options);
    EXPECT_EQ(p.txtArtist->maxLength(), 39);
    EXPECT_EQ(p.txtTitle->maxLength(), 55);
    QTest::keyClicks(p.txtArtist, QString(45, u'a'));
    EXPECT_EQ(p.txtArtist->text().size(), 39);
    options.bOptimizedID3v1 = false;
    SetID3v1BoxLimits(p.id3v1Boxes(), options);
    EXPECT_EQ(p.txtArtist->maxLength(), 30);
    EXPECT_EQ(p.txtTitle->maxLength(), 30);
}

}  // namespace
