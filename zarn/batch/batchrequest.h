#pragma once
// The batch commands of the command line (--list, --set, --sort, ...): what the arguments ask
// for, as plain values. Reading the arguments never touches a file.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

enum class BatchCommand { Help, List, Set, Fix, Sort };

enum class ListFormat { Tsv, Json };

// The options of --sort; the rest of the sort comes from the saved settings.
struct SortRequest {
    QString target;
    bool move = false;  // else copy
    bool genre = false;
    bool letter = false;
    std::optional<int> artistFolders;  // the artist threshold; none: no artist folders
    bool fixNames = false;
    bool replace = false;  // else an existing file is skipped
    bool dryRun = false;
};

struct BatchRequest {
    BatchCommand command = BatchCommand::Help;
    bool help = false;    // --help after a command: that command's help
    QString optionsFile;  // --options=FILE; empty: the user's settings
    bool quiet = false;   // --quiet: no progress line
    bool dryRun = false;  // --set, --fix: print what would change, change nothing
    ListFormat format = ListFormat::Tsv;
    QList<QPair<QString, QString>> assignments;  // --set: field (lower case), value
    bool v1 = false, v2 = false;                 // --v1, --v2 as given
    SortRequest sort;
    QStringList paths;
};

// True when `first` names a batch command (or the general help).
bool IsBatchArgument(const QString& first);

// The request, or the reason the arguments make no sense (exit status 2).
struct ParsedBatch {
    std::optional<BatchRequest> request;
    QString error;
};
ParsedBatch ParseBatchArguments(const QStringList& arguments);

// The fields --set knows, in the order the help lists them; the last five exist only in ID3v2.
const QStringList& SetFieldNames();
bool IsID3v2OnlyField(const QString& field);

QString BatchUsage(BatchCommand command);
