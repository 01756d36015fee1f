#pragma once
// "Save ID3" (the button and the ID3 menu entry): writes the tag panel to the shown file, or,
// with several rows selected, the form to every selected file after the user confirms the
// summary.
class FileList;
class FileListView;
class Prompter;
class QCheckBox;
class QWidget;
struct Options;
struct PanelState;
struct TagPanel;

struct SaveCommandParts {
    TagPanel& panel;
    PanelState& state;
    FileList& list;
    FileListView* lstFiles;
    FileListView* lstPreview;
    QCheckBox* chkPreview;
    const Options& options;
    Prompter& prompter;
    QWidget* owner;  // of the progress dialog
};

// Returns how many files were written.
int SaveID3(const SaveCommandParts& parts);
