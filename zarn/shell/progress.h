#pragma once
// What a long run (sorting, renaming from text) tells the person watching it and asks of them:
// which file it is at, room for pending window events, and whether to stop. The windows show
// it; tests fake it.
#include <QString>
#include <QStringList>
#include <functional>

struct ProgressStep {
    int number = 0;  // 1-based
    int total = 0;
    QString source;
    QString target;
};

class Progress {
  public:
    virtual ~Progress() = default;
    // Called before the run works on a file.
    virtual void atFile(const ProgressStep& step) = 0;
    // Lets pending window events run, so that a Stop button can be pressed.
    virtual void yield() = 0;
    // Read after each file: the run ends when it is true.
    virtual bool stopRequested() const = 0;
};

// Progress over the application's event loop: a window passes what draws a step, and its Stop
// button (or the closing main window) calls requestStop().
class EventLoopProgress : public Progress {
  public:
    explicit EventLoopProgress(std::function<void(const ProgressStep&)> show = {});

    void atFile(const ProgressStep& step) override;
    void yield() override;
    bool stopRequested() const override { return m_stop; }
    void requestStop() { m_stop = true; }

  private:
    std::function<void(const ProgressStep&)> m_show;
    bool m_stop = false;
};

// Runs `each` on every path in turn: `progress` (may be null) hears of each file first and may
// stop the run after it. True when a stop ended the run before the last path.
bool EachPathWithProgress(const QStringList& paths, Progress* progress,
                          const std::function<void(const QString& path)>& each);
