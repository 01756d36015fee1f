#include "zarn/app/undocommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "zarn/app/frmhistory.h"
#include "zarn/shell/journalundo.h"
#include "zarn/shell/prompter.h"

namespace {

const QString kTitle = QStringLiteral("Zarn");

}  // namespace

UndoCommands::UndoCommands(const Parts& parts, QObject* parent) : QObject(parent), m_parts(parts) {
    // Named "Undo", not "Edit": every letter of "Edit" is another control's access key in the
    // main window, and Alt+U is free.
    mnuEdit = new QMenu(QStringLiteral("&Edit"), parts.bar);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    // Beside the File menu, where people look for it.
    const QList<QAction*> menus = parts.bar->actions();
    parts.bar->insertMenu(menus.size() > 1 ? menus[1] : nullptr, mnuEdit);
    mnuUndo = mnuEdit->addAction(QStringLiteral("&Undo"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcut(QKeySequence::Undo);
    mnuHistory = mnuEdit->addAction(QStringLiteral("&History..."));
    mnuHistory->setObjectName(QStringLiteral("mnuHistory"));
    connect(mnuEdit, &QMenu::aboutToShow, this, &UndoCommands::updateCaption);
    connect(mnuUndo, &QAction::triggered, this, &UndoCommands::undoNewest);
    connect(mnuHistory, &QAction::triggered, this, &UndoCommands::showHistory);
    updateCaption();
}

void UndoCommands::updateCaption() {
    const QList<KeptOperation> kept = history::Operations();
    mnuUndo->setText(kept.isEmpty() ? QStringLiteral("&Undo")
                                    : QStringLiteral("&Undo ") + OperationTitle(kept.first()));
    // Never disabled: an operation may be kept after the menu was last shown, so Ctrl+Z looks
    // for the newest one when it is pressed.
}

void UndoCommands::undoNewest() {
    const QList<KeptOperation> kept = history::Operations();
    if (kept.isEmpty()) {
        m_parts.prompter.information(kTitle, QStringLiteral("There is nothing to undo."));
        return;
    }
    // An undo cannot itself be undone: one question first.
    if (m_parts.prompter.question(kTitle,
                                  QStringLiteral("Undo %1?").arg(OperationTitle(kept.first())),
                                  false) != Prompter::Answer::Yes)
        return;
    present(UndoDownTo(kept.first().folder));
}

void UndoCommands::showHistory() {
    const QList<KeptOperation> kept = history::Operations();
    frmHistory window(kept, m_parts.owner);
    if (window.exec() != QDialog::Accepted || window.chosen() < 0) return;
    const int chosen = window.chosen();
    QString text = QStringLiteral("Undo %1?").arg(OperationTitle(kept[chosen]));
    if (chosen > 0)
        text = QStringLiteral(
                   "%1 newer operation(s) must be undone first, newest first. Undo "
                   "them and %2?")
                   .arg(chosen)
                   .arg(OperationTitle(kept[chosen]));
    if (m_parts.prompter.question(kTitle, text, false) != Prompter::Answer::Yes) return;
    present(UndoDownTo(kept[chosen].folder));
}

void UndoCommands::present(const UndoOutcome& outcome) {
    QStringList back;
    for (const FileOutcome& file : outcome.files)
        if (!file.failed()) back << file.path;
    m_parts.refresh(back);
    QString problems = FailureSummary(outcome.files);
    for (const QString& line : outcome.cutShort) problems += u'\n' + line + u'.';
    if (!outcome.stopped.isEmpty()) problems += u'\n' + outcome.stopped;
    if (!problems.trimmed().isEmpty()) m_parts.prompter.critical(kTitle, problems.trimmed());
    updateCaption();
}
