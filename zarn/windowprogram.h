#pragma once
// The program with the windows, beside the command-line front `zarn` (Linux).
inline constexpr char kWindowProgram[] = "zarn-window";

// Replaces this process with the window program of the running executable's folder, with the
// same arguments. Returns only when that failed, after saying why on the error output: the exit
// status then.
int StartWindowProgram(char* argv[]);
