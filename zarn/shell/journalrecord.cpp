#include "zarn/shell/journalrecord.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "zarn/shell/journalline.h"
#include "zarn/shell/prompter.h"
#include "zarn/shell/safeio.h"

namespace {

struct Recorder {
    QString kind;
    HistoryLimits limits;
    qint64 started = 0;
    QString folder;  // made with the first change
    int fd = -1;
    bool broken = false;   // the record could not be written: nothing more is tried
    QString failure;       // why, once broken
    bool changed = false;  // a change was reported, written or not
    int kept = 0;
    QSet<QString> files;
    // Lines not written yet: a save of thousands of files would otherwise make a system call
    // per file. They go out every few milliseconds, so that a crash loses at most the last ones.
    QByteArray pending;
    QElapsedTimer sinceWrite;
};

constexpr qint64 kWriteAfterMs = 20;
constexpr qsizetype kWriteAfterBytes = 64 << 10;

// Set while an operation is open; one at a time, on the thread that runs it.
Recorder* g_open = nullptr;

// The record cannot be written whole; what it holds so far stays, for a partial undo.
void Break(Recorder& r) {
    if (r.failure.isEmpty()) r.failure = QString::fromLocal8Bit(std::strerror(errno));
    r.broken = true;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

QByteArray Header(const Recorder& r) {
    QByteArray line = "{\"operation\":";
    journalline::AppendString(line, r.kind);
    journalline::AppendNumber(line, "started", r.started);
    return line;
}

// The record's folder and file, made and locked (an undo never takes a record being written).
bool Begin(Recorder& r) {
    if (r.fd >= 0) return true;
    if (r.broken) return false;
    r.broken = true;
    r.folder = history::NewOperationFolder();
    if (!QDir().mkpath(r.folder)) {
        Break(r);
        return false;
    }
    const int fd = ::open(QFile::encodeName(history::RecordOf(r.folder)).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        Break(r);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !WriteAll(fd, Header(r) + "}\n")) {
        Break(r);
        ::close(fd);
        return false;
    }
    r.fd = fd;
    r.broken = false;
    r.pending.reserve(kWriteAfterBytes + 4096);
    r.sinceWrite.start();
    return true;
}

void WritePending(Recorder& r) {
    if (r.pending.isEmpty() || r.fd < 0) return;
    if (!WriteAll(r.fd, r.pending)) Break(r);
    r.pending.resize(0);  // keeps its room for the next lines
    r.sinceWrite.start();
}

void Close(Recorder& r) {
    WritePending(r);
    if (r.fd < 0) {
        if (!r.folder.isEmpty()) history::Drop(r.folder);
        return;
    }
    if (r.files.isEmpty() && r.kept == 0) {
        history::Drop(r.folder);
    } else if (!r.broken) {
        // Only a whole record gets its summary; one without reads as cut short.
        QByteArray summary = Header(r);
        journalline::AppendNumber(summary, "files", r.files.size());
        FileError ignored;
        const QString name = r.folder + QStringLiteral("/summary.json");
        const int fd = safeio::CreateNew(name, ignored);
        if (fd < 0 || !WriteAll(fd, summary + "}\n")) Break(r);
        if (fd >= 0) ::close(fd);
    }
    ::close(r.fd);  // lets go of the lock
    history::ApplyLimits(r.limits);
}

}  // namespace

RecordedOperation::RecordedOperation(const QString& kind, const HistoryLimits& limits,
                                     Prompter* told)
    : m_told(told) {
    if (kind.isEmpty() || g_open) return;
    m_owner = true;
    g_open = new Recorder;
    g_open->kind = kind;
    g_open->limits = limits;
    g_open->started = QDateTime::currentMSecsSinceEpoch();
}

RecordedOperation::~RecordedOperation() {
    close();
}

QString RecordedOperation::close() {
    if (!m_owner) return {};
    m_owner = false;
    Close(*g_open);
    QString message;
    if (g_open->broken && g_open->changed)
        message = QStringLiteral(
                      "The undo record of %1 could not be written whole (%2): an undo "
                      "can take back at most part of it.")
                      .arg(g_open->kind, g_open->failure);
    delete g_open;
    g_open = nullptr;
    if (!message.isEmpty() && m_told) m_told->critical(QStringLiteral("Zarn"), message);
    return message;
}

namespace operationrecord {

bool Open() {
    return g_open != nullptr;
}

void Record(const RecordedChange& change) {
    if (!g_open) return;
    g_open->changed = true;
    if (!Begin(*g_open) || g_open->broken) return;
    g_open->pending += ChangeLine(change);
    if (g_open->pending.size() >= kWriteAfterBytes || g_open->sinceWrite.elapsed() >= kWriteAfterMs)
        WritePending(*g_open);
    if (change.kind != RecordedChange::Kind::Folder) g_open->files.insert(change.now());
}

QString KeptName() {
    if (!g_open || !Begin(*g_open)) return {};
    return g_open->folder + QStringLiteral("/kept-%1").arg(++g_open->kept);
}

}  // namespace operationrecord
