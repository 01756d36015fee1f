#pragma once
// "History": the kept operations, newest first, with time, kind and file count; "Undo" takes
// back the chosen one (the caller asks about the newer ones first).
#include <QDialog>
#include <QList>

#include "zarn/shell/journalhistory.h"

class QPushButton;
class QTreeWidget;

class frmHistory : public QDialog {
    Q_OBJECT
  public:
    frmHistory(const QList<KeptOperation>& kept, QWidget* parent);
    // The row chosen for undo; -1 for none.
    int chosen() const;

    QTreeWidget* lstOperations = nullptr;
    QPushButton* cmdUndo = nullptr;
    QPushButton* cmdClose = nullptr;
};
