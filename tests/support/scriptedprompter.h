#pragma once
// A Prompter that records every message and question instead of showing it, and answers from
// a script: the queued answers in turn, then `answer`.
#include <QList>
#include <QStringList>

#include "zarn/shell/prompter.h"

class ScriptedPrompter : public Prompter {
  public:
    void information(const QString& title, const QString& text) override {
        shown << title + u'|' + text;
        informations << text;
    }
    void critical(const QString& title, const QString& text) override {
        shown << title + u'|' + text;
        criticals << text;
    }
    Answer question(const QString& title, const QString& text, bool) override {
        shown << title + u'|' + text;
        questions << title + u'|' + text;
        return answers.isEmpty() ? answer : answers.takeFirst();
    }
    Answer questionDefaultNo(const QString& title, const QString& text) override {
        defaultNo << title + u'|' + text;
        return question(title, text, false);
    }
    QString input(const QString&, const QString& prompt) override {
        prompts << prompt;
        return typed;
    }

    QList<Answer> answers;        // given first, one per question
    Answer answer = Answer::Yes;  // given when `answers` has run out
    QString typed;                // what input() returns; empty is a cancel

    QStringList shown;                    // "title|text" of every message and question, in order
    QStringList informations, criticals;  // the texts alone
    QStringList questions;                // "title|text"
    QStringList defaultNo;                // "title|text" of the questions that default to No
    QStringList prompts;                  // the prompts of input()
};
