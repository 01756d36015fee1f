#include "orvik/resultmodel.h"

namespace orvik {

ResultModel::ResultModel(const Finder& finder, QObject* parent)
    : QAbstractListModel(parent), m_finder(finder) {}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_finder.rows().size());
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return m_finder.rowText(index.row());
}

}  // namespace orvik
