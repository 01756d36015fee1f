#pragma once
// File > "Get Filenames From File...": hands the selected files to the window that names them
// from an album text, and hides the main window while that window is open. A rename run shows
// its progress in the sorting progress window; the files it renamed get their new names in the
// main list.
#include <QObject>
#include <QPointer>
#include <functional>

class FileDialogs;
class FileList;
class FileListView;
class Prompter;
class QAction;
class QCheckBox;
class QComboBox;
class QWidget;
class frmNameFromFile;
class frmSorting;
struct ProgramValues;

class NameFromFileCommand : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        QAction* mnuNameFromFile;
        QWidget* mainWindow;
        FileList& list;
        FileListView* lstFiles;
        QComboBox* cmbInPattern;
        QComboBox* cmbOutPattern;
        QCheckBox* chkConvert;
        std::function<int()> existsChoice;  // the "If file exists:" button that is on
        std::function<frmSorting&()> progressWindow;
        FileDialogs& dialogs;
        // The list changed under the panel: it empties and the count is refreshed.
        std::function<void()> clearFileInfo;
    };
    NameFromFileCommand(Parts parts, ProgramValues& values, Prompter& prompter, QObject* parent);

    // The names-from-text window is open (the main window stays hidden meanwhile).
    bool windowShown() const;

  private:
    void open();

    Parts m_parts;
    ProgramValues& m_values;
    Prompter& m_prompter;
    QPointer<frmNameFromFile> m_window;
};
