#pragma once
// The Prompter of a batch command: nobody is there to answer. A question gets the answer the
// command chose beforehand; failures come back from the core as values, not as messages.
#include <QString>

#include "zarn/shell/prompter.h"

class BatchPrompter : public Prompter {
  public:
    explicit BatchPrompter(Answer answer = Answer::No) : m_answer(answer) {}

    void information(const QString&, const QString&) override {}
    void critical(const QString&, const QString&) override {}
    Answer question(const QString&, const QString&, bool) override { return m_answer; }
    QString input(const QString&, const QString&) override { return {}; }

  private:
    Answer m_answer;
};
