#include "zarn/extras/help.h"

#include <QDesktopServices>
#include <QUrl>

#include "zarn/shell/programfolder.h"

QString HelpFilePath() {
    return ProgramFile(QStringLiteral("zarn.txt"));
}

void OpenHelp() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFilePath()));
}
