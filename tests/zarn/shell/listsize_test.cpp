#include "zarn/shell/listsize.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/zarn/shell/shelltest.h"
#include "zarn/shell/listentry.h"

namespace {

TEST(ListSizeTest, SumsExistingFilesOnly) {
    QTemporaryDir dir;
    const QStringList rows{EntryFromPath(MakeFile(dir.filePath(QStringLiteral("a.mp3")), 1048576)),
                           EntryFromPath(MakeFile(dir.filePath(QStringLiteral("b.mp3")), 524288)),
                           EntryFromPath(MakeFile(dir.filePath(QStringLiteral("c.mp3")), 1)),
                           EntryFromPath(dir.filePath(QStringLiteral("gone.mp3"))),
                           EntryFromPath(dir.path())};  // a folder has no length
    const double mb = ListSizeMb(rows);
    EXPECT_EQ(mb, 1.5);
    EXPECT_EQ(CountLabelText(3, mb, QLocale::c()), QStringLiteral("3 files (1.5 Mb)"));
    EXPECT_EQ(CountLabelText(0, ListSizeMb({}), QLocale::c()), QStringLiteral("0 files (0 Mb)"));
}

TEST(ListSizeTest, RoundsHalvesToEven) {
    QTemporaryDir dir;
    // 0.125 Mb and 0.375 Mb round to the even hundredth: 0.12 and 0.38.
    const QString eighth = MakeFile(dir.filePath(QStringLiteral("e.mp3")), 131072);
    EXPECT_EQ(MbText(ListSizeMb({EntryFromPath(eighth)}), QLocale::c()), QStringLiteral("0.12"));
    const QString more = MakeFile(dir.filePath(QStringLiteral("f.mp3")), 262144);
    EXPECT_EQ(MbText(ListSizeMb({EntryFromPath(eighth), EntryFromPath(more)}), QLocale::c()),
              QStringLiteral("0.38"));
}

TEST(ListSizeTest, WritesShortestFormWithUsersSeparator) {
    struct Case {
        double mb;
        QLocale locale;
        const char* text;
    };
    const Case cases[] = {
        {1.5, QLocale::c(), "1.5"},
        {1.5, QLocale(QLocale::German), "1,5"},
        {2, QLocale(QLocale::German), "2"},
        {0, QLocale::c(), "0"},
        {12345.67, QLocale(QLocale::English, QLocale::UnitedStates), "12345.67"},  // no grouping
        {0.1, QLocale::c(), "0.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MbText(c.mb, c.locale), QString::fromUtf8(c.text)) << c.text;
}

}  // namespace
