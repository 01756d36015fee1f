#pragma once
// --list: the fields of each file as the name engine reads them, as tab-separated lines or as
// one JSON object per line.
#include <QStringList>

#include "zarn/batch/batchrequest.h"

class BatchReport;
struct Options;

// One file's line (without the line break); when the file cannot be read, `read` is false and
// `line` holds the reason.
struct ListedFile {
    bool read = false;
    QString line;
};
ListedFile ListFile(const QString& path, ListFormat format, const Options& options);

void ListFiles(const QStringList& files, ListFormat format, const Options& options,
               BatchReport& report);
