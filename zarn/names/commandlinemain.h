#pragma once
// The command-line mode: renames the named files without showing the main window, asking for a
// missing extension in a question box where a display can show one.
// Returns the process exit status.
int RunCommandLine(int argc, char* argv[]);
