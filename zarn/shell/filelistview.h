#pragma once
// The list boxes of the main window (file list and preview): extended selection, Delete and
// Shift+Delete, the pop-up menu, and dropped files and folders.
#include <QListView>

class FileListView : public QListView {
    Q_OBJECT
  public:
    explicit FileListView(const QString& name, QWidget* parent = nullptr);
    // The selected rows in ascending order.
    QList<int> selectedRows() const;
    void selectRows(const QList<int>& rows);
    void invertSelection();

  signals:
    void removeRequested();  // Delete
    void deleteRequested();  // Shift+Delete
    void popupRequested(const QPoint& globalPos);
    void pathsDropped(const QStringList& paths);
    // A mouse button pressed on a row, or the keyboard moved to another row.
    void rowChosen(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    int selectedUpToTwo() const;
    int m_pressedRow = -1;
    int m_selectedAtPress = 0;
};

// The local files and folders that dropped data names, in the order given.
QStringList DroppedPaths(const QMimeData* data);
