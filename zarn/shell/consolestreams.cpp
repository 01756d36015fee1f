#include "zarn/shell/consolestreams.h"

ConsoleStreams::Output::Output(std::FILE* file, TerminalProgress& progress)
    : m_file(file), m_progress(progress), m_onTerminal(IsTerminal(file)) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 ConsoleStreams::Output::writeData(const char* data, qint64 size) {
    if (m_onTerminal) m_progress.hide();
    const size_t written = std::fwrite(data, 1, size_t(size), m_file);
    std::fflush(m_file);
    return written == size_t(size) ? size : -1;
}

ConsoleStreams::ConsoleStreams()
    : m_progress(stderr),
      m_out(stdout, m_progress),
      m_err(stderr, m_progress),
      m_outText(&m_out),
      m_errText(&m_err) {}

ConsoleStreams::~ConsoleStreams() {
    m_outText.flush();
    m_errText.flush();
}
