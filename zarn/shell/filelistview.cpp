#include "zarn/shell/filelistview.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <utility>

FileListView::FileListView(const QString& name, QWidget* parent) : QListView(parent) {
    setObjectName(name);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);  // keeps 100,000 rows quick to lay out
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
}

QList<int> FileListView::selectedRows() const {
    QList<int> rows;
    if (!selectionModel()) return rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) rows.append(row);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FileListView::setModel(QAbstractItemModel* model) {
    // The selection model reports rows the model inserts or removes as a changed selection,
    // from inside the change. Those are no choice of the user's, and a reload there could change
    // the list in the middle of a change (or a sort run). Counted from before the selection model
    // hears of a change (connected ahead of it) until after it has heard of its end.
    const auto begin = [this] { ++m_modelChanging; };
    const auto end = [this] { --m_modelChanging; };
    if (model) {
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, begin);
        connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, begin);
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, begin);
    }
    QListView::setModel(model);
    if (model) {
        connect(model, &QAbstractItemModel::rowsInserted, this, end);
        connect(model, &QAbstractItemModel::rowsRemoved, this, end);
        connect(model, &QAbstractItemModel::modelReset, this, end);
    }
}

void FileListView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    QListView::selectionChanged(selected, deselected);
    if (m_modelChanging > 0) return;
    if (m_inEvent)
        m_changedInEvent = true;
    else
        emit selectionMade();
}

bool FileListView::changesSelection(const std::function<void()>& handle) {
    m_inEvent = true;
    m_changedInEvent = false;
    handle();
    m_inEvent = false;
    return std::exchange(m_changedInEvent, false);
}

void FileListView::selectRows(const QList<int>& rows) {
    QItemSelection selection;
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        selection.select(model()->index(rows[i], 0), model()->index(rows[j], 0));
        i = j + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::Select);
}

void FileListView::invertSelection() {
    const int rows = model()->rowCount();
    if (rows == 0) return;
    const QItemSelection all(model()->index(0, 0), model()->index(rows - 1, 0));
    selectionModel()->select(all, QItemSelectionModel::Toggle);
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        const auto mods = event->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::NoModifier) emit removeRequested();
        if (mods == Qt::ShiftModifier) emit deleteRequested();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        emit selectAllRequested();  // the window selects as its "Select All" does
        return;
    }
    const int before = currentIndex().row();
    const bool changed = changesSelection([&] { QListView::keyPressEvent(event); });
    if (currentIndex().isValid() && currentIndex().row() != before)
        emit rowChosen(currentIndex().row());
    else if (changed)
        emit selectionMade();  // Ctrl+Space
}

int FileListView::selectedUpToTwo() const {
    return selectedCount(2);
}

int FileListView::selectedCount(int enough) const {
    int count = 0;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        count += range.height();
        if (count >= enough) return enough;
    }
    return count;
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    const bool changed = changesSelection([&] { QListView::mousePressEvent(event); });
    const QModelIndex index = indexAt(event->position().toPoint());
    m_pressedRow = index.isValid() ? index.row() : -1;
    m_selectedAtPress = selectedUpToTwo();
    if (index.isValid())
        emit rowChosen(index.row());
    else if (changed)
        emit selectionMade();  // a click below the rows clears the selection
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    const bool changed = changesSelection([&] { QListView::mouseReleaseEvent(event); });
    // A plain click on a row of a larger selection narrows it only when the button is released
    // (so that a drag could start); the row is chosen again for what is now selected.
    if (m_pressedRow >= 0 && selectedUpToTwo() != m_selectedAtPress)
        emit rowChosen(m_pressedRow);
    else if (changed)
        emit selectionMade();
    m_pressedRow = -1;
}

void FileListView::contextMenuEvent(QContextMenuEvent* event) {
    emit popupRequested(event->globalPos());
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FileListView::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedPaths(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    emit pathsDropped(paths);
}

QStringList DroppedPaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    return paths;
}
