#pragma once
// Where a batch command writes: results on `out`, one line per failed file on `err`, and the
// exit status that follows from them.
#include <QString>

#include "zarn/shell/fileoutcome.h"

class Progress;
class QTextStream;

class BatchReport {
  public:
    BatchReport(QTextStream& out, QTextStream& err, Progress* progress = nullptr)
        : m_out(out), m_err(err), m_progress(progress) {}

    QTextStream& out() { return m_out; }
    // What the commands tell how far they came and ask whether to stop; may be null.
    Progress* progress() const { return m_progress; }
    // "zarn: PATH: REASON" on one line (line breaks in the reason become "; ").
    void fail(const QString& path, const QString& reason);
    // A line for each file of a run that is gone or failed.
    void problems(const QList<FileOutcome>& outcomes);
    int failures() const { return m_failures; }
    // 0 when nothing failed, else 1.
    int status() const;

  private:
    QTextStream& m_out;
    QTextStream& m_err;
    Progress* m_progress;
    int m_failures = 0;
};

// A value of a tab-separated line: tab, line break, carriage return and backslash escaped
// (\t, \n, \r, \\).
QString TsvField(const QString& value);
// A path as the user reads it (the platform's separators).
QString ShownPath(const QString& path);
