#pragma once
// The standard output and error of a command-line run, sharing the terminal with its progress
// line: whatever either stream writes to the terminal first clears the line, so that results
// and failures start at the left margin and the line is drawn again below them.
#include <QIODevice>
#include <QTextStream>
#include <cstdio>

#include "zarn/shell/terminalprogress.h"

class ConsoleStreams {
  public:
    ConsoleStreams();
    ~ConsoleStreams();

    QTextStream& out() { return m_outText; }
    QTextStream& err() { return m_errText; }
    TerminalProgress& progress() { return m_progress; }

  private:
    class Output : public QIODevice {
      public:
        Output(std::FILE* file, TerminalProgress& progress);

      protected:
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char* data, qint64 size) override;

      private:
        std::FILE* m_file;
        TerminalProgress& m_progress;
        bool m_onTerminal;  // output to a file or pipe leaves the line alone
    };

    // Declared first, so that it outlives the streams that clear it.
    TerminalProgress m_progress;
    Output m_out;
    Output m_err;
    QTextStream m_outText;
    QTextStream m_errText;
};
