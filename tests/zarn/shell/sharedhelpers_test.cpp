#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "zarn/names/replacelist.h"
#include "zarn/shell/cp1252.h"
#include "zarn/shell/options.h"
#include "zarn/shell/settingsstore.h"
#include "zarn/shell/text.h"
#include "zarn/shell/textfile.h"

namespace {

TEST(Text, TrimTouchesBlanksOnly) {
    EXPECT_EQ(TrimBlanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(TrimBlanks(QStringLiteral("\ta\t")), QStringLiteral("\ta\t"));
    EXPECT_EQ(TrimBlanks(QString(QChar(0xA0)) + u'a'), QString(QChar(0xA0)) + u'a');
    EXPECT_EQ(TrimBlanks(QStringLiteral("   ")), QString());
}

TEST(Text, OneBasedPositions) {
    const QString s = QStringLiteral("a - b - c");
    EXPECT_EQ(InStr(s, QStringLiteral(" - ")), 2);
    EXPECT_EQ(InStr(3, s, QStringLiteral(" - ")), 6);
    EXPECT_EQ(InStr(7, s, QStringLiteral(" - ")), 0);
    EXPECT_EQ(InStr(20, s, QStringLiteral("a")), 0);
    EXPECT_EQ(InStrRev(s, QStringLiteral(" - ")), 6);
    EXPECT_EQ(Mid(s, 5), QStringLiteral("b - c"));
    EXPECT_EQ(Mid(s, 1, 1), QStringLiteral("a"));
    EXPECT_EQ(Mid(s, 50, 3), QString());
    EXPECT_EQ(
        ReplaceRepeatedly(QStringLiteral("a----b"), QStringLiteral("--"), QStringLiteral("-")),
        QStringLiteral("a-b"));
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    const QString text = FromCp1252(all);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x81], QChar(0x81));
    EXPECT_EQ(Cp1252Code(QChar(0x20AC)), 0x80);
    EXPECT_EQ(ToCp1252(text), all);
    EXPECT_TRUE(FitsCp1252(text));
}

TEST(Cp1252, CharactersOutsideBecomeQuestionMarks) {
    EXPECT_FALSE(FitsCp1252(QStringLiteral("Кино")));
    EXPECT_EQ(ToCp1252(QStringLiteral("a\u041Ab")), QByteArray("a?b"));
    // An emoji is one character to the user, so it gives one "?".
    EXPECT_EQ(ToCp1252(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));
}

TEST(TextFile, LineEndsAndEncodings) {
    const QStringList expected = {QStringLiteral("a"), QString(), QStringLiteral("b")};
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\n\r\nb\r\n")), expected);
    EXPECT_EQ(SplitLines(QStringLiteral("a\n\nb")), expected);
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\rb\r")), expected);
    EXPECT_EQ(DecodeText(QByteArray("caf\xC3\xA9")), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(DecodeText(QByteArray("caf\xE9")), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(DecodeText(QByteArray("\xEF\xBB\xBFx")), QStringLiteral("x"));
}

TEST(Settings, MalformedValuesGiveTheDefault) {
    QTemporaryDir dir;
    SettingsStore store = SettingsStore::atFile(dir.filePath(QStringLiteral("s.ini")));
    store.setText(QStringLiteral("n"), QStringLiteral("7.9"));
    store.setText(QStringLiteral("bad"), QStringLiteral("seven"));
    store.setText(QStringLiteral("idx"), QStringLiteral("3"));
    store.setText(QStringLiteral("on"), QStringLiteral("True"));
    store.setText(QStringLiteral("on2"), QStringLiteral("-1"));
    EXPECT_EQ(store.number(QStringLiteral("n"), 5, true), 7);
    EXPECT_EQ(store.number(QStringLiteral("n"), 5), 8);
    EXPECT_EQ(store.number(QStringLiteral("bad"), 5), 5);
    EXPECT_EQ(store.number(QStringLiteral("missing"), 5), 5);
    EXPECT_EQ(store.index3(QStringLiteral("idx"), 2), 2);
    EXPECT_TRUE(store.flag(QStringLiteral("on"), false));
    EXPECT_TRUE(store.flag(QStringLiteral("on2"), false));
    EXPECT_FALSE(store.flag(QStringLiteral("bad"), false));
}

TEST(Options, DefaultsAndRoundTrip) {
    const QString set = Options::DefaultRemoveChars();
    EXPECT_EQ(set.size(), 121);
    EXPECT_TRUE(set.startsWith(QStringLiteral("^`{}~")));
    EXPECT_FALSE(set.contains(QChar(0xC4)));   // Ä is kept in names
    EXPECT_TRUE(set.contains(QChar(0x20AC)));  // code 128
    QTemporaryDir dir;
    SettingsStore store = SettingsStore::atFile(dir.filePath(QStringLiteral("s.ini")));
    Options first = LoadOptions(store);
    EXPECT_TRUE(first.bID3);
    EXPECT_FALSE(first.bReplace);
    EXPECT_EQ(first.Change, 1);
    first.bReplace = true;
    first.Change = 4;
    first.Extension = QStringLiteral("ogg");
    SaveOptions(store, first);
    const Options second = LoadOptions(store);
    EXPECT_TRUE(second.bReplace);
    EXPECT_EQ(second.Change, 4);
    EXPECT_EQ(second.Extension, QStringLiteral("ogg"));
    EXPECT_EQ(second.strRemoveChars, set);
}

TEST(ReplaceList, PairsFromLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("replaces.txt"));
    const ReplaceList missing = ReadReplaceList(path);
    EXPECT_TRUE(QFile::exists(path));  // created empty
    ASSERT_EQ(missing.size(), 1);
    EXPECT_TRUE(missing[0].first.isEmpty() && missing[0].second.isEmpty());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("feat\r\nft.\r\n&\r\n");
    file.close();
    const ReplaceList three = ReadReplaceList(path);
    ASSERT_EQ(three.size(), 2);
    EXPECT_EQ(three[1].first, QStringLiteral("&"));
    EXPECT_EQ(three[1].second, QString());

    ASSERT_TRUE(WriteReplaceList(path, {}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\r\n\r\n"));
}

}  // namespace
