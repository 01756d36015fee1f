#include "zarn/shell/mainsettings.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "zarn/shell/settingsstore.h"

namespace {

class MainSettingsTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    SettingsStore store = SettingsStore::atFile(dir.filePath(QStringLiteral("z.ini")));
};

TEST_F(MainSettingsTest, EmptyStoreGivesDefaults) {
    const MainSettings s = LoadMainSettings(store, QStringLiteral("/prog"));
    EXPECT_FALSE(s.Genre);
    EXPECT_FALSE(s.Alphabetical);
    EXPECT_FALSE(s.SubFolder);
    EXPECT_TRUE(s.Convert);
    EXPECT_EQ(s.txtSubFolder, 5);
    EXPECT_EQ(s.FileExists, 0);
    EXPECT_EQ(s.Move, 2);
    EXPECT_EQ(s.TargetDir, QStringLiteral("/prog"));
    EXPECT_EQ(s.LastDir, QStringLiteral("/prog"));
    EXPECT_EQ(s.InPattern, QStringLiteral("%artist - %title.mp3"));
    EXPECT_EQ(s.OutPattern, QStringLiteral("%track - %artist - %title.mp3"));
    EXPECT_FALSE(store.contains(QStringLiteral("Move")));  // nothing written by reading
}

TEST_F(MainSettingsTest, MalformedValuesCountAsDefaults) {
    struct Case {
        const char* key;
        const char* stored;
        int (*read)(const MainSettings&);
        int expected;
    };
    const auto threshold = [](const MainSettings& s) { return s.txtSubFolder; };
    const auto exists = [](const MainSettings& s) { return s.FileExists; };
    const auto move = [](const MainSettings& s) { return s.Move; };
    const auto convert = [](const MainSettings& s) { return int(s.Convert); };
    const auto genre = [](const MainSettings& s) { return int(s.Genre); };
    const Case cases[] = {
        {"txtSubFolder", "7.9", threshold, 7},
        {"txtSubFolder", "abc", threshold, 5},
        {"txtSubFolder", "-3", threshold, 5},
        {"txtSubFolder", "0", threshold, 0},
        {"FileExists", "3", exists, 0},
        {"FileExists", "-1", exists, 0},
        {"FileExists", "2", exists, 2},
        {"Move", "x", move, 2},
        {"Move", "1", move, 1},
        {"Convert", "0", convert, 0},
        {"Convert", "maybe", convert, 1},
        {"Genre", "0.6", genre, 1},
        {"Genre", "0.4", genre, 0},
    };
    for (const Case& c : cases) {
        store.setText(QString::fromUtf8(c.key), QString::fromUtf8(c.stored));
        EXPECT_EQ(c.read(LoadMainSettings(store, QString())), c.expected)
            << c.key << "=" << c.stored;
    }
}

TEST_F(MainSettingsTest, SavedValuesReadBack) {
    MainSettings s;
    s.Genre = true;
    s.txtSubFolder = 12;
    s.FileExists = 1;
    s.Move = 0;
    s.TargetDir = QStringLiteral("/t");
    s.LastDir = QStringLiteral("/l");
    s.InPattern = QStringLiteral("%title.mp3");
    SaveMainSettings(store, s);
    EXPECT_EQ(store.text(QStringLiteral("Genre"), QString()), QStringLiteral("1"));
    EXPECT_EQ(store.text(QStringLiteral("Convert"), QString()), QStringLiteral("1"));
    const MainSettings back = LoadMainSettings(store, QString());
    EXPECT_TRUE(back.Genre);
    EXPECT_EQ(back.txtSubFolder, 12);
    EXPECT_EQ(back.FileExists, 1);
    EXPECT_EQ(back.Move, 0);
    EXPECT_EQ(back.TargetDir, QStringLiteral("/t"));
    EXPECT_EQ(back.LastDir, QStringLiteral("/l"));
    EXPECT_EQ(back.InPattern, QStringLiteral("%title.mp3"));
}

TEST_F(MainSettingsTest, ThresholdOfTheBox) {
    EXPECT_EQ(ThresholdOfText(QStringLiteral("7")), 7);
    EXPECT_EQ(ThresholdOfText(QStringLiteral("007")), 7);
    EXPECT_EQ(ThresholdOfText(QString()), 5);
    EXPECT_EQ(ThresholdOfText(QStringLiteral("99999999999")), 5);
}

TEST_F(MainSettingsTest, PatternChoicesSkipBlankLinesAndKeepLeadingBlanks) {
    const QString path = dir.filePath(QStringLiteral("inpattern.txt"));
    mp3::WriteFile(path, "  %artist - %title.mp3\r\n\r\n   \r\n");
    EXPECT_EQ(ReadPatternChoices(path), QStringList({QStringLiteral("  %artist - %title.mp3")}));
    const QString missing = dir.filePath(QStringLiteral("outpattern.txt"));
    EXPECT_TRUE(ReadPatternChoices(missing).isEmpty());
    EXPECT_TRUE(QFile::exists(missing));  // created empty for the user to edit
}

TEST(ProgramCaptionTest, MajorAndRevision) {
    // Major and revision only: version 1.0.0.25 shows "Pelmora 1.25".
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Pelmora \\d+\\.\\d+$"))
                    .match(ProgramCaption())
                    .hasMatch())
        << ProgramCaption().toStdString();
}

}  // namespace
