#pragma once
// The Undo menu of the main window: "Undo <what>" (Ctrl+Z) takes back the newest kept operation,
// "History..." lists the kept operations and takes back one of them with every newer one. After
// an undo the window refreshes its list and panel through `refresh`.
#include <QObject>
#include <functional>

#include "zarn/shell/fileoutcome.h"

class Prompter;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;
struct UndoOutcome;

class UndoCommands : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        QMenuBar* bar;
        QWidget* owner;
        Prompter& prompter;
        // Gets the files put back (their paths as they are again).
        std::function<void(const QStringList&)> refresh;
    };
    UndoCommands(const Parts& parts, QObject* parent);

    QMenu* mnuEdit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuHistory = nullptr;

    void undoNewest();
    void showHistory();

  private:
    void updateCaption();
    void present(const UndoOutcome& outcome);

    Parts m_parts;
};
