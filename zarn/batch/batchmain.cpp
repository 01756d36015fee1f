#include "zarn/batch/batchmain.h"

#include <QCoreApplication>
#include <QTextStream>

#include "zarn/batch/batchfiles.h"
#include "zarn/batch/batchfix.h"
#include "zarn/batch/batchhistory.h"
#include "zarn/batch/batchlist.h"
#include "zarn/batch/batchpreview.h"
#include "zarn/batch/batchreport.h"
#include "zarn/batch/batchrequest.h"
#include "zarn/batch/batchset.h"
#include "zarn/batch/batchsettings.h"
#include "zarn/batch/batchsort.h"
#include "zarn/names/commandline.h"
#include "zarn/shell/consolestreams.h"
#include "zarn/shell/journalrecord.h"
#include "zarn/shell/journalrecovery.h"
#include "zarn/shell/progressline.h"
#include "zarn/shell/regularfile.h"

namespace {

// Why `path` cannot be read as a settings file; empty when it can (or none is named). A pipe
// or device would make the settings reader wait or read forever.
QString SettingsFileProblem(const QString& path) {
    if (path.isEmpty()) return {};
    switch (KindOfPath(path)) {
        case PathKind::Regular:
            return {};
        case PathKind::Missing:
            return QStringLiteral("does not exist");
        case PathKind::Folder:
            return QStringLiteral("is a folder");
        case PathKind::Other:
            return QStringLiteral("is not a regular file");
        case PathKind::Unresolved:
            return QStringLiteral("is a link that leads nowhere");
    }
    return {};
}

int Run(const BatchRequest& request, QTextStream& out, QTextStream& err,
        TerminalProgress* progress) {
    if (progress && request.quiet) progress->quiet();
    // What a crash of an earlier run left half done is finished or rolled back first.
    for (const QString& line : RecoverInterruptedSteps()) err << "zarn: " << line << '\n';
    if (const QString why = SettingsFileProblem(request.optionsFile); !why.isEmpty()) {
        err << "zarn: the settings file \"" << request.optionsFile << "\" " << why << '\n';
        return kExitBadCommandLine;
    }
    SetForm form;
    if (request.command == BatchCommand::Set) {
        form = SetFormOf(request);
        if (!form.error.isEmpty()) {
            err << "zarn: " << form.error << '\n';
            return kExitBadCommandLine;
        }
    }
    const BatchSettings settings = LoadBatchSettings(request.optionsFile);
    const QString extension =
        settings.options.Extension.isEmpty() ? QStringLiteral("mp3") : settings.options.Extension;
    const BatchFiles files = CollectFiles(request.paths, extension);
    BatchReport report(out, err, progress);
    for (const auto& [path, reason] : files.failures) report.fail(path, reason);
    RecordedOperation recorded(BatchOperationKind(request), UndoLimits(settings.options));
    switch (request.command) {
        case BatchCommand::List:
            ListFiles(files.files, request.format, settings.options, report);
            break;
        case BatchCommand::Set:
            if (request.dryRun)
                PreviewSet(files.files, form.values, settings.options, report);
            else
                SetFiles(files.files, form.values, settings.options, report);
            break;
        case BatchCommand::Fix:
            if (request.dryRun)
                PreviewFix(files.files, request.v1, request.v2, settings, report);
            else
                FixFiles(files.files, request.v1, request.v2, settings, report);
            break;
        case BatchCommand::Sort:
            SortInto(files.files, request.sort, settings, report);
            break;
        case BatchCommand::Help:
            break;
    }
    // The command did what it was asked; that an undo cannot take it all back is said aside.
    if (const QString record = recorded.close(); !record.isEmpty())
        err << "zarn: " << record << '\n';
    if (progress && progress->stoppedEarly()) {
        out.flush();
        err << "zarn: " << StoppedText(progress->begun(), progress->total()) << '\n';
        return kExitSomeFailed;
    }
    return report.status();
}

}  // namespace

bool IsBatchCommandLine(int argc, char* argv[]) {
    return argc > 1 && IsBatchArgument(QString::fromLocal8Bit(argv[1]));
}

int RunBatchCommandLine(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    ConsoleStreams console;
    // Qt's own reading of the arguments, which on Windows keeps names outside the code page.
    return RunBatch(app.arguments().mid(1), console.out(), console.err(), &console.progress());
}

int RunBatch(const QStringList& arguments, QTextStream& out, QTextStream& err,
             TerminalProgress* progress) {
    if (IsHistoryArgument(arguments.value(0))) return RunHistoryCommand(arguments, out, err);
    const ParsedBatch parsed = ParseBatchArguments(arguments);
    if (!parsed.request) {
        err << "zarn: " << parsed.error << "\n(zarn --help lists the commands)\n";
        return kExitBadCommandLine;
    }
    const BatchRequest& request = *parsed.request;
    if (request.command == BatchCommand::Help) {
        out << CommandLineUsage() << BatchUsage(BatchCommand::Help) << HistoryUsageLines();
        return kExitOk;
    }
    if (request.help) {
        out << BatchUsage(request.command);
        return kExitOk;
    }
    return Run(request, out, err, progress);
}
