#include "zarn/fromtext/renamefromscan.h"

#include <QDir>

#include "zarn/shell/fileops.h"
#include "zarn/shell/options.h"
#include "zarn/shell/progress.h"
#include "zarn/shell/prompter.h"
#include "zarn/tags/mp3file.h"

namespace {

const QString kPelmora = QStringLiteral("Pelmora");

// Tag: the file now at `path` is the row's file and gets its tags. Skip: nothing was renamed
// (no file, "Skip", "No"), so nothing is tagged: the name may belong to another file.
enum class Placed { Tag, Skip, Cancel, Fail };

void ReportRenameError(Prompter& prompter, const QString& oldPath, const FileError& error) {
    // A refused rename (permission, busy, read-only file system) is what users know as "in use".
    if (error.number == kErrPathFileAccess || error.number == kErrPermissionDenied)
        prompter.critical(kPelmora, QStringLiteral("Could not rename file! \nThe file \"%1\" "
                                                   "could be in use.")
                                        .arg(oldPath));
    else
        ReportFileError(&prompter, error);
}

// A name edited by hand could point into another folder ("../x.mp3"); the file stays in its own.
bool IsPlainName(const QString& name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(QDir::separator());
}

Placed PlaceFile(const QString& from, const QString& to, CollisionPolicy policy,
                 Prompter& prompter) {
    if (!Exists(from)) return Placed::Skip;
    // The same file under its own name, however spelled (a change of case is a rename).
    FileError error = RenameWithoutOverwrite(from, to);
    // A name another file holds (checked by the rename itself, so no file slips in between).
    if (error.number == kErrFileAlreadyExists) {
        // The file the question is about: one that takes its place meanwhile is not replaced.
        const FileIdentity replaced = IdentityOfEntry(to);
        switch (ResolveCollision(policy, prompter, to)) {
            case CollisionAction::Stop:
                return Placed::Cancel;
            case CollisionAction::Skip:
                return Placed::Skip;
            case CollisionAction::Replace:
                error = MoveReplacing(from, to, replaced);
                break;
        }
    }
    if (!error.failed()) return Placed::Tag;
    ReportRenameError(prompter, from, error);
    return Placed::Fail;
}

// Read and written through one open; with these modes there is always something to write, so
// anything but a write is a failure, reported with the file's name.
bool TagRenamedFile(const QString& path, const RenameSettings& settings, const Options& options,
                    Prompter& prompter) {
    if (!settings.saveID3v1 && !settings.saveID3v2) return true;
    Mp3File file(path);
    const auto failed = [&](const FileError& error) {
        ReportFileError(&prompter, InUseWhenBusy(error));
        return false;
    };
    if (!file.open(FileAccess::Save)) return failed(file.error());
    AlbumFileTags old;
    old.v1 = file.v1();
    if (settings.saveID3v2) {
        const auto v2 = file.v2();
        if (!v2) return failed(file.error());
        old.v2 = *v2;
    }
    const AlbumFileTags tags = AlbumTags(path, settings.outPattern, settings.boxes, old, options);
    // Keeping the ID3v1 tag of a file that has none would add one; "remove" leaves it without.
    const int mode1 = settings.saveID3v1 ? kWriteTag : old.v1.hasTag() ? kKeepTag : kRemoveTag;
    const int mode2 = settings.saveID3v2 ? kWriteTag : kKeepTag;
    const TagWrite write = WriteTags(file, tags.v1, tags.v2, mode1, mode2);
    return !write.failed() || failed(write.error);
}

}  // namespace

bool ConfirmRowCounts(int oldCount, int newCount, Prompter& prompter) {
    if (oldCount == newCount) return true;
    const QString text = newCount < oldCount
                             ? QStringLiteral("There are fewer new filnames then old.")
                             : QStringLiteral("There are more new filnames then old.");
    return prompter.question(kPelmora, text + QStringLiteral("\nDo you want to continue any way?"),
                             false) == Prompter::Answer::Yes;
}

QStringList OldEntriesOfSelection(const QStringList& rows, const QList<int>& selectedRows) {
    QStringList chosen;
    for (int row : selectedRows)
        if (row >= 0 && row < rows.size()) chosen << rows[row];
    return chosen.size() < 2 ? rows : chosen;
}

QList<RenameRow> PairRows(const QStringList& oldPaths, const QStringList& newNames) {
    QList<RenameRow> rows;
    for (qsizetype i = 0; i < std::min(oldPaths.size(), newNames.size()); ++i)
        rows.append({oldPaths[i], newNames[i]});
    return rows;
}

RenameRun RenameAndTag(const QList<RenameRow>& rows, const RenameSettings& settings,
                       const Options& options, Prompter& prompter, Progress& progress) {
    RenameRun run;
    const auto ended = [&run](RenameEnd end) {
        run.end = end;
        return run;
    };
    for (int i = 0; i < rows.size(); ++i) {
        const RenameRow& row = rows[i];
        const QString target = FolderOf(row.oldPath) + row.newName;
        progress.atFile({i + 1, int(rows.size()), row.oldPath, target});
        if (!IsPlainName(row.newName)) {
            ReportFileError(
                &prompter, {kErrBadFileName, QStringLiteral("Bad file name: %1").arg(row.newName)});
            return ended(RenameEnd::Failed);
        }
        switch (PlaceFile(row.oldPath, target, settings.policy, prompter)) {
            case Placed::Cancel:
                return ended(RenameEnd::Cancelled);
            case Placed::Fail:
                return ended(RenameEnd::Failed);
            case Placed::Skip:
                break;
            case Placed::Tag:
                run.renamed.append({row.oldPath, target});
                if (!TagRenamedFile(target, settings, options, prompter))
                    return ended(RenameEnd::Failed);
                // Last, so that a read-only attribute cannot refuse the tag write.
                if (settings.fixFilenames && options.bSetAttributes) {
                    const FileError error = SetFileAttributes(
                        target,
                        AttributeValue(options.bReadOnly, options.bHidden, options.bArchive));
                    if (error.failed()) {
                        ReportFileError(&prompter, error);
                        return ended(RenameEnd::Failed);
                    }
                }
                break;
        }
        progress.yield();
        if (progress.stopRequested()) return ended(RenameEnd::Stopped);
    }
    return run;
}
