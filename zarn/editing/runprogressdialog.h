#pragma once
// The feedback of a long run over many files (saving tags for a selection, Fix ID3): a busy
// cursor at once, and once the run has taken a second a progress dialog whose Cancel stops it
// after the current file. Until the dialog shows, pending events run without user input, so a
// click cannot change the selection under a run.
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

#include "zarn/shell/progress.h"

class QWidget;

class RunProgressDialog : public Progress {
  public:
    RunProgressDialog(QWidget* owner, const QString& caption, int delayMs = 1000);
    ~RunProgressDialog() override;
    RunProgressDialog(const RunProgressDialog&) = delete;
    RunProgressDialog& operator=(const RunProgressDialog&) = delete;

    void atFile(const ProgressStep& step) override;
    void yield() override;
    bool stopRequested() const override;
    // The dialog, once it has been shown; null before.
    QProgressDialog* dialog() const { return m_shown ? m_dialog.get() : nullptr; }

  private:
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_timer;
    int m_delayMs;
    bool m_shown = false;
};
