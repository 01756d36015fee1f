#include "zarn/shell/progressline.h"

namespace {

QString TimeLeftText(qint64 seconds) {
    if (seconds < 60) return QStringLiteral("%1 s left").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1 min %2 s left").arg(seconds / 60).arg(seconds % 60);
    return QStringLiteral("%1 h %2 min left").arg(seconds / 3600).arg(seconds % 3600 / 60);
}

}  // namespace

QString GroupedNumber(qint64 number) {
    QString digits = QString::number(number < 0 ? -number : number);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, u',');
    return number < 0 ? u'-' + digits : digits;
}

QString ProgressLineText(int done, int total, qint64 elapsedMs) {
    QString line = QStringLiteral("%1 of %2 files").arg(GroupedNumber(done), GroupedNumber(total));
    if (done <= 0 || done >= total) return line;
    // Rounded up: "0 s left" while files remain would read as finished.
    const qint64 leftMs = elapsedMs * (total - done) / done;
    return line + QStringLiteral(", ") + TimeLeftText((leftMs + 999) / 1000);
}

QString StoppedText(int done, int total) {
    return QStringLiteral("stopped after %1 of %2 files; the others were not touched")
        .arg(GroupedNumber(done), GroupedNumber(total));
}
