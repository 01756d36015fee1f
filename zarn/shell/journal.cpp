#include "zarn/shell/journal.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "zarn/shell/journalline.h"

namespace {

using namespace journalline;

// A journal that has grown this long is emptied once no step is open.
constexpr qint64 kEmptyAfter = 4 << 20;

QByteArray StepLine(quint64 id, const JournalStep& step) {
    QByteArray line;
    line.reserve(256);
    line += "{\"step\":";
    line += QByteArray::number(id);
    line += ",\"op\":\"";
    line += step.op;
    line += '"';
    AppendPath(line, "path", step.path);
    AppendPath(line, "target", step.target);
    AppendPath(line, "temporary", step.temporary);
    AppendPath(line, "backup", step.backup);
    AppendIdentity(line, step.identity);
    if (step.length >= 0) AppendNumber(line, "length", step.length);
    if (step.cut >= 0) AppendNumber(line, "cut", step.cut);
    if (!step.patches.isEmpty()) {
        line += ",\"patches\":[";
        for (qsizetype i = 0; i < step.patches.size(); ++i) {
            const JournalPatch& patch = step.patches[i];
            if (i > 0) line += ',';
            line += "{\"pos\":" + QByteArray::number(patch.pos) + ",\"old\":\"" +
                    patch.old.toBase64() +
                    "\",\"newLength\":" + QByteArray::number(patch.newLength) + ",\"newHash\":\"" +
                    QByteArray::number(patch.newHash, 16) + "\"}";
        }
        line += ']';
    }
    line += "}\n";
    return line;
}

FileError JournalError(int code, const QString& path) {
    FileError error = SystemFileError(code);
    error.description = QStringLiteral("The journal %1 cannot be written: %2")
                            .arg(QDir::toNativeSeparators(path), error.description);
    return error;
}

}  // namespace

quint64 BytesHash(const QByteArray& bytes) {
    quint64 hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= uchar(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

Journal& Journal::Own() {
    static Journal journal;
    return journal;
}

QString Journal::Folder() {
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    if (!state.isEmpty() && QDir::isAbsolutePath(QFile::decodeName(state)))
        return QFile::decodeName(state) + QStringLiteral("/zarn");
    return QDir::homePath() + QStringLiteral("/.local/state/zarn");
}

bool Journal::IsJournalName(const QString& name) {
    return name.startsWith(QStringLiteral("journal-")) && name.endsWith(QStringLiteral(".jsonl"));
}

Journal::~Journal() {
    if (m_fd < 0 || m_pid != ::getpid()) return;
    // A journal with no open step holds nothing to recover.
    if (m_open == 0)
        ::unlink(QFile::encodeName(m_path).constData());
    else
        settle();
    ::close(m_fd);
}

namespace {
// Set in a child made by fork(): its journal is its own, not the parent's.
bool g_forked = false;
}  // namespace

bool Journal::open() {
    if (m_fd >= 0 && !g_forked) return true;
    g_forked = false;
    if (m_fd >= 0) {
        // Inherited from the process that forked this one, which goes on writing it.
        ::close(m_fd);
        m_fd = -1;
        m_open = 0;
        m_length = 0;
    }
    const QString folder = Folder();
    if (!QDir().mkpath(folder)) {
        m_error = JournalError(errno ? errno : EACCES, folder);
        return false;
    }
    const QString name = QStringLiteral("journal-%1-%2.jsonl")
                             .arg(::getpid())
                             .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
    // Made under a name recovery passes over, locked, and only then given its own name: a
    // starting Zarn must never take a journal being opened for one of a process that died.
    const QByteArray making = QFile::encodeName(folder + QStringLiteral("/.") + name);
    const int fd =
        ::open(making.constData(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = JournalError(errno, folder);
        return false;
    }
    m_path = folder + u'/' + name;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        ::rename(making.constData(), QFile::encodeName(m_path).constData()) != 0) {
        m_error = JournalError(errno, m_path);
        ::unlink(making.constData());
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_pid = ::getpid();
    static const bool watching = ::pthread_atfork(nullptr, nullptr, [] { g_forked = true; }) == 0;
    Q_UNUSED(watching);
    return true;
}

bool Journal::append(const QByteArray& line, bool durable) {
    if (!open()) return false;
    qsizetype done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(m_fd, line.constData() + done, size_t(line.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_error = JournalError(n < 0 ? errno : EIO, m_path);
            return false;
        }
        done += n;
    }
    m_length += line.size();
    if (durable && ::fdatasync(m_fd) != 0) {
        m_error = JournalError(errno, m_path);
        return false;
    }
    return true;
}

quint64 Journal::begin(const JournalStep& step, bool durable) {
    const quint64 id = m_next++;
    // The end of the step before goes with this record: one write for both.
    if (!append(pendingDone() + StepLine(id, step), durable)) return 0;
    m_pendingDone = 0;
    ++m_open;
    return id;
}

QByteArray Journal::pendingDone() const {
    return m_pendingDone ? "{\"done\":" + QByteArray::number(m_pendingDone) + "}\n" : QByteArray();
}

void Journal::settle() {
    if (m_pendingDone && m_fd >= 0 && append(pendingDone(), false)) m_pendingDone = 0;
}

bool Journal::mark(quint64 step, const char* phase, bool durable) {
    return append("{\"step\":" + QByteArray::number(step) + ",\"phase\":\"" + phase + "\"}\n",
                  durable);
}

void Journal::end(quint64 step, bool deferred) {
    // A step whose end is not recorded (a crash came first) is looked at again by the next
    // start, which finds it finished and leaves it; nothing is lost by that. So the end of a
    // quick step waits to go with the next record, or settle().
    settle();
    m_pendingDone = step;
    if (!deferred) settle();
    if (--m_open > 0 || m_length <= kEmptyAfter) return;
    settle();
    if (::ftruncate(m_fd, 0) == 0) m_length = 0;
}

FileError JournalEntry::error() const {
    return Journal::Own().error();
}
