#pragma once
// The menu bar of the main window and the pop-up menu of the file list.
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

struct MainMenus {
    void build(QMenuBar* bar, QWidget* owner);

    QMenu* mnuFile = nullptr;
    QAction* mnuNameFromFile = nullptr;
    QAction* mnuAddFiles = nullptr;
    QAction* mnuAddFolder = nullptr;
    QAction* mnuFindDuplicates = nullptr;
    QAction* mnuQuickSort = nullptr;
    QAction* mnuSortAll = nullptr;
    QAction* mnuNonExistent = nullptr;
    QAction* mnuSelV1Files = nullptr;
    QAction* mnuSelV2Files = nullptr;
    QAction* mnuSelInvert = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuFixID3 = nullptr;
    QAction* mnuSaveID3 = nullptr;
    QAction* mnuOptions = nullptr;
    QAction* mnuHelpMe = nullptr;
    QAction* mnuAbout = nullptr;

    QMenu* mnuPopup = nullptr;
    QAction* mnuPlayFile = nullptr;
    QAction* mnuStopPlay = nullptr;
    QAction* mnuRemFromList = nullptr;
    QAction* mnuRemFromHD = nullptr;
};
