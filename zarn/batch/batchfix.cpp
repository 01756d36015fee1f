#include "zarn/batch/batchfix.h"

#include "zarn/batch/batchreport.h"
#include "zarn/batch/batchsettings.h"
#include "zarn/editing/fixid3run.h"

void FixFiles(const QStringList& files, bool v1, bool v2, const BatchSettings& settings,
              BatchReport& report) {
    report.problems(
        FixSeveralFiles(files, {v1, v2}, settings.inPattern, settings.options, report.progress()).problems);
}
