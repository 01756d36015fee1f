#pragma once
// The small window that shows which file a run is handling ("File n of total", the source and
// the target) and stops the run from its one button or its close box. Sorting uses it, and so
// can any run that moves files one by one (renaming an album).
#include <QWidget>

#include "zarn/shell/progress.h"

class QLabel;
class QPushButton;

class frmSorting : public QWidget, public Progress {
    Q_OBJECT
  public:
    // A window of its own, owned by `owner` (the main window).
    explicit frmSorting(QWidget* owner);
    ~frmSorting() override;

    // Starts a run: `action` ("Moving file:") in bold, the button "Pause" but disabled, the
    // window shown; the stop request of the previous run is gone.
    void prepare(const QString& action);
    // The number of files of the run; the button is enabled.
    void setTotal(int total);
    // The run has ended: the button reads "Done!", and `summary` (what the run did) replaces
    // the action's caption when given.
    void finish(const QString& summary = QString());
    // What the run reports to: each file is drawn at once ("File n of total", the source and
    // the target on two lines each), and the button or the close box request the stop.
    Progress& progress() { return *this; }
    void atFile(const ProgressStep& step) override;
    void yield() override;
    bool stopRequested() const override { return m_stop; }
    // Stops the run after its current file without closing the window (the program is ending).
    void stopRun() { m_stop = true; }

    QLabel* Label5 = nullptr;  // "File "
    QLabel* lblFileNr = nullptr;
    QLabel* Label7 = nullptr;  // "of"
    QLabel* lblTotFiles = nullptr;
    QPushButton* cmdPause = nullptr;
    QLabel* lblMethod = nullptr;
    QLabel* lblFile = nullptr;
    QLabel* Label3 = nullptr;  // "To:"
    QLabel* lblTarget = nullptr;

  signals:
    // The button was pressed or the window closed: the run stops after its current file, and
    // whoever hid the main window shows it again.
    void stopped();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void requestStop();

    bool m_stop = false;
    bool m_stopSent = false;
};
