#include "zarn/app/mainmenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* Entry(QMenu* menu, const QString& caption, const char* name) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* Menu(QMenuBar* bar, const QString& caption, const char* name) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace

void MainMenus::build(QMenuBar* bar, QWidget* owner) {
    mnuFile = Menu(bar, QStringLiteral("&File"), "mnuFile");
    mnuNameFromFile =
        Entry(mnuFile, QStringLiteral("&Get Filenames From File..."), "mnuNameFromFile");
    mnuFile->addSeparator();
    mnuAddFiles = Entry(mnuFile, QStringLiteral("&Add Files..."), "mnuAddFiles");
    mnuAddFolder = Entry(mnuFile, QStringLiteral("Add F&older..."), "mnuAddFolder");
    mnuFindDuplicates = Entry(mnuFile, QStringLiteral("Find &Duplicates"), "mnuFindDuplicates");
    mnuFindDuplicates->setVisible(false);
    mnuQuickSort = Entry(mnuFile, QStringLiteral("&Quick Sort File"), "mnuQuickSort");
    mnuQuickSort->setShortcut(Qt::Key_F5);
    mnuSortAll = Entry(mnuFile, QStringLiteral("&Sort All Files"), "mnuSortAll");
    mnuFile->addSeparator();
    mnuNonExistent = Entry(mnuFile, QStringLiteral("&Remove nonexistent files"), "mnuNonExistent");
    mnuSelV1Files = Entry(mnuFile, QStringLiteral("Select files with ID3v&1"), "mnuSelV1Files");
    mnuSelV2Files = Entry(mnuFile, QStringLiteral("Select files with ID3v&2"), "mnuSelV2Files");
    mnuSelInvert = Entry(mnuFile, QStringLiteral("&Invert Selection"), "mnuSelInvert");
    mnuFile->addSeparator();
    mnuExit = Entry(mnuFile, QStringLiteral("E&xit"), "mnuExit");
    mnuExit->setShortcut(Qt::CTRL | Qt::Key_Q);

    QMenu* id3 = Menu(bar, QStringLiteral("&ID3"), "mnuID3");
    mnuFixID3 = Entry(id3, QStringLiteral("&Fix ID3"), "mnuFixID3");
    mnuSaveID3 = Entry(id3, QStringLiteral("&Save ID3"), "mnuSaveID3");
    mnuSaveID3->setShortcut(Qt::CTRL | Qt::Key_S);
    QMenu* settings = Menu(bar, QStringLiteral("&Settings"), "mnuSettings");
    mnuOptions = Entry(settings, QStringLiteral("&Options"), "mnuOptions");
    QMenu* help = Menu(bar, QStringLiteral("&?"), "mnuHelp");
    mnuHelpMe = Entry(help, QStringLiteral("&Help..."), "mnuHelpMe");
    mnuAbout = Entry(help, QStringLiteral("&About..."), "mnuAbout");

    mnuPopup = new QMenu(QStringLiteral("Popup Menu"), owner);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuPlayFile = Entry(mnuPopup, QStringLiteral("&Play file"), "mnuPlayFile");
    mnuStopPlay = Entry(mnuPopup, QStringLiteral("&Stop playing file"), "mnuStopPlay");
    mnuPopup->addSeparator();
    mnuRemFromList = Entry(mnuPopup, QStringLiteral("&Remove from list"), "mnuRemFromList");
    mnuRemFromHD = Entry(mnuPopup, QStringLiteral("Remove from &harddrive"), "mnuRemFromHD");
}
