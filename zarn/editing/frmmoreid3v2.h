#pragma once
// "More ID3v2 frames": lists the hidden frames of the file the main window shows, shows a
// frame's content, adds a text frame, removes one or all, and saves a frame to a file. It
// changes the hidden frames it is given at once; the MP3 file changes only when the main
// window saves its tags.
#include <QDialog>

class FileDialogs;
class Prompter;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
struct ListedFrame;

class frmMoreID3v2 : public QDialog {
    Q_OBJECT
  public:
    // `hiddenFrames` is the shown file's (ShownFile::hiddenFrames); it must outlive the window.
    frmMoreID3v2(QByteArray& hiddenFrames, FileDialogs& dialogs, Prompter& prompter,
                 const QString& lastDir, QWidget* parent = nullptr);

    QListWidget* lstID3v2Tags = nullptr;
    QPlainTextEdit* txtTagContent = nullptr;
    QComboBox* cmbV2Frames = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdRemoveAll = nullptr;
    QPushButton* cmdSaveToFile = nullptr;
    QPushButton* cmdClose = nullptr;

  private:
    void build();
    void load();
    void showSelected();
    void add();
    void remove();
    void removeAll();
    void saveToFile();
    void addRow(const ListedFrame& frame);
    int selectedFrame() const;  // the chosen row's frame index, -1 when none

    QByteArray& m_hidden;
    FileDialogs& m_dialogs;
    Prompter& m_prompter;
    QString m_lastDir;
};
