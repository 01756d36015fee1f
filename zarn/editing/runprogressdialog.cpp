#include "zarn/editing/runprogressdialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <limits>

RunProgressDialog::RunProgressDialog(QWidget* owner, const QString& caption, int delayMs)
    : m_dialog(new QProgressDialog(owner)), m_delayMs(delayMs) {
    m_dialog->setWindowTitle(caption);
    m_dialog->setWindowModality(Qt::WindowModal);
    // Enter that dismisses an error box of the run must not land on Cancel as well.
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), m_dialog);
    cancel->setAutoDefault(false);
    m_dialog->setCancelButton(cancel);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    // Shown by atFile() after the delay, never by the dialog's own timer.
    m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_timer.start();
}

RunProgressDialog::~RunProgressDialog() {
    QApplication::restoreOverrideCursor();
    delete m_dialog.get();
}

void RunProgressDialog::atFile(const ProgressStep& step) {
    if (!m_dialog) return;
    if (!m_shown && m_timer.elapsed() >= m_delayMs) {
        m_shown = true;
        m_dialog->setMaximum(step.total);
        m_dialog->show();
    }
    if (!m_shown) return;
    m_dialog->setLabelText(QFileInfo(step.source).fileName());
    m_dialog->setValue(step.number - 1);
}

void RunProgressDialog::yield() {
    QCoreApplication::processEvents(m_shown ? QEventLoop::AllEvents
                                            : QEventLoop::ExcludeUserInputEvents);
}

bool RunProgressDialog::stopRequested() const {
    return m_shown && m_dialog && m_dialog->wasCanceled();
}
