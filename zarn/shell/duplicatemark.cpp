#include "zarn/shell/duplicatemark.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "zarn/shell/duplicatenames.h"

namespace {

const QString kDuplicateTip = QStringLiteral(
    "Another file in the list gets this name too: sorted into one folder, the "
    "second one meets the first.");

class DuplicateMarkDelegate : public QStyledItemDelegate {
  public:
    DuplicateMarkDelegate(const DuplicateNames& names, QObject* parent)
        : QStyledItemDelegate(parent), m_names(names) {}

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() == QEvent::ToolTip && index.isValid() &&
            m_names.isDuplicate(index.row())) {
            QToolTip::showText(event->globalPos(), kDuplicateTip, view);
            return true;
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.isValid() && m_names.isDuplicate(index.row()))
            option->backgroundBrush = QColor(255, 205, 205);
    }

  private:
    const DuplicateNames& m_names;
};

}  // namespace

void MarkDuplicateRows(QAbstractItemView* view, const DuplicateNames& names) {
    view->setItemDelegate(new DuplicateMarkDelegate(names, view));
}
