#include "zarn/sort/sortengine.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

#include "zarn/names/safename.h"
#include "zarn/shell/fileops.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/progress.h"
#include "zarn/shell/prompter.h"
#include "zarn/shell/text.h"
#include "zarn/sort/folderlevels.h"
#include "zarn/sort/sortfiles.h"
#include "zarn/sort/sortrows.h"
#include "zarn/tags/genres.h"

namespace {

const QString kZarn = QStringLiteral("Zarn");

// Whatever the rows hold, a new name stays one name in its folder.
QString SafeNewName(const QString& newName, const QString& current) {
    return SafeFileName(newName.isEmpty() ? current : newName, current);
}

bool EndsInFolder(const QString& folder, const QString& name) {
    QString path = QDir::fromNativeSeparators(folder);
    while (path.endsWith(u'/')) path.chop(1);
    return path.mid(path.lastIndexOf(u'/') + 1) == name;
}

}  // namespace

bool CheckTargetFolder(const QString& target, Prompter& prompter) {
    if (target.isEmpty()) {
        prompter.information(kZarn, QStringLiteral("You must choose a target directory first!"));
        return false;
    }
    if (IsFolder(target)) return true;
    const QString question =
        QStringLiteral("The target directory \"%1\" does not exist!\nWould you like to create it?")
            .arg(target);
    if (prompter.question(kZarn, question, false) != Prompter::Answer::Yes) return false;
    const FileError error = MakeFolder(target);
    if (error.failed()) ReportFileError(&prompter, error);
    return !error.failed();
}

int SortAttributeValue(const Options& options) {
    return AttributeValue(options.bReadOnly, options.bHidden, options.bArchive);
}

SortEngine::SortEngine(const SortSettings& settings, Prompter& prompter, Progress* progress,
                       SortFiles* files)
    : m_settings(settings),
      m_prompter(prompter),
      m_progress(progress),
      m_files(files ? *files : DiskSortFiles()) {}

// A row's file is there to be sorted; a row whose file is gone is passed over.
bool SortEngine::FileThere(const QString& path) {
    return m_files.isFile(path);
}

SortOutcome SortEngine::inPlace(const QString& source, const QString& target) {
    if (NameFromEntry(source) != NameFromEntry(target)) {
        const FileError error = m_files.renameWithoutOverwrite(source, target);
        return error.failed() ? fail(error) : SortOutcome::Done;
    }
    m_files.leftInPlace(source, target);
    return SortOutcome::Unchanged;
}

QString SortEngine::failureMessage() const {
    if (!m_failure.failed()) return {};
    return m_failureText.isEmpty() ? ErrorMessageText(m_failure) : m_failureText;
}

SortEnd SortEngine::SortAll(SortRows& rows) {
    m_failure = {};
    m_failureText.clear();
    m_total = rows.count();
    m_end = SortEnd::Complete;
    int row = 0;
    while (row < rows.count()) {
        const Step step = sortRowOfAll(rows, row);
        if (step == Step::End) return m_end;
        // A removed row lets the next one move into its place.
        if (step == Step::Kept) ++row;
        if (pause()) return SortEnd::Stopped;
    }
    return SortEnd::Complete;
}

SortEngine::Step SortEngine::sortRowOfAll(SortRows& rows, int row) {
    const QString source = rows.path(row);
    if (!FileThere(source)) return Step::Kept;
    const QString newName = SafeNewName(rows.newName(row), NameFromEntry(source));
    if (m_settings.method == kMethodRename) return renameOfAll(rows, row, source, newName);
    return placeOfAll(rows, row, source, newName);
}

SortEngine::Step SortEngine::renameOfAll(SortRows& rows, int row, const QString& source,
                                         const QString& newName) {
    if (!setAttributes(source)) return end(SortEnd::Failed);
    const QString target = FolderFromEntry(source) + newName;
    show(rows, source, target);
    switch (counted(renameFile(source, target, false), false)) {
        case SortOutcome::Cancelled:
            return end(SortEnd::Cancelled);
        case SortOutcome::Failed:
            return end(SortEnd::Failed);
        case SortOutcome::Done:
        case SortOutcome::Unchanged:
        case SortOutcome::Skipped:
            break;
    }
    rows.remove(row);
    return Step::Removed;
}

SortEngine::Step SortEngine::placeOfAll(SortRows& rows, int row, const QString& source,
                                        const QString& newName) {
    const QString levels = levelFolder(source, ArtistOfNewName(newName, m_settings));
    if (levels.isEmpty()) return end(SortEnd::Failed);
    if (!m_settings.subFolder) return placeOne(rows, row, source, SubFolder(levels, newName));
    return placeByArtist(rows, row, source, newName, levels);
}

SortEngine::Step SortEngine::placeByArtist(SortRows& rows, int row, const QString& source,
                                           const QString& newName, const QString& levels) {
    const QString artist = ArtistOfRow(source, newName, m_settings);
    const QString artistFolder = SubFolder(levels, SafeFolderName(artist));
    if (m_settings.threshold == 0) {
        if (!makeFolder(artistFolder)) return end(SortEnd::Failed);
        return placeOne(rows, row, source, SubFolder(artistFolder, newName));
    }
    if (m_files.isFolder(artistFolder))
        return placeOne(rows, row, source, SubFolder(artistFolder, newName));
    const int run = runLength(rows, row, artist, m_settings.threshold);
    if (m_settings.threshold > run) return placeOne(rows, row, source, SubFolder(levels, newName));
    if (row == rows.count() - 1) {
        // A lone last row is named by its new name alone, and stays in the destination
        // when that names no artist.
        const QString named = TrimBlanks(ArtistOfNewName(newName, m_settings));
        if (named.isEmpty()) return placeOne(rows, row, source, SubFolder(levels, newName));
        return placeRun(rows, row, levels, named);
    }
    return placeRun(rows, row, levels, artist);
}

SortEngine::Step SortEngine::placeRun(SortRows& rows, int row, const QString& levels,
                                      const QString& artist) {
    const QString name = SafeFolderName(artist);
    const QString folder = EndsInFolder(levels, name) ? levels : SubFolder(levels, name);
    if (!makeFolder(folder)) return end(SortEnd::Failed);
    for (bool first = true; row < rows.count(); first = false) {
        const QString source = rows.path(row);
        if (!FileThere(source)) break;
        const QString newName = SafeNewName(rows.newName(row), NameFromEntry(source));
        // Each file of the run is confirmed by the rule that formed the run.
        if (!first && !SameArtist(ArtistOfRow(source, newName, m_settings), artist)) break;
        if (!first && pause()) return end(SortEnd::Stopped);
        if (placeOne(rows, row, source, SubFolder(folder, newName)) == Step::End) return Step::End;
    }
    return Step::Removed;
}

SortEngine::Step SortEngine::placeOne(SortRows& rows, int row, const QString& source,
                                      const QString& target) {
    show(rows, source, target);
    if (counted(CopyOrMoveFile(source, target), true) == SortOutcome::Failed)
        return end(SortEnd::Failed);
    // Skipped and declined files leave the list too: the user has decided about them.
    rows.remove(row);
    return Step::Removed;
}

QString SortEngine::levelFolder(const QString& source, const QString& letterText) {
    QString folder = m_settings.targetDir;
    if (m_settings.genre) {
        folder = SubFolder(folder, SafeFolderName(GenreOfFile(source)));
        if (!makeFolder(folder)) return {};
    }
    if (m_settings.alphabetical) {
        const QString letter = LetterFolder(letterText);
        if (!letter.isEmpty()) {
            folder = SubFolder(folder, SafeFolderName(letter));
            if (!makeFolder(folder)) return {};
        }
    }
    return folder;
}

bool SortEngine::makeFolder(const QString& folder) {
    const FileError error = m_files.makeFolder(folder);
    if (error.failed()) fail(error);
    return !error.failed();
}

int SortEngine::runLength(const SortRows& rows, int row, const QString& artist, int limit) const {
    int run = 1;
    for (int next = row + 1; next < rows.count() && run < limit; ++next, ++run) {
        const QString path = rows.path(next);
        const QString newName = SafeNewName(rows.newName(next), NameFromEntry(path));
        if (!SameArtist(ArtistOfRow(path, newName, m_settings), artist)) break;
    }
    return run;
}

RowOutcome SortEngine::SortRow(SortRows& rows, int row, const QString& newNameIn) {
    m_failure = {};
    const QString source = rows.path(row);
    if (!FileThere(source)) return RowOutcome::Kept;
    const QString newName = SafeNewName(newNameIn, NameFromEntry(source));
    QString folder = levelFolder(source, newName);
    if (folder.isEmpty()) return RowOutcome::Ended;
    if (m_settings.subFolder) {
        // The artist as "Sort All Now!" finds it: the text before the first " - " is the
        // track number under the usual pattern "%track - %artist - %title.mp3".
        const QString artist = TrimBlanks(ArtistOfRow(source, newName, m_settings));
        if (!artist.isEmpty()) {
            const QString sub = SubFolder(folder, SafeFolderName(artist));
            if (m_settings.threshold == 0) {
                if (!makeFolder(sub)) return RowOutcome::Ended;
                folder = sub;
            } else if (m_files.isFolder(sub)) {
                folder = sub;
            }
        }
    }
    if (counted(CopyOrMoveFile(source, SubFolder(folder, newName)), true) == SortOutcome::Failed)
        return RowOutcome::Ended;
    rows.remove(row);
    return RowOutcome::Removed;
}

RowOutcome SortEngine::RenameRow(SortRows& rows, int row, const QString& newNameIn) {
    m_failure = {};
    const QString source = rows.path(row);
    if (!FileThere(source)) return RowOutcome::Kept;
    if (m_settings.fixNames && !setAttributes(source)) return RowOutcome::Ended;
    const QString target = FolderFromEntry(source) + SafeNewName(newNameIn, NameFromEntry(source));
    const SortOutcome outcome = counted(renameFile(source, target, true), false);
    if (outcome == SortOutcome::Done || outcome == SortOutcome::Unchanged) {
        rows.remove(row);
        return RowOutcome::Removed;
    }
    return outcome == SortOutcome::Skipped ? RowOutcome::Kept : RowOutcome::Ended;
}

SortOutcome SortEngine::CopyOrMoveFile(const QString& source, const QString& target) {
    if (source.isEmpty() || target.isEmpty() || !FileThere(source)) return SortOutcome::Done;
    if (!setAttributes(source)) return SortOutcome::Failed;
    const bool move = m_settings.method == kMethodMove;
    // Decided by the file system, not by the spelling: "./x", "x", an absolute path and one
    // through a linked folder are the file itself, which a replace would delete.
    if (m_files.isSameEntry(source, target)) {
        if (!move) {
            m_files.leftInPlace(source, target);
            return SortOutcome::Unchanged;
        }
        return inPlace(source, target);
    }
    if (!m_files.exists(target)) {
        const FileError error = move ? m_files.moveWithoutOverwrite(source, target)
                                     : m_files.copyWithoutOverwrite(source, target);
        if (!error.failed()) return SortOutcome::Done;
        // A file that took the name meanwhile is a collision like any other.
        if (error.number != kErrFileAlreadyExists) return fail(error);
    }
    return collide(source, target, move);
}

SortOutcome SortEngine::FileExistActions(const QString& oldFile, const QString& newFile) {
    return collide(oldFile, newFile, true);
}

SortOutcome SortEngine::collide(const QString& source, const QString& target, bool move) {
    // The file the question is about: one that takes its place meanwhile is not replaced.
    const FileIdentity replaced = m_files.identityOf(target);
    switch (ResolveCollision(m_settings.policy, m_prompter, target)) {
        case CollisionAction::Stop:
            return SortOutcome::Cancelled;
        case CollisionAction::Skip:
            return SortOutcome::Skipped;
        case CollisionAction::Replace:
            break;
    }
    const FileError error = move ? m_files.moveReplacing(source, target, replaced)
                                 : m_files.copyReplacing(source, target, replaced);
    return error.failed() ? fail(error) : SortOutcome::Done;
}

SortOutcome SortEngine::renameFile(const QString& from, const QString& to, bool inUseMessage) {
    if (m_files.isSameEntry(from, to)) return inPlace(from, to);
    if (!m_files.exists(to)) {
        const FileError error = m_files.renameWithoutOverwrite(from, to);
        if (!error.failed()) return SortOutcome::Done;
        if (inUseMessage && (error.systemError == EBUSY || error.systemError == ETXTBSY)) {
            fail(error);
            m_failureText =
                QStringLiteral("Could not sort file! \nThe file \"%1\" is in use.").arg(from);
            return SortOutcome::Failed;
        }
        if (error.number != kErrFileAlreadyExists) return fail(error);
    }
    return FileExistActions(from, to);
}

bool SortEngine::setAttributes(const QString& path) {
    if (!m_settings.options.bSetAttributes) return true;
    const FileError error = m_files.setAttributes(path, SortAttributeValue(m_settings.options));
    if (error.failed()) fail(error);
    return !error.failed();
}

SortOutcome SortEngine::counted(SortOutcome outcome, bool cancelSkips) {
    switch (outcome) {
        case SortOutcome::Done:
            ++m_counts.done;
            break;
        case SortOutcome::Unchanged:
            ++m_counts.unchanged;
            break;
        case SortOutcome::Skipped:
            ++m_counts.skipped;
            break;
        case SortOutcome::Failed:
            ++m_counts.failed;
            break;
        case SortOutcome::Cancelled:
            if (cancelSkips) ++m_counts.skipped;
            break;
    }
    return outcome;
}

SortOutcome SortEngine::fail(const FileError& error) {
    m_failure = error;
    m_failureText.clear();
    return SortOutcome::Failed;
}

SortEngine::Step SortEngine::end(SortEnd how) {
    m_end = how;
    return Step::End;
}

void SortEngine::show(const SortRows& rows, const QString& source, const QString& target) {
    if (!m_progress) return;
    // The file number counts the rows this run has removed, so a missing file does not
    // advance it and a skipped one does.
    m_progress->atFile(ProgressStep{m_total - rows.count() + 1, m_total, source, target});
}

bool SortEngine::pause() {
    if (!m_progress) return false;
    m_progress->yield();
    return m_progress->stopRequested();
}
