#pragma once
// The help command: the manual "zarn.txt" in the program's folder, opened in the user's text
// editor through the desktop.
#include <QString>

QString HelpFilePath();
// A failure to open the file is ignored: the command has nothing else to offer.
void OpenHelp();
