#include "zarn/shell/listsize.h"

#include <QFileInfo>
#include <cfenv>
#include <cmath>

#include "zarn/shell/listentry.h"

double ListSizeMb(const QStringList& rowTexts) {
    double mb = 0;
    for (const QString& row : rowTexts) {
        const QFileInfo info(PathFromEntry(row));
        // A vanished file counts 0; a folder has no length of its own.
        if (info.isFile()) mb += double(info.size()) / 1024 / 1024;
    }
    // Halves go to the even neighbour, as the figure always has.
    std::fesetround(FE_TONEAREST);
    return std::nearbyint(mb * 100) / 100;
}

QString MbText(double mb, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(mb, 'f', QLocale::FloatingPointShortest);
}

QString CountLabelText(int count, double mb, const QLocale& locale) {
    return QStringLiteral("%1 files (%2 Mb)").arg(count).arg(MbText(mb, locale));
}
