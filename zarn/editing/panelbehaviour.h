#pragma once
// How the tag panel behaves while the user edits: the two states (one file, several files),
// the version and "Remove!" check boxes with their locks and colours, copying between the
// versions, the description labels, the growing comment box, Up and Down moving the file
// selection, the number filters, swapping fields by drag and drop, and the name boxes.
#include <QHash>
#include <QObject>
#include <functional>

class FileList;
class FileListView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
struct Options;
struct PanelState;
struct TagPanel;

class PanelBehaviour : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        TagPanel& panel;
        PanelState& state;
        FileList& list;
        FileListView* lstFiles;
        FileListView* lstPreview;
        QCheckBox* chkPreview;
        const Options& options;  // read when a rule runs, so a change in the options counts
        // Loads the file of a row into the panel, as a click on the row does.
        std::function<void(int row)> rowChosen;
    };

    PanelBehaviour(const Parts& parts, QObject* parent);

    // The selection changed: one row (or none) leaves the several-files form, two or more
    // empty the panel into it.
    void selectionChanged();
    // Locks, colours, buttons and lengths for what the boxes hold now (after a load).
    void refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What the rules need to know of one box of the panel.
    struct BoxRole {
        QLabel* label = nullptr;
        QString focusText, mouseText;
        bool arrows = false;
        int numbers = 0;  // 1: ID3v1 number filter, 2: ID3v2 number filter
        bool drop = false;
    };

    void wireCheckBoxes();
    void wireCopyButtons();
    void wireLengthsAndColours();
    void installFilters();
    void applyLock(bool id3v2);
    void colourTitleArtist();
    void applyLimits();
    void showSeveralFiles();
    bool moveSelection(bool up, Qt::KeyboardModifiers modifiers);
    bool numberKey(QObject* box, const QString& typed);
    bool dropOnBox(QObject* target, const QString& dropped);
    bool newNameKey(int key);
    void openComment(bool open);
    void placeComment();

    Parts m_p;
    QHash<QObject*, BoxRole> m_roles;
    QWidget* m_commentPlace = nullptr;  // holds the comment box's place in the layout
    bool m_commentOpen = false;
};
