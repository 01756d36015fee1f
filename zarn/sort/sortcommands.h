#pragma once
// "Sort All Now!" and "Sort Selected  (F5)": reads the sorting controls into plain settings,
// runs the sort engine over the file list, and hides and shows the windows around a run.
#include <QObject>
#include <functional>

class FileList;
class FileListView;
class Prompter;
class QComboBox;
class QLineEdit;
class QWidget;
class SortEngine;
class SortingControls;
class frmSorting;
struct ProgramValues;
struct SortSettings;

class SortCommands : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        FileList& list;
        FileListView* lstFiles;
        FileListView* lstPreview;
        SortingControls& controls;
        QComboBox* cmbInPattern;
        QComboBox* cmbOutPattern;
        QLineEdit* txtNewName;
        QWidget* mainWindow;  // hidden while "Sort All Now!" runs
        std::function<bool()> previewShown;
        std::function<void()> clearFileInfo;  // empties the tag panel, refreshes the count
        std::function<void()> refreshCount;
        // Whether the names-from-text window is up (it keeps the main window hidden).
        std::function<bool()> namesFromTextShown = [] { return false; };
        // Tells what a command did, in the main window's status bar.
        std::function<void(const QString&)> showStatus = [](const QString&) {};
    };
    SortCommands(Parts parts, ProgramValues& values, Prompter& prompter, QObject* parent);
    ~SortCommands() override;

    void sortAll();
    void sortSelected();
    // The program is closing: a run in progress stops after its current file.
    void requestStop();
    frmSorting& progressWindow();

  private:
    SortSettings settings() const;
    QList<int> selectionForSort() const;
    // Returns what was done, for the status bar.
    QString sortSelectedRows(const QList<int>& selected, const SortSettings& s);
    void renameSelectedRows(const QList<int>& selected, const SortSettings& s);
    void afterStop();
    // The error that ended a run, in the window's error box.
    void showFailure(const SortEngine& engine);
    // The name builder's new name for the file of a row.
    QString builtName(int row, const SortSettings& s) const;

    Parts m_parts;
    ProgramValues& m_values;
    Prompter& m_prompter;
    frmSorting* m_window = nullptr;
};
