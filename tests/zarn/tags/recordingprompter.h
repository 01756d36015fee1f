#pragma once
// A Prompter that remembers every message instead of showing it.
#include <QStringList>

#include "zarn/shell/prompter.h"

class RecordingPrompter : public Prompter {
  public:
    QStringList criticals, informations;

    void information(const QString&, const QString& text) override { informations << text; }
    void critical(const QString&, const QString& text) override { criticals << text; }
    Answer question(const QString&, const QString&, bool) override { return Answer::No; }
    QString input(const QString&, const QString&) override { return {}; }
};
