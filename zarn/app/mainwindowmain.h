#pragma once
// Starts the main window and runs the program until it ends; returns the exit status.
int RunMainWindow(int argc, char* argv[]);
