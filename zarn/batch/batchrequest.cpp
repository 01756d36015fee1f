#include "zarn/batch/batchrequest.h"

#include "zarn/batch/batchhistory.h"
#include "zarn/tags/panelfields.h"

namespace {

struct CommandName {
    const char16_t* name;
    BatchCommand command;
};
constexpr CommandName kCommands[] = {
    {u"--list", BatchCommand::List},
    {u"--set", BatchCommand::Set},
    {u"--fix", BatchCommand::Fix},
    {u"--sort", BatchCommand::Sort},
};

bool IsHelp(const QString& argument) {
    return argument == u"--help" || argument == u"-h";
}

std::optional<BatchCommand> CommandOf(const QString& argument) {
    for (const CommandName& c : kCommands)
        if (argument == QStringView(c.name)) return c.command;
    return std::nullopt;
}

// "--name=value": the value when `argument` has that name, else nothing.
std::optional<QString> ValueOf(const QString& argument, const char16_t* name) {
    const QString prefix = QString::fromUtf16(name) + u'=';
    if (!argument.startsWith(prefix)) return std::nullopt;
    return argument.mid(prefix.size());
}

ParsedBatch Bad(const QString& error) {
    return {std::nullopt, error};
}

// The options every command takes; false when `argument` is none of them.
bool TakeCommonOption(const QString& argument, BatchRequest& request) {
    if (IsHelp(argument)) {
        request.help = true;
        return true;
    }
    if (argument == u"--quiet") return request.quiet = true;
    if (const auto file = ValueOf(argument, u"--options")) {
        request.optionsFile = *file;
        return true;
    }
    return false;
}

// An option of one command; an empty error and false when `argument` is not an option of it.
bool TakeCommandOption(const QString& a, BatchRequest& r, QString& error) {
    SortRequest& s = r.sort;
    switch (r.command) {
        case BatchCommand::List:
            if (const auto format = ValueOf(a, u"--format")) {
                if (*format == u"tsv")
                    r.format = ListFormat::Tsv;
                else if (*format == u"json")
                    r.format = ListFormat::Json;
                else
                    error = QStringLiteral("unknown format \"%1\" (tsv or json)").arg(*format);
                return true;
            }
            return false;
        case BatchCommand::Set:
        case BatchCommand::Fix:
            if (a == u"--v1") return r.v1 = true;
            if (a == u"--v2") return r.v2 = true;
            if (a == u"--dry-run") return r.dryRun = true;
            return false;
        case BatchCommand::Sort:
            if (a == u"--copy" || a == u"--move") {
                s.move = a == u"--move";
                return true;
            }
            if (a == u"--genre") return s.genre = true;
            if (a == u"--letter") return s.letter = true;
            if (a == u"--fix-names") return s.fixNames = true;
            if (a == u"--dry-run") return s.dryRun = true;
            if (const auto n = ValueOf(a, u"--artist-folders")) {
                bool ok = false;
                const int threshold = n->toInt(&ok);
                if (!ok || threshold < 0 || !n->front().isDigit())
                    error =
                        QStringLiteral("--artist-folders needs a whole number, not \"%1\"").arg(*n);
                s.artistFolders = threshold;
                return true;
            }
            if (const auto policy = ValueOf(a, u"--if-exists")) {
                if (*policy == u"skip" || *policy == u"replace")
                    s.replace = *policy == u"replace";
                else
                    error =
                        QStringLiteral("unknown --if-exists \"%1\" (skip or replace)").arg(*policy);
                return true;
            }
            return false;
        case BatchCommand::Help:
            return false;
    }
    return false;
}

// --set FIELD=VALUE: the field when `argument` assigns one of the known fields.
std::optional<QPair<QString, QString>> AssignmentOf(const QString& argument) {
    const qsizetype eq = argument.indexOf(u'=');
    if (eq <= 0) return std::nullopt;
    const QString field = argument.left(eq).toLower();
    if (!SetFieldNames().contains(field)) return std::nullopt;
    return QPair<QString, QString>{field, argument.mid(eq + 1)};
}

QString CheckComplete(BatchRequest& r) {
    if (r.help) return {};
    switch (r.command) {
        case BatchCommand::Set:
            if (r.assignments.isEmpty()) return QStringLiteral("no FIELD=VALUE given");
            if (r.v1 && !r.v2)
                for (const auto& [field, value] : r.assignments)
                    if (IsID3v2OnlyField(field))
                        return QStringLiteral("%1 exists only in ID3v2 tags").arg(field);
            break;
        case BatchCommand::Sort:
            if (r.paths.isEmpty()) return QStringLiteral("no target folder given");
            r.sort.target = r.paths.takeFirst();
            if (r.sort.target.isEmpty()) return QStringLiteral("the target folder is empty");
            if (r.sort.genre && r.sort.letter)
                return QStringLiteral("--genre and --letter exclude each other");
            break;
        default:
            break;
    }
    if (r.paths.isEmpty()) return QStringLiteral("no file or folder given");
    return {};
}

}  // namespace

bool IsBatchArgument(const QString& first) {
    return IsHelp(first) || CommandOf(first).has_value() || IsHistoryArgument(first);
}

ParsedBatch ParseBatchArguments(const QStringList& arguments) {
    BatchRequest r;
    if (arguments.isEmpty() || IsHelp(arguments.first())) return {r, {}};
    const auto command = CommandOf(arguments.first());
    if (!command) return Bad(QStringLiteral("unknown command \"%1\"").arg(arguments.first()));
    r.command = *command;
    bool optionsEnded = false;
    for (const QString& a : arguments.mid(1)) {
        if (!optionsEnded && a == u"--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && a.startsWith(u"--")) {
            QString error;
            if (TakeCommonOption(a, r) || TakeCommandOption(a, r, error)) {
                if (!error.isEmpty()) return Bad(error);
                continue;
            }
            return Bad(QStringLiteral("unknown option \"%1\"").arg(a));
        }
        // Assignments come first; the first argument that is none starts the paths.
        if (r.command == BatchCommand::Set && r.paths.isEmpty())
            if (const auto assignment = AssignmentOf(a)) {
                r.assignments << *assignment;
                continue;
            }
        r.paths << a;
    }
    const QString error = CheckComplete(r);
    if (!error.isEmpty()) return Bad(error);
    return {r, {}};
}

const QStringList& SetFieldNames() {
    static const QStringList names = [] {
        QStringList keys;
        for (const PanelField& f : PanelFields()) keys << QLatin1String(f.key);
        return keys;
    }();
    return names;
}

bool IsID3v2OnlyField(const QString& field) {
    const PanelField* f = PanelFieldOfKey(field);
    return f && !f->v1.exists();
}
