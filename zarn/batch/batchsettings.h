#pragma once
// What a batch command reads from the settings: the options, the replace list and the two
// patterns of the main window.
#include <QString>

#include "zarn/shell/options.h"

struct BatchSettings {
    Options options;
    QString inPattern;
    QString outPattern;
};

// From the user's settings, or from the INI file `iniFile` when it is not empty; the replace
// list from replaces.txt in the program's folder, as at every start.
BatchSettings LoadBatchSettings(const QString& iniFile);
