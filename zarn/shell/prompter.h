#pragma once
// What the core needs from a person: messages and questions. The GUI implements it with
// message boxes, tests with a fake that records what was shown.
#include <QString>

class Prompter {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    virtual void information(const QString& title, const QString& text) = 0;
    virtual void critical(const QString& title, const QString& text) = 0;
    virtual Answer question(const QString& title, const QString& text, bool withCancel) = 0;
    // A Yes/No question whose Yes cannot be undone (deleting files): No is what Enter answers.
    virtual Answer questionDefaultNo(const QString& title, const QString& text) {
        return question(title, text, false);
    }
    // An information box with OK and Cancel; true for OK. A prompter without such a box asks
    // a Yes/No question instead.
    virtual bool confirm(const QString& title, const QString& text) {
        return question(title, text, false) == Answer::Yes;
    }
    // Text typed by the user; empty when cancelled.
    virtual QString input(const QString& title, const QString& prompt) = 0;
};
