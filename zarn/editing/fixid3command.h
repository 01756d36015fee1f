#pragma once
// The "Fix ID3" command of the main window (button and menu entry): with one file it cleans
// the tag panel's boxes, which the user then saves; with several selected it fixes and writes
// every selected file, with a progress dialog whose Cancel stops after the current file.
#include <QObject>
#include <functional>

class FileList;
class FileListView;
class Prompter;
class QCheckBox;
class QComboBox;
class QWidget;
struct PanelState;
struct ProgramValues;
struct TagPanel;

class FixID3Command : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        FileList& list;
        FileListView* lstFiles;
        FileListView* lstPreview;
        QCheckBox* chkPreview;
        QComboBox* cmbInPattern;
        TagPanel& panel;
        const PanelState& state;
        QWidget* owner;  // the progress dialog's parent
    };
    FixID3Command(Parts parts, const ProgramValues& values, Prompter& prompter, QObject* parent);

    // Empties the tag panel and refreshes the count label (set by the window).
    std::function<void()> clearFileInfo;

    void run();

  private:
    bool hasCurrentRow() const;
    void fixShownFile();
    void fixSelectedFiles();

    Parts m_parts;
    const ProgramValues& m_values;
    Prompter& m_prompter;
};
