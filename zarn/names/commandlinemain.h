#pragma once
// The command-line mode: renames the named files without showing the main window.
// Returns the process exit status.
int RunCommandLine(int argc, char* argv[]);
