#include "zarn/sort/frmsorting.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "zarn/shell/listentry.h"
#include "zarn/shell/screenfit.h"

namespace {

QLabel* Named(QLabel* label, const char* name, bool bold = false) {
    label->setObjectName(QString::fromLatin1(name));
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// A path on two lines: its folder with the closing separator, then its name.
QString TwoLines(const QString& path) {
    return FolderFromEntry(path) + u'\n' + NameFromEntry(path);
}

}  // namespace

frmSorting::frmSorting(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmSorting"));
    setWindowTitle(QStringLiteral("Zarn - Sorting..."));
    Label5 = Named(new QLabel(QStringLiteral("File "), this), "Label5");
    lblFileNr = Named(new QLabel(QStringLiteral("1"), this), "lblFileNr");
    Label7 = Named(new QLabel(QStringLiteral("of"), this), "Label7");
    lblTotFiles = Named(new QLabel(QStringLiteral("1"), this), "lblTotFiles");
    cmdPause = new QPushButton(QStringLiteral("Pause"), this);
    cmdPause->setObjectName(QStringLiteral("cmdPause"));
    lblMethod = Named(new QLabel(QStringLiteral("Moving file:"), this), "lblMethod", true);
    lblFile = Named(new QLabel(this), "lblFile");
    Label3 = Named(new QLabel(QStringLiteral("To:"), this), "Label3", true);
    lblTarget = Named(new QLabel(this), "lblTarget");
    for (QLabel* twoLines : {lblFile, lblTarget}) {
        twoLines->setTextFormat(Qt::PlainText);
        // A long path is cut at the window's edge rather than resizing the window per file.
        twoLines->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        twoLines->setMinimumWidth(420);
        twoLines->setMinimumHeight(2 * fontMetrics().lineSpacing());
    }

    auto* count = new QHBoxLayout;
    for (QLabel* part : {Label5, lblFileNr, Label7, lblTotFiles}) count->addWidget(part);
    count->addStretch();
    count->addWidget(cmdPause);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(count);
    for (QLabel* label : {lblMethod, lblFile, Label3, lblTarget}) layout->addWidget(label);
    layout->addStretch();

    connect(cmdPause, &QPushButton::clicked, this, [this] {
        requestStop();
        close();
    });
}

frmSorting::~frmSorting() = default;

void frmSorting::prepare(const QString& action) {
    m_stop = false;
    m_stopSent = false;
    lblMethod->setText(action);
    lblFile->clear();
    lblTarget->clear();
    cmdPause->setText(QStringLiteral("Pause"));
    cmdPause->setEnabled(false);
    // Over the window the run was started from (the main window or the names-from-text one),
    // not at the screen's corner.
    const QWidget* owner = parentWidget();
    FitOnScreen(this, owner && owner->isVisible() ? owner : QApplication::activeWindow());
    show();
    raise();
}

void frmSorting::setTotal(int total) {
    lblTotFiles->setText(QString::number(total));
    cmdPause->setEnabled(true);
}

void frmSorting::finish(const QString& summary) {
    if (!summary.isEmpty()) lblMethod->setText(summary);
    cmdPause->setText(QStringLiteral("Done!"));
    cmdPause->setEnabled(true);
    // "Done!" in front: the main window shown again must not cover it.
    raise();
    activateWindow();
}

void frmSorting::yield() {
    QCoreApplication::processEvents();
}

void frmSorting::atFile(const ProgressStep& step) {
    lblFileNr->setText(QString::number(step.number));
    lblTotFiles->setText(QString::number(step.total));
    lblFile->setText(TwoLines(step.source));
    lblTarget->setText(TwoLines(step.target));
    // The run keeps the event loop busy: draw the labels now, not after the file.
    for (QLabel* label : {lblFileNr, lblTotFiles, lblFile, lblTarget}) label->repaint();
}

void frmSorting::requestStop() {
    stopRun();
    if (m_stopSent) return;
    m_stopSent = true;
    emit stopped();
}

void frmSorting::closeEvent(QCloseEvent* event) {
    requestStop();
    event->accept();
}
