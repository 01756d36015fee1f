#pragma once
// Connects the name engine to the main window's controls: the pattern boxes' behaviour, the
// options window behind "Options..." and Settings > Options, and the ID3v1 box limits.
#include <QString>
#include <functional>

class FileList;
class FileListView;
class Prompter;
class QAction;
class QCheckBox;
class QComboBox;
class QPushButton;
class QWidget;
class SettingsStore;
struct ProgramValues;
struct TagPanel;

struct NameEngineParts {
    QComboBox* cmbInPattern;
    QComboBox* cmbOutPattern;
    QCheckBox* chkPreview;
    QPushButton* cmdOptions;
    QAction* mnuOptions;
    TagPanel& panel;
    FileList& list;
    FileListView* lstFiles;
    FileListView* lstPreview;
    // The new name of the file at a path from the panel's values (FixFileName2).
    std::function<QString(const QString& path)> panelNewName;
    // The new name of the file at a path under the output pattern (FixFileName).
    std::function<QString(const QString& path)> newNameOf;
};

void WireNameEngine(const NameEngineParts& parts, ProgramValues& values, SettingsStore& store,
                    Prompter& prompter, QWidget* owner);
