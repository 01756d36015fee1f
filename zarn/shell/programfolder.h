#pragma once
#include <QString>

// The folder that holds replaces.txt, inpattern.txt and outpattern.txt: $ZARN_HOME when set
// (tests), else the executable's folder when writable (a portable install), else the per-user
// application data folder. Always ends in the separator.
QString ProgramFolder();
// `folder` + file name, with the separator in between.
QString ProgramFile(const QString& fileName);
