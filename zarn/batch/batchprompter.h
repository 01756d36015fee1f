#pragma once
// The Prompter of a batch command: nobody is there to answer. Messages are kept for the
// failure line of the file at hand; a question gets the answer the command chose beforehand.
#include <QString>

#include "zarn/shell/prompter.h"

class BatchPrompter : public Prompter {
  public:
    explicit BatchPrompter(Answer answer = Answer::No) : m_answer(answer) {}

    void information(const QString&, const QString& text) override { m_message = text; }
    void critical(const QString&, const QString& text) override { m_message = text; }
    Answer question(const QString&, const QString&, bool) override { return m_answer; }
    QString input(const QString&, const QString&) override { return {}; }

    // The last message since the last call, emptied by the call.
    QString takeMessage() { return std::exchange(m_message, QString()); }

  private:
    Answer m_answer;
    QString m_message;
};
