#include "zarn/sort/sortcounts.h"

#include <QStringList>

#include "zarn/shell/programvalues.h"

namespace {

QString Files(int count) {
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

}  // namespace

QString SortCountsText(const SortCounts& counts, int method) {
    const QString verb = method == kMethodCopy   ? QStringLiteral("copied")
                         : method == kMethodMove ? QStringLiteral("moved")
                                                 : QStringLiteral("renamed");
    QStringList parts{Files(counts.done) + u' ' + verb};
    if (counts.unchanged > 0) parts << QStringLiteral("%1 already in place").arg(counts.unchanged);
    if (counts.skipped > 0) parts << QStringLiteral("%1 skipped").arg(counts.skipped);
    if (counts.failed > 0) parts << QStringLiteral("%1 failed").arg(counts.failed);
    return QStringLiteral("Done: ") + parts.join(QStringLiteral(", ")) + u'.';
}
