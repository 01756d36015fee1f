#include "zarn/extras/about.h"

#include <QStringList>

#include "zarn/shell/mainsettings.h"
#include "zarn/shell/prompter.h"

QString AboutText() {
    const QStringList lines{
        QStringLiteral("Pelmora"),
        QStringLiteral("Version: ") + ProgramVersion(),
        QString(),
        QStringLiteral("Tags, names and folders for large MP3 collections."),
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
