#include "zarn/shell/progress.h"

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
    for (int i = 0; i < paths.size(); ++i) {
        if (progress) progress->atFile({i + 1, int(paths.size()), paths[i], QString()});
        each(paths[i]);
        if (!progress) continue;
        progress->yield();
        if (progress->stopRequested() && i + 1 < paths.size()) return true;
    }
    return false;
}
