#include "zarn/app/frmhistory.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmHistory::frmHistory(const QList<KeptOperation>& kept, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("History"));
    lstOperations = new QTreeWidget(this);
    lstOperations->setObjectName(QStringLiteral("lstOperations"));
    lstOperations->setRootIsDecorated(false);
    lstOperations->setHeaderLabels(
        {QStringLiteral("Time"), QStringLiteral("Operation"), QStringLiteral("Files")});
    for (const KeptOperation& op : kept) {
        auto* item = new QTreeWidgetItem({QLocale().toString(op.started, QLocale::ShortFormat),
                                          op.kind, QString::number(op.files)});
        item->setTextAlignment(2, Qt::AlignRight);
        lstOperations->addTopLevelItem(item);
    }
    lstOperations->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (!kept.isEmpty()) lstOperations->setCurrentItem(lstOperations->topLevelItem(0));
    cmdUndo = new QPushButton(QStringLiteral("&Undo"), this);
    cmdUndo->setObjectName(QStringLiteral("cmdUndo"));
    cmdUndo->setEnabled(!kept.isEmpty());
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdUndo);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstOperations);
    layout->addLayout(buttons);
    connect(cmdUndo, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstOperations, &QTreeWidget::itemActivated, this, &QDialog::accept);
    resize(520, 320);
}

int frmHistory::chosen() const {
    QTreeWidgetItem* item = lstOperations->currentItem();
    return item ? lstOperations->indexOfTopLevelItem(item) : -1;
}
