#include "zarn/shell/messageboxprompter.h"

#include <QInputDialog>
#include <QMessageBox>

void MessageBoxPrompter::information(const QString& title, const QString& text) {
    QMessageBox::information(m_owner, title, text);
}

void MessageBoxPrompter::critical(const QString& title, const QString& text) {
    QMessageBox::critical(m_owner, title, text);
}

Prompter::Answer MessageBoxPrompter::question(const QString& title, const QString& text,
                                              bool withCancel) {
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(m_owner, title, text, buttons)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return withCancel ? Answer::Cancel : Answer::No;
    }
}

Prompter::Answer MessageBoxPrompter::questionDefaultNo(const QString& title, const QString& text) {
    const auto answer = QMessageBox::question(m_owner, title, text,
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

bool MessageBoxPrompter::confirm(const QString& title, const QString& text) {
    return QMessageBox::information(m_owner, title, text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

QString MessageBoxPrompter::input(const QString& title, const QString& prompt) {
    return QInputDialog::getText(m_owner, title, prompt);
}
