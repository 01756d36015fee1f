#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/extras/about.h"
#include "zarn/extras/help.h"

namespace {

// Stands in for the desktop: remembers what it was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
  public slots:
    void open(const QUrl& url) { opened << url; }

  public:
    QList<QUrl> opened;
};

TEST(AboutTest, NamesTheProgramAndItsVersionInTheBoxTitledPelmora) {
    ScriptedPrompter prompter;
    ShowAbout(prompter);
    ASSERT_EQ(prompter.informations.size(), 1);
    const QStringList lines = prompter.informations.first().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], QStringLiteral("Pelmora"));
    // The major version and the revision (the fourth number), not the whole version.
    EXPECT_EQ(lines[1],
              QStringLiteral("Version: %1.%2").arg(ZARN_VERSION_MAJOR).arg(ZARN_VERSION_REVISION));
    EXPECT_TRUE(lines[2].isEmpty());
    // ... and the whole release, as --version and the package give it.
    EXPECT_TRUE(lines[3].contains(
        QRegularExpression(QStringLiteral(R"(\(release \d+\.\d+\.\d+\.\d+\)\.$)"))))
        << lines[3].toStdString();
    EXPECT_TRUE(lines[4].isEmpty());
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("Copyright")));
}

TEST(HelpTest, OpensTheManualInTheProgramFolderThroughTheDesktop) {
    QTemporaryDir home;
    qputenv("ZARN_HOME", home.path().toUtf8());
    UrlRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    OpenHelp();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(desktop.opened,
              QList<QUrl>{QUrl::fromLocalFile(home.filePath(QStringLiteral("zarn.txt")))});
}

}  // namespace

#include "helpabout_test.moc"
