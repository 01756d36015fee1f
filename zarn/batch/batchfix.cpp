#include "zarn/batch/batchfix.h"

#include "zarn/batch/batchprompter.h"
#include "zarn/batch/batchreport.h"
#include "zarn/batch/batchsettings.h"
#include "zarn/editing/fixid3run.h"

namespace {

// The run names the file above its message; the failure line names it already.
QString WithoutPath(QString message, const QString& path) {
    const QString head = path + QStringLiteral("\n\n");
    if (message.startsWith(head)) message.remove(0, head.size());
    return message;
}

}  // namespace

void FixFiles(const QStringList& files, bool v1, bool v2, const BatchSettings& settings,
              BatchReport& report) {
    BatchPrompter prompter;
    for (const QString& path : files) {
        // One file per run, so that each file's own outcome is known.
        const FixRun run = FixSeveralFiles({path}, {v1, v2}, settings.inPattern, settings.options,
                                           &prompter, nullptr);
        const QString message = WithoutPath(prompter.takeMessage(), path);
        if (!run.gone.isEmpty())
            report.fail(path, QStringLiteral("the file is gone"));
        else if (run.failed > 0)
            report.fail(path, message.isEmpty() ? QStringLiteral("could not be fixed") : message);
    }
}
