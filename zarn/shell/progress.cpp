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
