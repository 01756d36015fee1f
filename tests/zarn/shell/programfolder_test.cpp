#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "zarn/shell/programfolder.h"

namespace {

void Write(const QString& path, const QByteArray& text, const QDateTime& modified) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.flush();  // a later flush would stamp the time of writing again
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// An installed program fills the user's folder from its shared copies: what is missing arrives,
// the user's own lists are never replaced, and only the manual follows a newer installed copy.
TEST(SeedProgramFolderTest, FillsWhatIsMissingAndKeepsTheUsersFiles) {
    QTemporaryDir installed, user;
    const QDateTime old = QDateTime::currentDateTime().addDays(-10);
    const QDateTime recent = QDateTime::currentDateTime().addDays(-1);
    struct Case {
        const char* file;
        const char* installedText;
        const char* userText;  // nullptr: the user has no copy
        bool userIsOlder;
        const char* expected;
    };
    const Case cases[] = {
        {"zarn.txt", "new manual", "old manual", true, "new manual"},
        {"inpattern.txt", "%artist - %title.mp3\n", nullptr, false, "%artist - %title.mp3\n"},
        {"outpattern.txt", "%track.mp3\n", "%mine.mp3\n", true, "%mine.mp3\n"},
        {"replaces.txt", "ft.\nfeat.\n", "", true, ""},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.file);
        Write(installed.filePath(name), c.installedText, recent);
        if (c.userText) Write(user.filePath(name), c.userText, c.userIsOlder ? old : recent);
    }
    SeedProgramFolder(installed.path(), user.path());
    for (const Case& c : cases) {
        const QString path = user.filePath(QString::fromLatin1(c.file));
        EXPECT_EQ(Read(path), QByteArray(c.expected)) << c.file;
        EXPECT_TRUE(QFile::permissions(path) & QFileDevice::WriteOwner) << c.file;
    }
}

}  // namespace
