#pragma once
// Starts the main window and runs the program until it ends; returns the exit status.
int RunMainWindow(int argc, char* argv[]);

// The first argument that opens the window with the files after it in the list, instead of
// renaming them from the command line.
inline constexpr char kAddOption[] = "--add";
