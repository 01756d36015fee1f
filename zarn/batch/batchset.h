#pragma once
// --set: the fields written into every file by the several-files save of the tag form.
#include <QStringList>

#include "zarn/batch/batchrequest.h"
#include "zarn/editing/panelstate.h"

class BatchReport;
struct Options;

// The tag form as the command fills it: the named fields in the boxes of each written tag
// version, every other box empty (keep). Empty error when the fields can be written.
struct SetForm {
    PanelValues values;
    QString error;
};
SetForm SetFormOf(const BatchRequest& request);

void SetFiles(const QStringList& files, const PanelValues& values, const Options& options,
              BatchReport& report);
