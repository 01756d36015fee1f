#include "zarn/extras/about.h"

#include <QStringList>

#include "zarn/shell/mainsettings.h"
#include "zarn/shell/prompter.h"
#include "zarn/shell/version.h"

QString AboutText() {
    const QStringList lines{
        QStringLiteral("Pelmora"),
        QStringLiteral("Version: ") + ProgramVersion(),
        QString(),
        // The window's version above is short; a bug report wants the release of the package.
        QStringLiteral("Tags, names and folders for large MP3 collections (release %1).")
            .arg(ReleaseVersion()),
        QString(),
        QStringLiteral("Copyright (C) 2026 The Zarn developers"),
        QStringLiteral("E-mail: zarn@example.org"),
        QStringLiteral("Web: https://zarn.example.org"),
        QStringLiteral("Manual: https://zarn.example.org/manual"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void ShowAbout(Prompter& prompter) {
    prompter.information(QStringLiteral("Pelmora"), AboutText());
}
