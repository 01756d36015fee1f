#pragma once
// The command-line mode without a window: the request from the process's arguments, the saved
// settings and replaces.txt. commandlinemain.cpp adds the question box for a missing extension.
#include <QByteArray>

#include "zarn/names/commandline.h"

class Prompter;

// The request in the process's arguments (on Windows, in its single command-line text).
CommandLineRequest CommandLineRequestOf(int argc, char* argv[]);
// True when only a person can go on: there are files, but the extension to give them is empty.
bool MustAskForExtension(const CommandLineRequest& request);
// The Qt platforms a question box may show on, best first, each followed by ";": those of
// QT_QPA_PLATFORM, else Wayland and X11 where their display variables are set; empty when none is.
QByteArray DisplayPlatforms();
// Renames as the request says with the saved options, input pattern and replaces.txt; a missing
// extension is asked of `prompter`, or of nobody when it is null. An application object must exist.
int RunCommandLineRequest(const CommandLineRequest& request, Prompter* prompter);
// The whole mode for the request of these arguments where nobody is asked, with an application
// object of its own.
int RunCommandLineWithoutWindow(const CommandLineRequest& request, int argc, char* argv[]);
