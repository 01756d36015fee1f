#pragma once
#include <QString>

// The folder that holds replaces.txt, inpattern.txt, outpattern.txt and zarn.txt: $ZARN_HOME
// when set (tests), else the executable's folder when writable (a portable install), else the
// per-user application data folder. An installed program (one with its shared data folder
// beside, see InstalledDataFolder) always uses the per-user folder, seeded from the installed
// copies. Always ends in the separator.
QString ProgramFolder();
// `folder` + file name, with the separator in between.
QString ProgramFile(const QString& fileName);

// "<prefix>/share/zarn" of an installed program, found from the executable's folder
// "<prefix>/bin"; empty when the program runs from elsewhere (a build or a portable copy).
QString InstalledDataFolder();
// Copies the program's text files from `installed` into `folder` where they are missing; the
// manual is also replaced by a newer installed copy. The user's own files are never replaced.
void SeedProgramFolder(const QString& installed, const QString& folder);
