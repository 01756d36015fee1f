#include "zarn/shell/sortinglist.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <tuple>

#include "tests/support/mp3writer.h"
#include "zarn/shell/listentry.h"

namespace {

class SortingListTest : public ::testing::Test {
  protected:
    QString file(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString write(const char* name, const QByteArray& bytes) const {
        mp3::WriteFile(file(name), bytes);
        return file(name);
    }
    QTemporaryDir dir;
};

TEST_F(SortingListTest, KindFollowsLastFourCharacters) {
    const std::pair<const char*, ListKind> cases[] = {
        {"a.srt", ListKind::Srt},          {"/x/B.M3U", ListKind::M3u},
        {"c.Pls", ListKind::Pls},          {"list.txt", ListKind::Unsupported},
        {"mylist", ListKind::Unsupported}, {"x.m3u8", ListKind::Unsupported},
        {"", ListKind::Unsupported}};
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(ListKindOf(QString::fromUtf8(path)), kind) << path;
}

TEST_F(SortingListTest, SavedListsLoadBackTheSameRows) {
    const QStringList rows{EntryFromPath(QStringLiteral("/m/b.mp3"), u'/'),
                           EntryFromPath(QStringLiteral("/m/ä ö/a.mp3"), u'/')};
    EXPECT_EQ(WriteListRows(file("l.srt"), rows, SaveFormat::Srt).number, 0);
    EXPECT_EQ(ReadListRows(file("l.srt"), ListKind::Srt, u'/'), rows);
    EXPECT_EQ(WriteListRows(file("l.m3u"), rows, SaveFormat::M3u).number, 0);
    EXPECT_EQ(mp3::ReadFile(file("l.m3u")),
              QByteArray("/m/b.mp3\r\n/m/\xC3\xA4 \xC3\xB6/a.mp3\r\n"));
    EXPECT_EQ(ReadListRows(file("l.m3u"), ListKind::M3u, u'/'), rows);
}

TEST_F(SortingListTest, SaveUsesTheNameAsChosenAndReportsFailure) {
    EXPECT_EQ(
        WriteListRows(file("mylist"), {QStringLiteral("a     (/m/)")}, SaveFormat::Srt).number, 0);
    EXPECT_TRUE(QFile::exists(file("mylist")));
    EXPECT_FALSE(QFile::exists(file("mylist.srt")));
    const FileError error = WriteListRows(file("no/such/folder/x.srt"), {}, SaveFormat::Srt);
    EXPECT_NE(error.number, 0);
    EXPECT_FALSE(error.description.isEmpty());
}

TEST_F(SortingListTest, AnyLineEndReadsTheSame) {
    const QStringList expected{QStringLiteral("a.mp3     (/m/)"),
                               QStringLiteral("b.mp3     (/m/)")};
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const QByteArray text =
            QByteArray("a.mp3     (/m/)") + end + "  " + end + "b.mp3     (/m/)" + end;
        EXPECT_EQ(ReadListRows(write("e.srt", text), ListKind::Srt, u'/'), expected)
            << QByteArray(end).toHex().constData();
    }
}

TEST_F(SortingListTest, Windows1252WhenNotUtf8) {
    // 0xE4 alone is not UTF-8: the line is read as Windows-1252 "ä".
    EXPECT_EQ(ReadListRows(write("w.m3u", "/m/\xE4.mp3\n"), ListKind::M3u, u'/'),
              QStringList({QStringLiteral("ä.mp3     (/m/)")}));
}

TEST_F(SortingListTest, PlaylistPathsWithDriveLetters) {
    struct Case {
        const char* line;
        const char* playlist;
        const char* path;
    };
    const Case cases[] = {
        {"\\Music\\a.mp3", "D:\\Lists\\x.m3u", "D:\\Music\\a.mp3"},
        {"a.mp3", "D:\\Lists\\x.m3u", "D:a.mp3"},
        {"C:\\a.mp3", "D:\\Lists\\x.m3u", "C:\\a.mp3"},
        {"\\\\server\\share\\b.mp3", "D:\\x.pls", "\\\\server\\share\\b.mp3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaylistLinePath(QString::fromUtf8(c.line), QString::fromUtf8(c.playlist), u'\\'),
                  QString::fromUtf8(c.path))
            << c.line;
}

TEST_F(SortingListTest, PlaylistPathsOnPosixAreRelativeToThePlaylist) {
    struct Case {
        const char* line;
        const char* path;
    };
    const Case cases[] = {
        {"/music/a.mp3", "/music/a.mp3"},
        {"a.mp3", "/home/me/lists/a.mp3"},
        {"../music/b c.mp3", "/home/me/music/b c.mp3"},
        {"file:///music/%C3%A4.mp3", "/music/ä.mp3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaylistLinePath(QString::fromUtf8(c.line),
                                   QStringLiteral("/home/me/lists/x.m3u"), u'/'),
                  QString::fromUtf8(c.path))
            << c.line;
}

TEST_F(SortingListTest, M3uSkipsCommentsAndBlankLines) {
    const QString path = write("c.m3u", "#EXTM3U\n  #EXTINF:1,A - B\n\n   \n/m/a.mp3\n");
    EXPECT_EQ(ReadListRows(path, ListKind::M3u, u'/'),
              QStringList({QStringLiteral("a.mp3     (/m/)")}));
}

TEST_F(SortingListTest, PlsTakesFileKeysInAnyCase) {
    const QString path = write("p.pls",
                               "[playlist]\r\nFile1=C:\\a.mp3\r\nTitle1=A\r\n"
                               "file2=\\\\server\\share\\b.mp3\r\n  FILE3=x.mp3\r\nFile4=\r\n"
                               "NumberOfEntries=3\r\n");
    const QStringList rows = ReadListRows(path, ListKind::Pls, u'\\');
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(PathFromEntry(rows[0]), QStringLiteral("C:\\a.mp3"));
    EXPECT_EQ(PathFromEntry(rows[1]), QStringLiteral("\\\\server\\share\\b.mp3"));
    EXPECT_EQ(PathFromEntry(rows[2]), path.left(2) + QStringLiteral("x.mp3"));
}

TEST_F(SortingListTest, BinaryFileAddsNoBrokenRows) {
    QByteArray bytes = mp3::Audio(3);
    for (int i = 0; i < 256; ++i) bytes.append(char(i));
    bytes.append("\nok.mp3     (/m/)\n");
    const QStringList rows = ReadListRows(write("bin.srt", bytes), ListKind::Srt, u'/');
    for (const QString& row : rows)
        for (QChar ch : row) EXPECT_GE(ch.unicode(), 0x20) << row.toStdString();
    EXPECT_TRUE(rows.contains(QStringLiteral("ok.mp3     (/m/)")));
}

// Lines that name no usable file: a control character hidden in a file:// URL until it is
// decoded, and a folder or a pipe named like an MP3 file. Missing files stay, as always.
TEST_F(SortingListTest, LinesNamingNoUsableFileAddNoRows) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.mp3")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file("pipe.mp3")).constData(), 0644), 0);
    const QByteArray m3u =
        "file:///m/a%0Ab.mp3\nfile:///m/c%0D.mp3\nfile:///m/%09d.mp3\n"
        "file:///m/e%7F.mp3\nfolder.mp3\npipe.mp3\nmissing.mp3\n";
    const QStringList rows = ReadListRows(write("l.m3u", m3u), ListKind::M3u, u'/');
    EXPECT_EQ(rows, QStringList{EntryFromPath(file("missing.mp3"), u'/')});
    const QByteArray pls =
        "[playlist]\nFile1=file:///m/a%0Ab.mp3\nFile2=folder.mp3\n"
        "File3=missing.mp3\n";
    EXPECT_EQ(ReadListRows(write("l.pls", pls), ListKind::Pls, u'/'), rows);
    const QByteArray srt = (EntryFromPath(file("folder.mp3"), u'/') + u"\n"_qs +
                            EntryFromPath(file("missing.mp3"), u'/') + u"\n"_qs)
                               .toUtf8();
    EXPECT_EQ(ReadListRows(write("l.srt", srt), ListKind::Srt, u'/'), rows);
    // A list file that is itself a pipe gives nothing instead of waiting for a writer.
    ASSERT_EQ(::mkfifo(QFile::encodeName(file("pipe.m3u")).constData(), 0644), 0);
    EXPECT_TRUE(ReadListRows(file("pipe.m3u"), ListKind::M3u, u'/').isEmpty());
}

TEST_F(SortingListTest, NameBeginningLikeAByteOrderMarkSurvivesASave) {
    const QStringList rows{EntryFromPath(u"/m/\uFEFFa.mp3"_qs, u'/')};
    for (const auto& [name, format, kind] : {std::tuple{"l.srt", SaveFormat::Srt, ListKind::Srt},
                                             std::tuple{"l.m3u", SaveFormat::M3u, ListKind::M3u}}) {
        ASSERT_FALSE(WriteListRows(file(name), rows, format).failed());
        EXPECT_EQ(ReadListRows(file(name), kind, u'/'), rows) << name;
    }
}

TEST_F(SortingListTest, MissingFileGivesNoRows) {
    EXPECT_TRUE(ReadListRows(file("none.srt"), ListKind::Srt).isEmpty());
}

}  // namespace
