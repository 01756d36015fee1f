#pragma once
// The list boxes of the main window (file list and preview): extended selection, Delete and
// Shift+Delete, the pop-up menu, and dropped files and folders.
#include <QListView>
#include <functional>
#include <limits>

class FileListView : public QListView {
    Q_OBJECT
  public:
    explicit FileListView(const QString& name, QWidget* parent = nullptr);
    // The selected rows in ascending order.
    QList<int> selectedRows() const;
    // 0, 1 or 2 (two or more), without listing every selected row.
    int selectedUpToTwo() const;
    // How many rows are selected (up to `enough`), by the selection's ranges, not row by row.
    int selectedCount(int enough = std::numeric_limits<int>::max()) const;
    void selectRows(const QList<int>& rows);
    void invertSelection();
    void setModel(QAbstractItemModel* model) override;

  signals:
    void removeRequested();     // Delete
    void deleteRequested();     // Shift+Delete
    void selectAllRequested();  // Ctrl+A
    void popupRequested(const QPoint& globalPos);
    void pathsDropped(const QStringList& paths);
    // A mouse button pressed on a row, or the keyboard moved to another row.
    void rowChosen(int row);
    // The selection changed otherwise: a command (Select All, Invert Selection), a drag
    // over the rows. Rows the model inserts or removes shift the selection without it.
    void selectionMade();

  protected:
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Runs an event's own handling; true when it changed the selection, which the event then
    // reports once (as rowChosen or selectionMade).
    bool changesSelection(const std::function<void()>& handle);

    int m_pressedRow = -1;
    int m_selectedAtPress = 0;
    int m_modelChanging = 0;  // inside a row insertion, removal or reset of the model
    bool m_inEvent = false;
    bool m_changedInEvent = false;
};

// The local files and folders that dropped data names, in the order given.
QStringList DroppedPaths(const QMimeData* data);
