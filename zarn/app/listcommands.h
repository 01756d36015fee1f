#pragma once
// The commands of the file list: adding by dialog, drop and folder scan, the list loader,
// removing and deleting rows, selections, the preview and the count label.
#include <QObject>
#include <functional>

class FileDialogs;
class FileList;
class FileListView;
class QCheckBox;
class QLabel;
class QStackedWidget;
class Prompter;
struct ProgramValues;

class ListCommands : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        FileList& list;
        FileListView* lstFiles;
        FileListView* lstPreview;
        QStackedWidget* listStack;  // shows one of the two lists at the same spot
        QCheckBox* chkPreview;
        QLabel* lblFiles;
    };
    ListCommands(Parts parts, ProgramValues& values, Prompter& prompter, FileDialogs& dialogs,
                 QObject* parent);

    // Empties the tag panel and refreshes the count label (set by the window).
    std::function<void()> clearFileInfo;

    bool previewShown() const;
    void refreshCount();
    void addFiles();
    // A folder chosen in the folder browser, scanned as a dropped folder is.
    void addFolder();
    void AddFolder(const QString& folder, const QString& mask);
    // Appends a list file's rows; unsupported kinds get a message and add nothing.
    void loadList(const QString& path);
    void saveList();
    void loadListReplacing();
    void dropOnFiles(const QStringList& paths);
    void dropOnPreview(const QStringList& paths);
    void setPreviewShown(bool shown);
    void clear();
    void selectAll();
    void selectNone();
    void invertSelection();
    // The rows selected in `view` (file list or preview) leave both lists.
    void removeSelected(FileListView* view);
    // Asks, then deletes the files of the rows selected in `view` and removes the rows.
    void deleteSelected(FileListView* view);
    void removeNonexistent();
    // Selects the rows whose files carry the tag; rows whose files are gone are removed.
    void selectWithTag(bool id3v2);

  private:
    void addDropped(const QStringList& paths);
    void addFolderRows(const QString& folder, const QString& mask);
    // Names the system's encoding cannot carry are never added; the user is told which and why.
    void reportUnusableNames(const QStringList& paths);
    QString scanMask() const;

    Parts m_parts;
    ProgramValues& m_values;
    Prompter& m_prompter;
    FileDialogs& m_dialogs;
};
