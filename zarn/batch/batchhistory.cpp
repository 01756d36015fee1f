#include "zarn/batch/batchhistory.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "zarn/batch/batchreport.h"
#include "zarn/names/commandline.h"
#include "zarn/shell/journalrecovery.h"
#include "zarn/shell/journalundo.h"

namespace {

const QString kHistory = QStringLiteral("--history");
const QString kUndo = QStringLiteral("--undo");

const char kHistoryHelp[] =
    "Usage: zarn --history [--format=tsv|json]\n"
    "\n"
    "Lists the kept operations, newest first: number, time, what it was, how many files it\n"
    "changed and the bytes kept to take it back. zarn --undo N takes back the first N.\n"
    "  --format=tsv|json  output form (tsv when not given)\n";

const char kUndoHelp[] =
    "Usage: zarn --undo [N]\n"
    "\n"
    "Takes back the newest kept operation, or the newest N, newest first: tags as they were,\n"
    "renames and moves reversed, copies removed, replaced files back. A file that changed since\n"
    "the operation is left alone and gets a line on the error output. Exit status: 0 when every\n"
    "file was put back, 1 when some were left alone, 2 for a bad command line.\n";

int Bad(QTextStream& err, const QString& why, const QString& command) {
    err << "zarn: " << why << "\n(zarn " << command << " --help explains it)\n";
    return kExitBadCommandLine;
}

void List(bool json, QTextStream& out) {
    int number = 0;
    for (const KeptOperation& op : history::Operations()) {
        ++number;
        const QString time = op.started.toString(Qt::ISODate);
        if (json) {
            const QJsonObject line{{QStringLiteral("number"), number},
                                   {QStringLiteral("time"), time},
                                   {QStringLiteral("kind"), op.kind},
                                   {QStringLiteral("files"), op.files},
                                   {QStringLiteral("bytes"), double(op.bytes)},
                                   {QStringLiteral("running"), op.running},
                                   {QStringLiteral("complete"), op.complete}};
            out << QJsonDocument(line).toJson(QJsonDocument::Compact) << '\n';
        } else {
            out << number << '\t' << time << '\t' << TsvField(op.kind) << '\t' << op.files << '\t'
                << op.bytes << '\n';
        }
    }
}

int Undo(int count, QTextStream& out, QTextStream& err) {
    const UndoOutcome outcome = UndoNewest(count);
    for (const QString& title : outcome.operations) out << "undone: " << title << '\n';
    BatchReport report(out, err);
    report.problems(outcome.files);
    for (const QString& line : outcome.cutShort) err << "zarn: " << line << '\n';
    if (!outcome.stopped.isEmpty()) err << "zarn: " << outcome.stopped << '\n';
    return outcome.complete() ? kExitOk : kExitSomeFailed;
}

}  // namespace

bool IsHistoryArgument(const QString& first) {
    return first == kHistory || first == kUndo;
}

QString HistoryUsageLines() {
    return QStringLiteral(
        "       zarn --history [--format=tsv|json]\n"
        "       zarn --undo [N]\n");
}

QString BatchOperationKind(const BatchRequest& request) {
    switch (request.command) {
        case BatchCommand::Set:
            return QStringLiteral("--set");
        case BatchCommand::Fix:
            return QStringLiteral("--fix");
        case BatchCommand::Sort:
            return request.sort.dryRun ? QString() : QStringLiteral("--sort");
        default:
            return {};
    }
}

int RunHistoryCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (rest.contains(QStringLiteral("--help"))) {
        out << (command == kHistory ? kHistoryHelp : kUndoHelp);
        return kExitOk;
    }
    if (rest.size() > 1) return Bad(err, QStringLiteral("too many arguments"), command);
    bool json = false;
    int count = 1;
    if (command == kHistory && !rest.isEmpty()) {
        if (rest[0] != u"--format=tsv" && rest[0] != u"--format=json")
            return Bad(err, QStringLiteral("unknown option \"%1\"").arg(rest[0]), command);
        json = rest[0] == u"--format=json";
    } else if (!rest.isEmpty()) {
        bool number = false;
        count = rest[0].toInt(&number);
        if (!number || count < 1)
            return Bad(err, QStringLiteral("\"%1\" is not a number of operations").arg(rest[0]),
                       command);
    }
    // What a crash left half done (an undo too) is finished first.
    for (const QString& line : RecoverInterruptedSteps()) err << "zarn: " << line << '\n';
    if (command == kHistory) {
        List(json, out);
        return kExitOk;
    }
    return Undo(count, out, err);
}
