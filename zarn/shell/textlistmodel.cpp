#include "zarn/shell/textlistmodel.h"

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
        return m_rows.at(index.row());
    return {};
}

QString TextListModel::text(int row) const {
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : QString();
}

QStringList TextListModel::texts() const {
    QStringList all;
    all.reserve(m_rows.size());
    m_rows.forEach([&](qsizetype, const QString& text) { all.append(text); });
    return all;
}

void TextListModel::insertAt(int row, const QString& text) {
    row = std::clamp(row, 0, rowCount());
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(row, text);
    endInsertRows();
}

void TextListModel::removeAt(int row) {
    removeRange(row, 1);
}

void TextListModel::removeRange(int row, int count) {
    if (row < 0 || count <= 0 || row + count > rowCount()) return;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i) m_rows.removeAt(row);
    endRemoveRows();
}

void TextListModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int SortedListModel::insertSorted(const QString& text) {
    static const BlockList::Less kCaseless = [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    };
    const BlockList::Slot slot = m_rows.sortedSlot(text, kCaseless);
    const int row = int(slot.row);
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(slot, text);
    endInsertRows();
    return row;
}
