#include "zarn/shell/journalundo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <fcntl.h>
#include <unistd.h>

#include "zarn/shell/fileops.h"
#include "zarn/shell/guardedfile.h"
#include "zarn/shell/safeio.h"

namespace {

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

FileOutcome LeftAlone(const QString& path, const QString& why) {
    return FileOutcome::Failure(path, {kErrPathFileAccess, why, 0, path});
}

FileOutcome ChangedSince(const QString& path) {
    return LeftAlone(path, QStringLiteral("changed since the operation; left alone"));
}

FileOutcome PutBack(const QString& path) {
    return {path, FileOutcome::Kind::Done, {}};
}

QString KeyOf(const FileIdentity& id) {
    return QStringLiteral("%1:%2:%3:%4")
        .arg(id.device)
        .arg(id.inode)
        .arg(id.size)
        .arg(id.modifiedNs);
}

// What undo itself did to files: a file put back by an earlier undo no longer has the identity
// an older operation left it with, though it holds what that operation left. Kept beside the
// records, so that undos one after another can go on down the history.
class Aliases {
  public:
    Aliases() {
        QFile file(path());
        if (!file.open(QIODevice::ReadOnly)) return;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> keys = line.split(' ');
            if (keys.size() == 2)
                m_to.insert(QString::fromLatin1(keys[0]), QString::fromLatin1(keys[1]));
        }
    }
    ~Aliases() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Aliases(const Aliases&) = delete;
    Aliases& operator=(const Aliases&) = delete;
    // The file was as `from` says, and undo made it `to` without changing what it holds.
    void add(const FileIdentity& from, const FileIdentity& to) {
        if (!from.valid() || !to.valid() || from.unchanged(to)) return;
        const QString a = KeyOf(from), b = KeyOf(to);
        m_to.insert(a, b);
        if (m_fd < 0)
            m_fd = ::open(QFile::encodeName(path()).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        const QByteArray line = a.toLatin1() + ' ' + b.toLatin1() + '\n';
        if (m_fd >= 0) (void)!::write(m_fd, line.constData(), size_t(line.size()));
    }
    // `now` is the file as the operation left it, or as undo made it since.
    bool asLeft(const FileIdentity& now, const FileIdentity& recorded) const {
        if (now.unchanged(recorded)) return true;
        const QString target = KeyOf(now);
        QString key = KeyOf(recorded);
        for (int hops = 0; hops < 64 && m_to.contains(key); ++hops) {
            key = m_to.value(key);
            if (key == target) return true;
        }
        return false;
    }
    static QString path() { return history::Folder() + QStringLiteral("/aliases"); }

  private:
    QHash<QString, QString> m_to;
    int m_fd = -1;
};

QByteArray Read(GuardedFile& file, qint64 pos, qint64 length) {
    return file.read(pos, length).value_or(QByteArray());
}

// The tag bytes are as the operation wrote them.
bool HoldsNew(GuardedFile& file, const RecordedChange& c) {
    if (file.size() != c.newLength) return false;
    if (c.rewritten)
        return BytesHash(Read(file, 0, c.audioFrom)) == c.headHash &&
               BytesHash(Read(file, c.audioTo, c.newLength - c.audioTo)) == c.tailHash;
    for (const JournalPatch& p : c.patches)
        if (BytesHash(Read(file, p.pos, p.newLength)) != p.newHash) return false;
    return true;
}

// The tag bytes are as they were before the operation: an undo got that far.
bool HoldsOld(GuardedFile& file, const RecordedChange& c) {
    if (c.rewritten) {
        const qint64 length = c.head.size() + (c.audioTo - c.audioFrom) + c.tail.size();
        return file.size() == length && Read(file, 0, c.head.size()) == c.head &&
               Read(file, length - c.tail.size(), c.tail.size()) == c.tail;
    }
    if (file.size() != c.oldLength) return false;
    for (const JournalPatch& p : c.patches)
        if (Read(file, p.pos, p.old.size()) != p.old) return false;
    return true;
}

class Undo {
  public:
    Undo(UndoOutcome& outcome, bool resumed) : m_out(outcome), m_resumed(resumed) {}

    // Newest change first; true when every kept file went back. The record is in `folder`
    // now, whatever its name was when the files were kept there.
    bool run(const QList<RecordedChange>& changes, const QString& folder) {
        m_keptLeft = false;
        for (qsizetype i = changes.size() - 1; i >= 0; --i) {
            RecordedChange c = changes[i];
            if (!c.kept.isEmpty()) c.kept = folder + u'/' + QFileInfo(c.kept).fileName();
            switch (c.kind) {
                case RecordedChange::Kind::Tags:
                    m_out.files << tags(c);
                    break;
                case RecordedChange::Kind::Placed:
                case RecordedChange::Kind::Copied:
                    m_out.files << placed(c);
                    break;
                case RecordedChange::Kind::Folder:
                    RemoveEmptyFolder(c.path);  // a folder the user put files in stays
                    break;
            }
        }
        return !m_keptLeft;
    }

  private:
    FileOutcome tags(const RecordedChange& c) {
        GuardedFile file(c.path);
        if (!file.open(FileAccess::Save)) return LeftAlone(c.path, file.error().description);
        if (!m_aliases.asLeft(file.identity(), c.identity) && !(m_resumed && HoldsNew(file, c))) {
            if (m_resumed && HoldsOld(file, c)) return PutBack(c.path);
            return ChangedSince(c.path);
        }
        bool ok = false;
        if (c.rewritten) {
            ok = file.rewrite(c.head, c.audioFrom, c.audioTo, c.tail);
        } else {
            QList<FilePatch> old;
            for (qsizetype i = c.patches.size() - 1; i >= 0; --i)
                if (!c.patches[i].old.isEmpty()) old.append({c.patches[i].pos, c.patches[i].old});
            ok = file.writePatches(old, c.oldLength) && file.finish();
        }
        if (!ok) return LeftAlone(c.path, file.error().description);
        m_aliases.add(c.before, IdentityOfPath(c.path));
        return PutBack(c.path);
    }

    // A move or rename reversed, or a copy removed; then the file it replaced put back.
    FileOutcome placed(const RecordedChange& c) {
        const bool copy = c.kind == RecordedChange::Kind::Copied;
        const QString& now = c.now();
        const FileIdentity at = IdentityOfEntry(now);
        if (m_aliases.asLeft(at, c.identity) || (m_resumed && at.sameFile(c.identity))) {
            const FileError error = copy ? DeleteFile(now) : MoveUnrecorded(now, c.path);
            if (error.failed()) return keptLeft(c, FileOutcome::Failure(now, error));
            if (!copy) m_aliases.add(c.identity, IdentityOfEntry(c.path));
        } else if (!(m_resumed && isBack(c, at))) {
            return keptLeft(c, ChangedSince(now));
        }
        if (c.kept.isEmpty() || !Exists(c.kept)) return PutBack(c.path);
        if (const FileError error = MoveUnrecorded(c.kept, now); error.failed())
            return keptLeft(c, LeftAlone(now, error.description));
        return PutBack(c.path);
    }

    // An undo cut short got past this change already.
    bool isBack(const RecordedChange& c, const FileIdentity& at) const {
        if (c.kind == RecordedChange::Kind::Copied)
            return !at.valid() || (!c.kept.isEmpty() && !Exists(c.kept));
        const FileIdentity from = IdentityOfEntry(c.path);
        return !at.sameFile(c.identity) && from.size == c.identity.size &&
               from.modifiedNs == c.identity.modifiedNs;
    }

    FileOutcome keptLeft(const RecordedChange& c, FileOutcome outcome) {
        if (c.kept.isEmpty() || !Exists(c.kept)) return outcome;
        m_keptLeft = true;
        outcome.error.description +=
            QStringLiteral("; the file it replaced is kept in ") + Shown(c.kept);
        return outcome;
    }

    UndoOutcome& m_out;
    bool m_resumed;
    bool m_keptLeft = false;
    Aliases m_aliases;
};

// Claims, undoes and lets go of one record; false when another Zarn holds it.
bool UndoOne(const QString& folder, const QString& title, UndoOutcome& outcome, bool resumed) {
    history::Claim claim = history::ClaimForUndo(folder);
    if (claim.fd < 0) {
        outcome.stopped =
            QStringLiteral("%1 is being recorded or undone by another Zarn").arg(title);
        return false;
    }
    Undo undo(outcome, resumed);
    const bool keptBack = undo.run(history::Changes(claim.folder), claim.folder);
    history::ReleaseAfterUndo(claim, !keptBack);
    outcome.operations << title;
    return true;
}

UndoOutcome UndoOperations(const QList<KeptOperation>& operations) {
    UndoOutcome outcome;
    for (const KeptOperation& op : operations) {
        if (!UndoOne(op.folder, OperationTitle(op), outcome, false)) break;
        if (!op.complete)
            outcome.cutShort << QStringLiteral(
                                    "%1: its record was cut short (a crash or a full disk), so "
                                    "files it changed after its last recorded change keep "
                                    "their changes")
                                    .arg(OperationTitle(op));
    }
    // With no record left, nothing can refer to what undo did.
    FileError ignored;
    if (history::Operations().isEmpty()) safeio::Remove(Aliases::path(), ignored);
    return outcome;
}

}  // namespace

bool UndoOutcome::complete() const {
    if (!stopped.isEmpty() || !cutShort.isEmpty()) return false;
    for (const FileOutcome& file : files)
        if (file.failed()) return false;
    return true;
}

QString OperationTitle(const KeptOperation& operation) {
    return QStringLiteral("%1 (%2 %3%4)")
        .arg(operation.kind)
        .arg(operation.files)
        .arg(operation.files == 1 ? QStringLiteral("file") : QStringLiteral("files"),
             operation.complete ? QString() : QStringLiteral(", record cut short"));
}

UndoOutcome UndoNewest(int count) {
    const QList<KeptOperation> kept = history::Operations();
    UndoOutcome outcome = UndoOperations(kept.mid(0, count));
    if (outcome.stopped.isEmpty() && kept.size() < count)
        outcome.stopped = kept.isEmpty()
                              ? QStringLiteral("no operation is kept to undo")
                              : QStringLiteral("only %1 operations were kept").arg(kept.size());
    return outcome;
}

UndoOutcome UndoDownTo(const QString& folder) {
    const QList<KeptOperation> kept = history::Operations();
    qsizetype last = 0;
    while (last < kept.size() && kept[last].folder != folder) ++last;
    if (last == kept.size()) return {{}, {}, QStringLiteral("the operation is no longer kept"), {}};
    return UndoOperations(kept.mid(0, last + 1));
}

QStringList FinishInterruptedUndos() {
    QStringList lines;
    for (const QString& folder : history::InterruptedUndos()) {
        UndoOutcome outcome;
        if (!UndoOne(folder, {}, outcome, true)) continue;
        qsizetype back = 0;
        for (const FileOutcome& file : outcome.files) {
            if (!file.failed()) {
                ++back;
                continue;
            }
            lines << QStringLiteral("%1: an undo interrupted by a crash left it: %2")
                         .arg(Shown(file.path), file.error.description);
        }
        lines << QStringLiteral(
                     "an undo interrupted by a crash was finished (%1 of %2 files put back)")
                     .arg(back)
                     .arg(outcome.files.size());
    }
    return lines;
}
