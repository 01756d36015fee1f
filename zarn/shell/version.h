#pragma once
// `zarn --version`: the project's release and the version the window's caption shows.
#include <QString>

// The project's release, "1.0.0.1", as the package names it.
QString ReleaseVersion();
// "zarn 1.0.0.1 (Pelmora 1.1)"
QString VersionText();
// True for the one argument "--version".
bool IsVersionArgument(int argc, char* argv[]);
// Prints VersionText() and a line break on the output; the process exit status.
int PrintVersion();
