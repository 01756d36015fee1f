#include "zarn/names/commandline.h"

#include <QDir>
#include <QSet>
#include <QTextStream>

#include "zarn/names/fixfilename.h"
#include "zarn/names/safename.h"
#include "zarn/shell/fileops.h"
#include "zarn/shell/progress.h"
#include "zarn/shell/prompter.h"
#include "zarn/shell/regularfile.h"
#include "zarn/shell/text.h"
#include "zarn/shell/undecodablename.h"

namespace {

const QString kRename = QStringLiteral("+rename=");
const QString kExtension = QStringLiteral("+ext=");

bool StartsWithNoCase(const QString& text, const QString& prefix) {
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

// The quoted value after a prefix: the value and the 1-based start of what follows it.
std::pair<QString, int> QuotedValue(const QString& text, int valueStart) {
    const int close = InStr(valueStart, text, QStringLiteral("\""));
    if (close == 0) return {QString(), valueStart};
    return {Mid(text, valueStart, close - valueStart), close + 2};
}

// 1-based start of the next path from the third character on, 0 when there is none.
int NextPathStart(const QString& rest) {
    const int colon = InStr(3, rest, QStringLiteral(":"));
    const int share = InStr(3, rest, QStringLiteral("\\\\"));
    if (colon == 0 && share == 0) return 0;
    if (colon > 0 && (share == 0 || colon - 1 < share)) return colon - 1;  // the drive letter
    return share;
}

// Why `file` cannot be renamed as a file, empty when it is a regular file. One look at the
// file system, since it is taken for every file of a run.
QString NotAFileReason(const QString& file) {
    switch (KindOfPath(file)) {
        case PathKind::Missing:
            return QStringLiteral("the file does not exist");
        case PathKind::Folder:
            return QStringLiteral("it is a folder");
        case PathKind::Other:
            return QStringLiteral("it is not a regular file");
        case PathKind::Regular:
        case PathKind::Unresolved:
            break;
    }
    return {};
}

}  // namespace

CommandLineRequest ParseCommandLineText(const QString& text) {
    CommandLineRequest request;
    const QString line = TrimBlanks(text);
    QString rest = line;
    if (StartsWithNoCase(line, kRename + u'"')) {
        request.mode = CommandLineMode::Rename;
        const auto [pattern, next] = QuotedValue(line, 10);
        request.value = pattern;
        rest = Mid(line, next);
    } else if (StartsWithNoCase(line, kExtension + u'"')) {
        request.mode = CommandLineMode::Extension;
        const auto [extension, next] = QuotedValue(line, 7);
        request.value = extension;
        rest = Mid(line, next);
    }
    rest.remove(u'"');
    if (TrimBlanks(rest).isEmpty()) return request;

    rest += QStringLiteral(" C:");  // end marker: the loop stops at the last real path
    while (true) {
        const int next = NextPathStart(rest);
        if (next == 0) break;
        const QString file = TrimBlanks(rest.left(next - 1));
        if (!file.isEmpty()) request.files << file;
        rest = Mid(rest, next);
    }
    return request;
}

CommandLineRequest ParseCommandLineArguments(const QStringList& arguments) {
    CommandLineRequest request;
    if (arguments.isEmpty()) return request;
    const QString& first = arguments.first();
    if (first == u"--help" || first == u"-h" || first == u"-?" || first == u"/?") {
        request.mode = CommandLineMode::Help;
        return request;
    }
    if (StartsWithNoCase(first, kRename)) {
        request.mode = CommandLineMode::Rename;
        request.value = first.mid(kRename.size());
    } else if (StartsWithNoCase(first, kExtension)) {
        request.mode = CommandLineMode::Extension;
        request.value = first.mid(kExtension.size());
    } else {
        return request;
    }
    request.value.remove(u'"');
    bool optionsEnded = false;
    for (const QString& argument : arguments.mid(1)) {
        if (!optionsEnded && argument == u"--dry-run")
            request.dryRun = true;
        else if (!optionsEnded && argument == u"--quiet")
            request.quiet = true;
        else if (!optionsEnded && argument == u"--")
            optionsEnded = true;
        else
            request.files << argument;
    }
    return request;
}

QString NewPathForRename(const QString& file, const QString& outPattern, const QString& inPattern,
                         const Options& options, const QString& currentFolder) {
    // Patterns that span folder levels need the folders of a relative path too.
    const QString absolute = QDir::isAbsolutePath(file) ? file : currentFolder + file;
    const QString name = FixFileName(absolute, outPattern, inPattern, options);
    return name.isEmpty() ? QString() : FolderOf(file) + name;
}

QString NewPathForExtension(const QString& file, const QString& extension) {
    const QString folder = FolderOf(file);
    const QString name = file.mid(folder.size());
    // Only a dot in the name counts: "/music/v1.0/track" must not become "/music/v1.ogg".
    const qsizetype dot = name.lastIndexOf(u'.');
    return folder + (dot < 0 ? name + u'.' : name.left(dot + 1)) + extension;
}

QString CommandLineUsage() {
    return QStringLiteral(
        "Usage: zarn \"+rename=PATTERN\" FILE...\n"
        "       zarn +ext=EXTENSION FILE...\n"
        "       zarn --help | --version\n"
        "       zarn --add FILE...   opens the window with the files in its list\n"
        "\n"
        "Renames the files without opening the window.\n"
        "  +rename=PATTERN  new names built from the tags (or the old names) by PATTERN,\n"
        "                   e.g. \"%track - %artist - %title.mp3\"; placeholders: %artist,\n"
        "                   %title, %album, %track, %year, %genre, %comment\n"
        "  +ext=EXTENSION   new extension (without \".\"); asked for when empty\n"
        "  --dry-run        print the new names (\"would rename: OLD -> NEW\"); rename nothing\n"
        "  --quiet          no progress line on the terminal\n"
        "  --               every argument after it is a file\n"
        "The clean-up options and the input pattern are those set in the window.\n"
        "A long run shows its progress on the terminal; Ctrl+C stops it after the file at hand.\n"
        "Exit status: 0 when every rename worked, 1 when some failed or Ctrl+C stopped the run,\n"
        "2 for a bad command line.\n");
}

int ProcessCommandLine(const CommandLineRequest& request, const QString& inPattern,
                       const Options& options, Prompter* prompter, QTextStream& out,
                       QTextStream& err, Progress* progress) {
    if (request.mode == CommandLineMode::Help) {
        out << CommandLineUsage();
        return kExitOk;
    }
    if (request.mode == CommandLineMode::None || request.files.isEmpty()) {
        err << CommandLineUsage();
        return kExitBadCommandLine;
    }
    QString extension = request.value;
    if (request.mode == CommandLineMode::Extension && extension.isEmpty() && prompter)
        extension = prompter->input(QStringLiteral("Zarn"),
                                    QStringLiteral("Enter new file extension (excluding \".\"): "));
    if (request.mode == CommandLineMode::Extension &&
        (extension.isEmpty() || SafeFileName(extension, QString()) != extension)) {
        err << "zarn: no usable extension given; nothing renamed\n";
        return kExitBadCommandLine;
    }

    int status = kExitOk;
    // The working folder is looked up once, not once per relative path.
    const QString currentFolder = QDir::currentPath() + u'/';
    // Renamed files are reported in one buffered stream; a failure flushes it first, so that
    // the lines keep their order on a terminal.
    QSet<QString> planned;  // the new names a dry run has given out
    const auto fail = [&](const QString& file, const QString& why) {
        out.flush();
        err << "zarn: cannot rename " << file << ": " << why << '\n';
        err.flush();
        status = kExitSomeFailed;
    };
    EachPathWithProgress(request.files, progress, [&](const QString& file) {
        if (IsUndecodableName(file)) return fail(file, UndecodableNameReason());
        // Only regular files: reading the tags of a pipe named like a file would wait forever.
        if (const QString notFile = NotAFileReason(file); !notFile.isEmpty())
            return fail(file, notFile);
        const QString target =
            request.mode == CommandLineMode::Rename
                ? NewPathForRename(file, request.value, inPattern, options, currentFolder)
                : NewPathForExtension(file, extension);
        if (target.isEmpty()) {
            fail(file, QStringLiteral("the file does not exist"));
        } else if (target == file ||
                   (target.mid(FolderOf(target).size()) == file.mid(FolderOf(file).size()) &&
                    SameEntry(file, target))) {
            // The file has its name already, however the two paths spell its folder.
            out << "unchanged: " << file << '\n';
        } else if (const QString name = target.mid(FolderOf(target).size());
                   SafeFileName(name, QString()) != name) {
            fail(file, QStringLiteral("\"%1\" is not a usable file name").arg(name));
        } else if (request.dryRun) {
            // A name that differs only in case is the file itself where case does not count.
            if (KindOfPath(target) != PathKind::Missing && !SameEntry(file, target))
                fail(file, QStringLiteral("\"%1\" already exists").arg(target));
            else if (planned.contains(target))
                fail(file, QStringLiteral("\"%1\" would be taken by another file").arg(target));
            else
                out << "would rename: " << file << " -> " << target << '\n';
            planned.insert(target);
        } else if (const FileError error = RenameWithoutOverwrite(file, target); error.failed()) {
            fail(file, error.description);
        } else {
            out << "renamed: " << file << " -> " << target << '\n';
        }
    });
    out.flush();
    return status;
}
