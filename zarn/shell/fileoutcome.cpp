#include "zarn/shell/fileoutcome.h"

#include <QDir>

QString FailureSummary(const QList<FileOutcome>& outcomes, int shown) {
    QStringList lines;
    int failed = 0;
    for (const FileOutcome& outcome : outcomes) {
        if (!outcome.failed()) continue;
        if (++failed > shown) continue;
        QString reason = outcome.error.description;
        reason.replace(u'\n', u' ');
        lines << QDir::toNativeSeparators(outcome.path) + QStringLiteral(": ") + reason;
    }
    if (failed == 0) return {};
    if (failed > shown) lines << QStringLiteral("... and %1 more").arg(failed - shown);
    const QString head = failed == 1
                             ? QStringLiteral("1 file was left as it was:")
                             : QStringLiteral("%1 files were left as they were:").arg(failed);
    return head + QStringLiteral("\n\n") + lines.join(u'\n');
}
