#pragma once
// The one window of Orvik: the search settings, the search text, the result list and its menus.
#include <QMainWindow>

#include "orvik/finder.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSettings;

namespace orvik {

class FinderDialogs;
class ResultModel;

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    // `store` holds the check-box settings and `dialogs` asks the user; both outlive the window.
    frmMain(QSettings& store, FinderDialogs& dialogs, QWidget* parent = nullptr);
    ~frmMain() override;

    // Appends one playlist's entries; an empty path does nothing. Used by the menu and the drop.
    void LoadPlaylist(const QString& path);
    // The files of a drop: every playlist among them is loaded, in the order given.
    void LoadDroppedFiles(const QStringList& paths);
    void Search();
    void SavePlaylist();
    void RemoveMissingFiles();
    void DeleteSelectedRows();
    void ClearList();

    const Finder& finder() const { return m_finder; }

    QCheckBox* chkEachWord;
    QCheckBox* chkInFName;
    QCheckBox* chkInArtist;
    QCheckBox* chkInTitle;
    QLineEdit* txtText;
    QPushButton* cmdClear;
    QListView* lstFiles;
    QLabel* lblFound;
    QLabel* lblNrFiles;
    QAction* mnuAddPlaylist;
    QAction* mnuSavePlaylist;
    QAction* mnuRemMissing;
    QAction* mnuExit;
    QAction* mnuAbout;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void connectControls();
    void applySettings();
    void showFileCount();
    void showFoundCount();

    QSettings& m_store;
    FinderDialogs& m_dialogs;
    Finder m_finder;
    ResultModel* m_model;
};

}  // namespace orvik
