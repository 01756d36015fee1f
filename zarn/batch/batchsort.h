#pragma once
// --sort: the sort engine of the window over the files in the order given; --dry-run runs the
// same engine on a plan of the disk, so it prints what the real sort does.
#include <QStringList>

#include "zarn/batch/batchrequest.h"

class BatchReport;
struct BatchSettings;

// One line per file: source, destination and "copied", "moved", "replaced" or "skipped" (a
// file already had the name), tab-separated.
void SortInto(const QStringList& files, const SortRequest& request, const BatchSettings& settings,
              BatchReport& report);
