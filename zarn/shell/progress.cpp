#include "zarn/shell/progress.h"

#include "zarn/shell/journal.h"

#include <QCoreApplication>

EventLoopProgress::EventLoopProgress(std::function<void(const ProgressStep&)> show)
    : m_show(std::move(show)) {}

void EventLoopProgress::atFile(const ProgressStep& step) {
    if (m_show) m_show(step);
}

void EventLoopProgress::yield() {
    QCoreApplication::processEvents();
}

bool EachPathWithProgress(const QStringList& paths, Progress* progress,
                          const std::function<void(const QString& path)>& each) {
    bool stopped = false;
    for (int i = 0; i < paths.size() && !stopped; ++i) {
        if (progress) progress->atFile({i + 1, int(paths.size()), paths[i], QString()});
        each(paths[i]);
        if (!progress) continue;
        progress->yield();
        stopped = progress->stopRequested() && i + 1 < paths.size();
    }
    // The run is over: the journal says so now, not with whatever step comes next.
    Journal::Own().settle();
    return stopped;
}
