#include "zarn/shell/journalrecord.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "zarn/shell/journalline.h"
#include "zarn/shell/safeio.h"

namespace {

struct Recorder {
    QString kind;
    HistoryLimits limits;
    qint64 started = 0;
    QString folder;  // made with the first change
    int fd = -1;
    bool broken = false;  // the record could not be written: nothing more is tried
    int kept = 0;
    QSet<QString> files;
};

// Set while an operation is open; one at a time, on the thread that runs it.
Recorder* g_open = nullptr;

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
    if (!QDir().mkpath(r.folder)) return false;
    const int fd = ::open(QFile::encodeName(history::RecordOf(r.folder)).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !WriteAll(fd, Header(r) + "}\n")) {
        ::close(fd);
        return false;
    }
    r.fd = fd;
    r.broken = false;
    return true;
}

void Close(Recorder& r) {
    if (r.fd < 0) {
        if (!r.folder.isEmpty()) history::Drop(r.folder);
        return;
    }
    if (r.files.isEmpty() && r.kept == 0) {
        history::Drop(r.folder);
    } else {
        QByteArray summary = Header(r);
        journalline::AppendNumber(summary, "files", r.files.size());
        FileError ignored;
        const QString name = r.folder + QStringLiteral("/summary.json");
        const int fd = safeio::CreateNew(name, ignored);
        if (fd >= 0) {
            WriteAll(fd, summary + "}\n");
            ::close(fd);
        }
    }
    ::close(r.fd);  // lets go of the lock
    history::ApplyLimits(r.limits);
}

}  // namespace

RecordedOperation::RecordedOperation(const QString& kind, const HistoryLimits& limits) {
    if (kind.isEmpty() || g_open) return;
    m_owner = true;
    g_open = new Recorder{kind, limits, QDateTime::currentMSecsSinceEpoch(), {}, -1, false, 0, {}};
}

RecordedOperation::~RecordedOperation() {
    if (!m_owner) return;
    Close(*g_open);
    delete g_open;
    g_open = nullptr;
}

namespace operationrecord {

bool Open() {
    return g_open != nullptr;
}

void Record(const RecordedChange& change) {
    if (!g_open || !Begin(*g_open)) return;
    if (!WriteAll(g_open->fd, ChangeLine(change))) {
        g_open->broken = true;
        return;
    }
    if (change.kind != RecordedChange::Kind::Folder) g_open->files.insert(change.now());
}

QString KeptName() {
    if (!g_open || !Begin(*g_open)) return {};
    return g_open->folder + QStringLiteral("/kept-%1").arg(++g_open->kept);
}

}  // namespace operationrecord
