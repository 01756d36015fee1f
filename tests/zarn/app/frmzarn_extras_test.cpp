// The main window's extras: the tab strip, the player's menu entries, options, help and about.
#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "tests/support/fakeplayer.h"
#include "tests/support/qtstrings.h"
#include "tests/zarn/app/windowtest.h"
#include "zarn/extras/about.h"
#include "zarn/names/frmoptions.h"
#include "zarn/shell/filelistview.h"

namespace {

// Stands in for the desktop: remembers what it was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
  public slots:
    void open(const QUrl& url) { opened << url; }

  public:
    QList<QUrl> opened;
};

class ExtrasWindowTest : public WindowTest {
  protected:
    ~ExtrasWindowTest() override { window.reset(); }  // the window plays on `player`
    frmZarn& shown() {
        window = std::make_unique<frmZarn>(store, values, prompter, &dialogs, &player);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }
    // Clicks a row of the file list as the user does; Ctrl adds it to the selection.
    void clickRow(int row, Qt::KeyboardModifiers keys = {}) {
        FileListView* list = window->lstFiles;
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, rect.center());
    }

    FakePlayer player;
};

TEST_F(ExtrasWindowTest, EachTabShowsItsOwnPage) {
    frmZarn& w = shown();
    for (int tab : {2, 1, 0}) {
        QTest::mouseClick(w.TabStrip1, Qt::LeftButton, {}, w.TabStrip1->tabRect(tab).center());
        for (int page = 0; page < 3; ++page)
            EXPECT_EQ(w.picTab[page]->isVisible(), page == tab) << "tab " << tab;
    }
}

TEST_F(ExtrasWindowTest, PopupPlaysTheCurrentFileUnlessSeveralAreSelected) {
    frmZarn& w = shown();
    const QString a = dataFile("a.mp3", 10), b = dataFile("b.mp3", 10);
    w.fileList().addPath(a);
    w.fileList().addPath(b);
    clickRow(1);
    w.menus.mnuPlayFile->trigger();
    EXPECT_EQ(player.opened, QStringList{b});
    EXPECT_EQ(w.picTab[2]->toolTip(), QStringLiteral("Now Playing: ") + b);
    w.menus.mnuStopPlay->trigger();
    EXPECT_EQ(player.stops, 1);
    EXPECT_EQ(w.picTab[2]->toolTip(), QString());

    player.opened.clear();
    clickRow(0, Qt::ControlModifier);
    QTest::mouseClick(w.cmdOpenMP3, Qt::LeftButton);
    w.menus.mnuPlayFile->trigger();
    EXPECT_TRUE(player.opened.isEmpty());
}

TEST_F(ExtrasWindowTest, OptionsHelpAndAboutFromTheMenu) {
    frmZarn& w = shown();
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        modal = options && options->parentWidget() == &w;
        if (options) options->reject();
    });
    w.menus.mnuOptions->trigger();
    EXPECT_TRUE(modal) << "Options opens modally over the main window";

    UrlRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    w.menus.mnuHelpMe->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(homeFile("zarn.txt"))});

    w.menus.mnuAbout->trigger();
    EXPECT_EQ(prompter.shown, QStringList{QStringLiteral("Pelmora|") + AboutText()});
}

}  // namespace

#include "frmzarn_extras_test.moc"
