#pragma once
// Progress of a command-line run: one line on the terminal that keeps being rewritten
// ("1,234 of 10,000 files, 3 s left") once the run has taken a second, cleared at the end; and
// Ctrl+C as the stop request, so that the run ends after the file at hand and every file is
// either as it was or as it was meant to be. A second Ctrl+C ends the program at once (the
// journal then puts the file at hand right at the next start).
#include <QElapsedTimer>
#include <QString>
#include <cstdio>

#include "zarn/shell/progress.h"

class TerminalProgress : public Progress {
  public:
    // The line is drawn on `terminal` only when it is one; the stop request works either way.
    explicit TerminalProgress(std::FILE* terminal);
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void atFile(const ProgressStep& step) override;
    void yield() override {}
    bool stopRequested() const override;

    // --quiet: no line at all.
    void quiet();
    // Clears the line, so that another can be written where it stood; the next file draws it
    // again.
    void hide();
    // How far the run came: the files begun (the last one was finished) of how many.
    int begun() const { return m_begun; }
    int total() const { return m_total; }
    // A stop request ended the run before its last file.
    bool stoppedEarly() const { return stopRequested() && m_begun < m_total; }

  private:
    void draw(const QString& text);

    std::FILE* m_terminal;
    bool m_show;
    QElapsedTimer m_sinceStart;  // the whole command, from reading the arguments on
    QElapsedTimer m_sinceFirst;  // the run over the files, for the time left
    qint64 m_lastDrawMs = -1;
    qsizetype m_width = 0;  // of the line standing on the terminal, 0 when none does
    int m_begun = 0;
    int m_total = 0;
    void (*m_previousHandler)(int) = nullptr;
};

// True when `stream` is a terminal (not a file or pipe).
bool IsTerminal(std::FILE* stream);
