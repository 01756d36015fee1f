#include "zarn/shell/terminalprogress.h"

#include <csignal>

#include "zarn/shell/progressline.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// The line appears only for runs that take longer than this, and is rewritten at most this often.
constexpr qint64 kQuietMs = 1000;
constexpr qint64 kRedrawMs = 100;

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
    // The next Ctrl+C ends the program the usual way.
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

bool IsTerminal(std::FILE* stream) {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

TerminalProgress::TerminalProgress(std::FILE* terminal)
    : m_terminal(terminal), m_show(IsTerminal(terminal)) {
    m_sinceStart.start();
    g_interrupted = 0;
    m_previousHandler = std::signal(SIGINT, OnInterrupt);
}

TerminalProgress::~TerminalProgress() {
    hide();
    if (m_previousHandler != SIG_ERR) std::signal(SIGINT, m_previousHandler);
}

void TerminalProgress::atFile(const ProgressStep& step) {
    m_begun = step.number;
    m_total = step.total;
    if (!m_sinceFirst.isValid()) m_sinceFirst.start();
    if (!m_show) return;
    const qint64 now = m_sinceStart.elapsed();
    if (now < kQuietMs || (m_lastDrawMs >= 0 && now - m_lastDrawMs < kRedrawMs)) return;
    m_lastDrawMs = now;
    draw(ProgressLineText(step.number - 1, step.total, m_sinceFirst.elapsed()));
}

bool TerminalProgress::stopRequested() const {
    return g_interrupted != 0;
}

void TerminalProgress::quiet() {
    hide();
    m_show = false;
}

void TerminalProgress::hide() {
    if (m_width == 0) return;
    const QByteArray blank = '\r' + QByteArray(m_width, ' ') + '\r';
    std::fwrite(blank.constData(), 1, size_t(blank.size()), m_terminal);
    std::fflush(m_terminal);
    m_width = 0;
}

void TerminalProgress::draw(const QString& text) {
    QByteArray line = '\r' + text.toUtf8();
    // A shorter line than the one standing there overwrites all of it.
    if (text.size() < m_width) line += QByteArray(m_width - text.size(), ' ');
    std::fwrite(line.constData(), 1, size_t(line.size()), m_terminal);
    std::fflush(m_terminal);
    m_width = qMax(m_width, text.size());
}
