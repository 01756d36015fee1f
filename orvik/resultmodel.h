#pragma once
// The result list as a model: the view asks only for the rows it paints, and a new list is
// handed over in one reset, so 100,000 rows cost no per-row insert or repaint.
#include <QAbstractListModel>

#include "orvik/finder.h"

namespace orvik {

class ResultModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit ResultModel(const Finder& finder, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Runs `change` (which alters the finder's rows) inside one model reset.
    template <class Change>
    void reset(Change change) {
        beginResetModel();
        change();
        endResetModel();
    }

  private:
    const Finder& m_finder;
};

}  // namespace orvik
