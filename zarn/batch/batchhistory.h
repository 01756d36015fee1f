#pragma once
// The batch commands that look back: --history lists the kept operations (newest first, with a
// number), --undo takes back the newest one or the newest N. And which operation each batch
// command that changes files is recorded as.
#include <QString>
#include <QStringList>

#include "zarn/batch/batchrequest.h"

class QTextStream;

bool IsHistoryArgument(const QString& first);
// The exit status: 0 every file put back (or listed), 1 some left alone, 2 a bad command line.
int RunHistoryCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
// The lines of the general help that name the two commands.
QString HistoryUsageLines();
// "--set", "--fix", "--sort"; empty for a command that changes nothing.
QString BatchOperationKind(const BatchRequest& request);
