#include "zarn/shell/journalhistory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "zarn/shell/journal.h"
#include "zarn/shell/safeio.h"

namespace {

const QString kUndoing = QStringLiteral("undoing-");
const QString kUndone = QStringLiteral("undone-");

QString Summary(const QString& folder) {
    return folder + QStringLiteral("/summary.json");
}

// The folder's name without the mark of an undo: the time the operation began comes first.
QString TimeName(const QString& folder) {
    QString name = QFileInfo(folder).fileName();
    for (const QString& mark : {kUndoing, kUndone})
        if (name.startsWith(mark)) name = name.mid(mark.size());
    return name;
}

QStringList FolderNames() {
    QStringList names = QDir(history::Folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return TimeName(a) > TimeName(b); });
    return names;
}

// Another Zarn holds the record while it records it or undoes it.
bool Held(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(history::RecordOf(folder)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

qint64 BytesIn(const QString& folder) {
    qint64 bytes = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        bytes += file.size();
    return bytes;
}

QList<QByteArray> RecordLines(const QString& folder) {
    QFile record(history::RecordOf(folder));
    if (!record.open(QIODevice::ReadOnly)) return {};
    return record.readAll().split('\n');
}

// What a record without a summary (its process ended before it closed) says of itself.
QJsonObject SummaryOfRecord(const QString& folder) {
    const QList<QByteArray> lines = RecordLines(folder);
    QJsonObject summary = QJsonDocument::fromJson(lines.value(0)).object();
    QSet<QString> files;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (const auto change = ChangeOfLine(lines[i]);
            change && change->kind != RecordedChange::Kind::Folder)
            files.insert(change->now());
    summary.insert(QStringLiteral("files"), int(files.size()));
    return summary;
}

KeptOperation OperationIn(const QString& folder) {
    QJsonObject summary;
    QFile file(Summary(folder));
    if (file.open(QIODevice::ReadOnly)) summary = QJsonDocument::fromJson(file.readAll()).object();
    const bool summed = !summary.isEmpty();
    if (!summed) summary = SummaryOfRecord(folder);
    KeptOperation op;
    op.folder = folder;
    op.kind = summary.value(QLatin1String("operation")).toString();
    op.started =
        QDateTime::fromMSecsSinceEpoch(qint64(summary.value(QLatin1String("started")).toDouble()));
    op.files = summary.value(QLatin1String("files")).toInt();
    op.bytes = BytesIn(folder);
    op.running = Held(folder);
    op.complete = summed || op.running;
    return op;
}

}  // namespace

namespace history {

QString Folder() {
    return Journal::Folder() + QStringLiteral("/history");
}

QString RecordOf(const QString& folder) {
    return folder + QStringLiteral("/record.jsonl");
}

QString NewOperationFolder() {
    static int made = 0;
    return Folder() + QStringLiteral("/%1-%2-%3")
                          .arg(QDateTime::currentMSecsSinceEpoch(), 14, 10, QChar(u'0'))
                          .arg(QCoreApplication::applicationPid())
                          .arg(++made, 6, 10, QChar(u'0'));
}

QList<KeptOperation> Operations() {
    QList<KeptOperation> ops;
    for (const QString& name : FolderNames())
        if (!name.startsWith(kUndoing) && !name.startsWith(kUndone))
            ops << OperationIn(Folder() + u'/' + name);
    return ops;
}

QStringList InterruptedUndos() {
    QStringList folders;
    for (const QString& name : FolderNames())
        if (name.startsWith(kUndoing) && !Held(Folder() + u'/' + name))
            folders << Folder() + u'/' + name;
    return folders;
}

QList<RecordedChange> Changes(const QString& folder) {
    QList<RecordedChange> changes;
    const QList<QByteArray> lines = RecordLines(folder);
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (auto change = ChangeOfLine(lines[i])) changes << *change;
    return changes;
}

void ApplyLimits(const HistoryLimits& limits) {
    int count = 0;
    qint64 bytes = 0;
    for (const QString& name : FolderNames()) {
        const QString folder = Folder() + u'/' + name;
        if (name.startsWith(kUndoing) || Held(folder)) continue;
        const qint64 size = BytesIn(folder);
        if (count + 1 > limits.operations || bytes + size > limits.bytes) {
            Drop(folder);
            continue;
        }
        ++count;
        bytes += size;
    }
}

void Drop(const QString& folder) {
    FileError ignored;
    // The record last: a folder left half removed by a crash is still read as what it was.
    const QString record = RecordOf(folder);
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (folder + u'/' + name != record) safeio::Remove(folder + u'/' + name, ignored);
    safeio::Remove(record, ignored);
    ::rmdir(QFile::encodeName(folder).constData());
}

Claim ClaimForUndo(const QString& folder) {
    const int fd = ::open(QFile::encodeName(RecordOf(folder)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return {};
    }
    const QString name = QFileInfo(folder).fileName();
    if (name.startsWith(kUndoing)) return {folder, fd};
    const QString undoing = Folder() + u'/' + kUndoing + name;
    FileError error;
    if (::rename(QFile::encodeName(folder).constData(), QFile::encodeName(undoing).constData()) !=
            0 ||
        !safeio::SyncFolderOf(undoing, error)) {
        ::close(fd);
        return {};
    }
    return {undoing, fd};
}

void ReleaseAfterUndo(Claim& claim, bool keepKept) {
    if (claim.fd < 0) return;
    if (!keepKept) {
        Drop(claim.folder);
    } else {
        const QString undone = Folder() + u'/' + kUndone + TimeName(claim.folder);
        ::rename(QFile::encodeName(claim.folder).constData(),
                 QFile::encodeName(undone).constData());
    }
    ::close(claim.fd);
    claim.fd = -1;
}

}  // namespace history
