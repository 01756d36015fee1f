#include "zarn/shell/listentry.h"

#include <gtest/gtest.h>

namespace {

struct EntryCase {
    const char* path;
    char separator;
    const char* entry;
    const char* name;
    const char* folder;
};

class EntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryTest, ConvertsBothWays) {
    const EntryCase& c = GetParam();
    const QString path = QString::fromUtf8(c.path);
    const QChar sep = QLatin1Char(c.separator);
    const QString entry = EntryFromPath(path, sep);
    EXPECT_EQ(entry, QString::fromUtf8(c.entry));
    EXPECT_EQ(PathFromEntry(entry), path);
    EXPECT_EQ(NameFromEntry(entry, sep), QString::fromUtf8(c.name));
    EXPECT_EQ(FolderFromEntry(entry, sep), QString::fromUtf8(c.folder));
    // A plain path gives the same name and folder as its entry.
    EXPECT_EQ(NameFromEntry(path, sep), QString::fromUtf8(c.name));
    EXPECT_EQ(FolderFromEntry(path, sep), QString::fromUtf8(c.folder));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, EntryTest,
    ::testing::Values(
        EntryCase{"C:\\a.mp3", '\\', "a.mp3     (C:\\)", "a.mp3", "C:\\"},
        EntryCase{"C:\\Music\\a.mp3", '\\', "a.mp3     (C:\\Music\\)", "a.mp3", "C:\\Music\\"},
        EntryCase{"\\\\server\\share\\b.mp3", '\\', "b.mp3     (\\\\server\\share\\)", "b.mp3",
                  "\\\\server\\share\\"},
        EntryCase{"/home/a.mp3", '/', "a.mp3     (/home/)", "a.mp3", "/home/"},
        EntryCase{"/home/me/Música/ünï (live).mp3", '/', "ünï (live).mp3     (/home/me/Música/)",
                  "ünï (live).mp3", "/home/me/Música/"},
        EntryCase{"a.mp3", '/', "a.mp3     ()", "a.mp3", ""}));

TEST(EntryTest, TextsWithoutMarkerOrCutShort) {
    EXPECT_EQ(PathFromEntry(QStringLiteral("C:\\x\\y.mp3")), QStringLiteral("C:\\x\\y.mp3"));
    EXPECT_EQ(PathFromEntry(QString()), QString());
    // The marker is searched from the left: a name holding it is split there.
    const QString odd = QStringLiteral("a     (b.mp3     (/m/)");
    EXPECT_EQ(NameFromEntry(odd, u'/'), QStringLiteral("a"));
    EXPECT_EQ(FolderFromEntry(odd, u'/'), QStringLiteral("b.mp3     (/m/"));
    // A row that ends right after the marker must not give a negative length.
    EXPECT_EQ(FolderFromEntry(QStringLiteral("x     ("), u'/'), QString());
    EXPECT_EQ(PathFromEntry(QStringLiteral("x     (")), QStringLiteral("x"));
}

}  // namespace
