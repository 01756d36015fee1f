#pragma once
// List models of plain texts for the file list and its preview. The file list keeps its rows
// in case-insensitive order of their text; the preview keeps rows where it is told to.
#include <QAbstractListModel>
#include <QStringList>

#include "zarn/shell/blocklist.h"

class TextListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    QString text(int row) const;
    QStringList texts() const;
    void insertAt(int row, const QString& text);
    void removeAt(int row);
    // Removes `count` rows from `row` in one step (one notification for a run of rows).
    void removeRange(int row, int count);
    void clear();

  protected:
    BlockList m_rows;
};

class SortedListModel : public TextListModel {
    Q_OBJECT
  public:
    using TextListModel::TextListModel;
    // Inserts after every row that does not sort after `text`; returns the row it landed on.
    int insertSorted(const QString& text);
};
