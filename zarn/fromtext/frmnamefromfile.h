#pragma once
// "Get MP3 info from File/Text": names and tags the files of one album from a text that
// describes it. The text's keywords fill the album boxes, "Scan now!" turns the selected lines
// into new names, and "Rename Files" renames and tags the old files pair by pair.
#include <QMainWindow>
#include <functional>
#include <memory>

class FileDialogs;
class Progress;
class Prompter;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
struct ProgramValues;

class frmNameFromFile : public QMainWindow {
    Q_OBJECT
  public:
    // What the window needs from the main window and the program.
    struct Parts {
        ProgramValues& values;  // options, last-dialog folder
        Prompter& prompter;
        FileDialogs& dialogs;
        QString inPattern, outPattern;       // the main window's current patterns
        std::function<bool()> fixFilenames;  // chkConvert ("Fix Filenames")
        std::function<int()> existsChoice;   // the optExists index: Prompt, Skip, Replace
        // The progress window of a rename run: `startRun` shows it for `total` files and gives
        // what the run reports to, `finishRun` shows "Done!" (and closes it when asked).
        // Without them the window's status line shows the run.
        std::function<Progress&(int total)> startRun;
        std::function<void(bool close)> finishRun;
    };

    explicit frmNameFromFile(Parts parts, QWidget* parent = nullptr);
    ~frmNameFromFile() override;

    // Appends old files by their list entries (the main window's selection).
    void addOldEntries(const QStringList& entries);
    // Fills the album boxes from the source text.
    void ReadAlbumInfo();

    QPlainTextEdit* txtSourceText = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* cmdOpenSource = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtArtist = nullptr;
    QCheckBox* chkArtist4All = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtAlbum = nullptr;
    QCheckBox* chkAlbum4All = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtYear = nullptr;
    QCheckBox* chkYear4All = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* txtReleaseDate = nullptr;
    QCheckBox* chkRelease4All = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* cmbGenre = nullptr;
    QCheckBox* chkGenre4All = nullptr;
    QCheckBox* chkSaveID3v1 = nullptr;
    QCheckBox* chkSaveID3v2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbInPattern = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cmbOutPattern = nullptr;
    QCheckBox* chkIgnoreFirst = nullptr;
    QLineEdit* txtIgnoreFirst = nullptr;
    QLabel* Label11 = nullptr;
    QCheckBox* chkIgnoreLast = nullptr;
    QLineEdit* txtIgnoreLast = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* lblPattern = nullptr;
    QPushButton* cmdScan = nullptr;
    QLabel* Label7 = nullptr;
    QListWidget* lstOldFileNames = nullptr;
    QLabel* Label8 = nullptr;
    QListWidget* lstNewFileNames = nullptr;
    QLabel* lblNrOldFiles = nullptr;
    QLabel* lblNrNewFiles = nullptr;
    QPushButton* cmdAddFiles = nullptr;
    QPushButton* cmdRemoveFile = nullptr;
    QPushButton* cmdRemoveNew = nullptr;
    QPushButton* cmdClearOld = nullptr;
    QPushButton* cmdClearNew = nullptr;
    QPushButton* cmdMoveUp = nullptr;
    QPushButton* cmdMoveDn = nullptr;
    QPushButton* cmdRenameFiles = nullptr;
    QPushButton* cmdClose = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuOpenSource = nullptr;
    QAction* mnuAddMP3 = nullptr;
    QAction* mnuClose = nullptr;

  signals:
    // The window closed; the main window comes back.
    void closed();
    // "Rename Files" gave files new names: (old path, new path).
    void filesRenamed(const QList<std::pair<QString, QString>>& renamed);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    QWidget* buildAlbumFrame();
    QWidget* buildPatternFrame();
    QWidget* buildLists();
    void layOut();
    void wire();
    void fillPatterns();

    void openSource();
    void addFiles();
    void scan();
    void renameFiles();
    void editNewName();
    void moveOldFile(int step);
    void removeSelected(QListWidget* list);
    void clearList(QListWidget* list);
    void updateCounts();
    void markLongText(QLineEdit* box, const QString& normalTip, const QString& longTip);
    void reset();

    Progress& startRun(int total);
    void finishRun(bool close);

    Parts m_parts;
    std::unique_ptr<Progress> m_ownProgress;
};
