#pragma once
// The main window: the file list with its preview, the sorting controls, the pattern boxes and
// the tag panel. It restores its settings when built and saves them once when it closes.
#include <QMainWindow>
#include <array>
#include <memory>

#include "zarn/app/mainmenus.h"
#include "zarn/editing/panelstate.h"
#include "zarn/editing/tagpanel.h"
#include "zarn/shell/filelist.h"

class FileDialogs;
class FileListView;
class FixID3Command;
class ListCommands;
class PanelBehaviour;
class PlayFilePage;
class Player;
class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QStackedWidget;
class QTabBar;
class SettingsStore;
class NameFromFileCommand;
class SortCommands;
class SortingControls;
struct MainSettings;
struct ProgramValues;

class frmZarn : public QMainWindow {
    Q_OBJECT
  public:
    // `dialogs` answers the file dialogs and `player` plays; the system's dialogs and player
    // when none is given.
    frmZarn(SettingsStore& store, ProgramValues& values, Prompter& prompter,
            FileDialogs* dialogs = nullptr, Player* player = nullptr, QWidget* parent = nullptr);
    ~frmZarn() override;

    // Empties the tag panel and refreshes the count label.
    void ClearFileInfo();
    // Removes a row from the file list and the preview together.
    void RemoveRow(int row);
    // Reads one file into the tag panel and the information labels; a file that is gone loses
    // its row.
    // By value: callers pass the shown path, which ClearFileInfo empties on the way.
    void ShowFileInfo(QString path);
    // The new file name the name engine gives the file at `path` under the output pattern.
    QString NewNameOf(const QString& path) const;
    // The same from the tag panel's values instead of the file's tags.
    QString PanelNewName(const QString& path) const;
    // The shown file, how it was when loaded, and whether several rows are selected.
    const PanelState& panelState() const { return m_panelState; }
    FileList& fileList() { return m_list; }
    ListCommands& listCommands() { return *m_commands; }

    FileListView* lstFiles = nullptr;
    FileListView* lstPreview = nullptr;
    QLabel* lblFiles = nullptr;
    QLabel* lblSelected = nullptr;  // how many rows of the shown list are selected
    QCheckBox* chkPreview = nullptr;
    QPushButton* cmdAddFiles = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdSelectAll = nullptr;
    QPushButton* cmdSelectNone = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdSort = nullptr;
    QPushButton* cmdSortThisFile = nullptr;
    QPushButton* cmdOptions = nullptr;
    QComboBox* cmbInPattern = nullptr;
    QComboBox* cmbOutPattern = nullptr;
    QTabBar* TabStrip1 = nullptr;
    std::array<QWidget*, 3> picTab{};
    QWidget* picBButtons = nullptr;
    QPushButton* cmdOpenMP3 = nullptr;
    QScrollBar* VScroll = nullptr;
    TagPanel panel;
    MainMenus menus;

  signals:
    // The program is ending: a run in progress (its Progress) stops after its current file.
    void stopRequested();
    // A row of the file list was clicked (or the matching preview row): the tag panel loads it.
    void fileRowChosen(int row);
    // Shutdown has saved the settings; the program ends now.
    void programEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWindow();
    QWidget* buildListArea();
    QWidget* buildButtonBar();
    QWidget* buildTabs();
    void wireList();
    void wireMenus();
    void wireExtras();
    QString currentPath() const;
    void wireSorting();
    void wireNames();
    void wireFixID3();
    void refreshAfterUndo(const QStringList& back);
    void wireEditing();
    void loadChosenRow(int row);
    void refreshSelectedCount();
    void load();
    void place();
    MainSettings currentSettings() const;
    void shutDown();

    SettingsStore& m_store;
    ProgramValues& m_values;
    Prompter& m_prompter;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    FileDialogs* m_dialogs;
    std::unique_ptr<Player> m_ownPlayer;
    Player* m_player;
    PlayFilePage* m_playPage = nullptr;
    FileList m_list;
    QStackedWidget* m_listStack = nullptr;
    SortingControls* m_sorting = nullptr;
    ListCommands* m_commands = nullptr;
    FixID3Command* m_fixID3 = nullptr;
    PanelBehaviour* m_editing = nullptr;
    SortCommands* m_sortCommands = nullptr;
    NameFromFileCommand* m_nameFromFile = nullptr;
    PanelState m_panelState;
    bool m_ended = false;
};
