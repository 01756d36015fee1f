#include "zarn/shell/duplicatenames.h"

#include "zarn/shell/textlistmodel.h"

namespace {

QString Key(const QString& name) {
    return name.toCaseFolded();
}

}  // namespace

DuplicateNames::DuplicateNames(const TextListModel& names) : m_names(names) {
    connect(&names, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { count(first, last, 1); });
    connect(&names, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { count(first, last, -1); });
    connect(&names, &QAbstractItemModel::modelReset, this, &DuplicateNames::recount);
    connect(&names, &QAbstractItemModel::dataChanged, this, &DuplicateNames::recount);
    recount();
}

bool DuplicateNames::isDuplicate(int row) const {
    const QString name = m_names.text(row);
    return !name.isEmpty() && m_counts.value(Key(name)) > 1;
}

void DuplicateNames::count(int first, int last, int step) {
    for (int row = first; row <= last; ++row) {
        const QString key = Key(m_names.text(row));
        const int now = m_counts.value(key) + step;
        if (now > 0)
            m_counts.insert(key, now);
        else
            m_counts.remove(key);
    }
}

void DuplicateNames::recount() {
    m_counts.clear();
    count(0, m_names.rowCount() - 1, 1);
}
