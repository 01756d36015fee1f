#pragma once
#include "zarn/shell/prompter.h"

class QWidget;

// Prompter shown as message boxes owned by a window.
class MessageBoxPrompter : public Prompter {
  public:
    explicit MessageBoxPrompter(QWidget* owner = nullptr) : m_owner(owner) {}
    void information(const QString& title, const QString& text) override;
    void critical(const QString& title, const QString& text) override;
    Answer question(const QString& title, const QString& text, bool withCancel) override;
    Answer questionDefaultNo(const QString& title, const QString& text) override;
    bool confirm(const QString& title, const QString& text) override;
    QString input(const QString& title, const QString& prompt) override;

  private:
    QWidget* m_owner;
};
