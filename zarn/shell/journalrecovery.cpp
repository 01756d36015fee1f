#include "zarn/shell/journalrecovery.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

#include "zarn/shell/fileops.h"
#include "zarn/shell/journal.h"
#include "zarn/shell/journalundo.h"
#include "zarn/shell/safeio.h"

namespace {

// One step of a journal as recovery reads it.
struct Step {
    QJsonObject record;
    QSet<QString> phases;

    QString text(const char* name) const { return record.value(QLatin1String(name)).toString(); }
    qint64 number(const char* name) const {
        return qint64(record.value(QLatin1String(name)).toDouble(-1));
    }
    quint64 big(const char* name) const { return text(name).toULongLong(); }
    bool isFile(const FileIdentity& now) const {
        return now.valid() && now.device == big("dev") && now.inode == big("ino");
    }
    // The file as the step found it, not written since.
    bool isUnchanged(const FileIdentity& now) const {
        return isFile(now) && now.size == number("size") && quint64(now.modifiedNs) == big("mtime");
    }
};

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

bool Gone(const QString& path) {
    return !IdentityOfEntry(path).valid();
}

bool RemoveIfThere(const QString& path) {
    if (path.isEmpty() || Gone(path)) return false;
    FileError ignored;
    return safeio::Remove(path, ignored);
}

// The in-place write either reached every byte (the file is new) or is put back byte for byte.
QString RecoverPatch(const Step& step) {
    const QString path = step.text("path");
    if (!step.isFile(IdentityOfPath(path))) return {};
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return QStringLiteral("%1: an interrupted save could not be checked: %2")
            .arg(Shown(path), SystemFileError(errno).description);
    const QJsonArray patches = step.record.value(QLatin1String("patches")).toArray();
    FileError error;
    bool finished = true;
    for (const QJsonValue& value : patches) {
        const QJsonObject patch = value.toObject();
        QByteArray now;
        const qint64 length = qint64(patch.value(QLatin1String("newLength")).toDouble());
        safeio::ReadAt(fd, qint64(patch.value(QLatin1String("pos")).toDouble()), length, now,
                       error);
        finished = finished && now.size() == length &&
                   QByteArray::number(BytesHash(now), 16) ==
                       patch.value(QLatin1String("newHash")).toString().toLatin1();
    }
    // A write that cuts the file (an undo taking an appended tag away) is finished once cut.
    const qint64 cut = step.number("cut");
    if (cut >= 0) finished = finished && IdentityOfDescriptor(fd).size == cut;
    bool restored = true;
    if (!finished) {
        for (qsizetype i = patches.size() - 1; i >= 0; --i) {
            const QJsonObject patch = patches[i].toObject();
            restored =
                safeio::WriteAt(
                    fd, qint64(patch.value(QLatin1String("pos")).toDouble()),
                    QByteArray::fromBase64(patch.value(QLatin1String("old")).toString().toLatin1()),
                    error) &&
                restored;
        }
        restored = restored && safeio::Truncate(fd, step.number("length"), error) &&
                   safeio::SyncData(fd, error);
    }
    ::close(fd);
    if (finished)
        return QStringLiteral("%1: a save interrupted at its end had finished").arg(Shown(path));
    if (!restored)
        return QStringLiteral("%1: an interrupted save could not be put back: %2")
            .arg(Shown(path), error.description);
    return QStringLiteral(
               "%1: a save interrupted by a crash was rolled back; the file is as it was")
        .arg(Shown(path));
}

// The new content was written beside the file and trades names with it: either it has the name
// (and the old content, at the temporary name, goes) or it goes.
QString RecoverRewrite(const Step& step) {
    const QString path = step.text("path");
    const QString temporary = step.text("temporary");
    const FileIdentity atTemporary = IdentityOfEntry(temporary);
    if (!atTemporary.valid()) {
        if (!step.isFile(IdentityOfPath(path)) && !Gone(path))
            return QStringLiteral("%1: a save interrupted at its end had finished")
                .arg(Shown(path));
        return {};
    }
    if (step.isUnchanged(atTemporary)) {
        RemoveIfThere(temporary);
        return QStringLiteral("%1: a save interrupted at its end had finished").arg(Shown(path));
    }
    if (step.phases.contains(QLatin1String(JournalPhase::kExchanged))) {
        // What was traded out is a version another program wrote meanwhile: it gets its name
        // back, and the save's content goes.
#ifdef RENAME_EXCHANGE
        ::renameat2(AT_FDCWD, QFile::encodeName(temporary).constData(), AT_FDCWD,
                    QFile::encodeName(path).constData(), RENAME_EXCHANGE);
#endif
        RemoveIfThere(temporary);
        return QStringLiteral(
                   "%1: a save was interrupted while another program changed the "
                   "file; the other program's version was kept")
            .arg(Shown(path));
    }
    RemoveIfThere(temporary);
    return QStringLiteral(
               "%1: a save interrupted by a crash was rolled back; the file is as it was")
        .arg(Shown(path));
}

// Copies the flushed backup back over the file (every name of it sees it again).
bool PutBack(const QString& path, const QString& backupName, FileError& error) {
    const int backup = ::open(QFile::encodeName(backupName).constData(), O_RDONLY | O_CLOEXEC);
    if (backup < 0) return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    const qint64 length = IdentityOfDescriptor(backup).size;
    qint64 end = 0;
    const bool ok = fd >= 0 && safeio::CopyRange(backup, 0, length, fd, end, error) &&
                    safeio::Truncate(fd, length, error) && safeio::SyncData(fd, error);
    if (fd >= 0) ::close(fd);
    ::close(backup);
    return ok;
}

// A file with several names, written in place behind a backup copy.
QString RecoverRewriteLinked(const Step& step) {
    const QString path = step.text("path");
    const QString backup = step.text("backup");
    if (Gone(backup)) return {};
    if (step.phases.contains(QLatin1String(JournalPhase::kWritten))) {
        RemoveIfThere(backup);
        return QStringLiteral("%1: a save interrupted at its end had finished").arg(Shown(path));
    }
    if (!step.phases.contains(QLatin1String(JournalPhase::kBackupReady))) {
        // The file itself was not touched yet.
        RemoveIfThere(backup);
        return QStringLiteral(
                   "%1: a save interrupted by a crash was rolled back; the file is as it was")
            .arg(Shown(path));
    }
    FileError error;
    if (step.isFile(IdentityOfPath(path)) && PutBack(path, backup, error)) {
        RemoveIfThere(backup);
        return QStringLiteral(
                   "%1: a save interrupted by a crash was rolled back; the file is as it was")
            .arg(Shown(path));
    }
    return QStringLiteral(
               "%1: a save was interrupted and the file could not be put back%2; the file "
               "as it was is kept in %3")
        .arg(Shown(path),
             error.failed() ? QStringLiteral(" (") + error.description + u')' : QString(),
             Shown(backup));
}

// A copy or move went through a temporary file beside its target; a move then removes its
// source. A crash before the copy had its name leaves the source alone; after it, a move is
// finished, so that the file is there exactly once.
QString RecoverPlacement(const Step& step, bool move) {
    const QString from = step.text("path");
    const QString to = step.text("target");
    const QString what =
        from.isEmpty() ? Shown(to) : Shown(from) + QStringLiteral(" -> ") + Shown(to);
    if (RemoveIfThere(step.text("temporary")))
        return QStringLiteral("%1: a %2 interrupted by a crash was rolled back")
            .arg(what, move ? QStringLiteral("move") : QStringLiteral("copy"));
    if (!move) return {};
    const FileIdentity source = IdentityOfEntry(from);
    const FileIdentity target = IdentityOfEntry(to);
    if (!step.isFile(source) || !target.valid()) return {};
    // Placed by a link (the same file twice) or by a complete, flushed copy.
    if (!source.sameFile(target) && target.size != source.size) return {};
    FileError error;
    if (!safeio::Remove(from, error))
        return QStringLiteral("%1: an interrupted move could not be finished: %2")
            .arg(what, error.description);
    return QStringLiteral("%1: a move interrupted by a crash was finished").arg(what);
}

// A change of letter case went through a hidden name: the file gets its old name back.
QString RecoverRename(const Step& step) {
    const QString from = step.text("path");
    const QString temporary = step.text("temporary");
    if (Gone(temporary) || !Gone(from)) return {};
    if (RenameWithoutOverwrite(temporary, from).failed())
        return QStringLiteral("%1: an interrupted rename left the file as %2")
            .arg(Shown(from), Shown(temporary));
    return QStringLiteral("%1: a rename interrupted by a crash was rolled back").arg(Shown(from));
}

QString Recover(const Step& step) {
    const QString op = step.text("op");
    if (op == QLatin1String(JournalOp::kPatch)) return RecoverPatch(step);
    if (op == QLatin1String(JournalOp::kRewrite)) return RecoverRewrite(step);
    if (op == QLatin1String(JournalOp::kRewriteLinked)) return RecoverRewriteLinked(step);
    if (op == QLatin1String(JournalOp::kCopy)) return RecoverPlacement(step, false);
    if (op == QLatin1String(JournalOp::kMove)) return RecoverPlacement(step, true);
    if (op == QLatin1String(JournalOp::kRename)) return RecoverRename(step);
    return {};
}

// The steps a journal began and did not end, in the order they began. A line cut short by the
// crash is a record that was never complete, so its step never began.
QList<Step> OpenSteps(const QByteArray& journal) {
    QMap<qint64, Step> open;
    for (const QByteArray& line : journal.split('\n')) {
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        if (record.isEmpty()) continue;
        if (record.contains(QLatin1String("done"))) {
            open.remove(qint64(record.value(QLatin1String("done")).toDouble()));
            continue;
        }
        const qint64 id = qint64(record.value(QLatin1String("step")).toDouble());
        if (record.contains(QLatin1String("phase"))) {
            if (open.contains(id))
                open[id].phases.insert(record.value(QLatin1String("phase")).toString());
        } else {
            open.insert(id, {record, {}});
        }
    }
    return open.values();
}

// The journal of a process that has ended: its lock can be had.
QStringList RecoverJournal(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    QStringList lines;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        QByteArray journal;
        FileError error;
        safeio::ReadAt(fd, 0, IdentityOfDescriptor(fd).size, journal, error);
        for (const Step& step : OpenSteps(journal))
            if (const QString line = Recover(step); !line.isEmpty()) lines << line;
        safeio::Remove(path, error);
    }
    ::close(fd);
    return lines;
}

}  // namespace

QStringList RecoverInterruptedSteps() {
    const QDir folder(Journal::Folder());
    if (!folder.exists()) return {};
    const QString own = QFileInfo(Journal::Own().fileName()).fileName();
    QStringList lines;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        // ".journal-..." is one a process was opening when it ended.
        const QString plain = name.startsWith(u'.') ? name.mid(1) : name;
        if (!Journal::IsJournalName(plain) || name == own) continue;
        lines << RecoverJournal(folder.filePath(name));
    }
    // Every file is whole again: an undo cut short can go on from there.
    return lines + FinishInterruptedUndos();
}
