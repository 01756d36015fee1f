#pragma once
// The about box: who made the program and which version it is.
#include <QString>

class Prompter;

// The box's lines, separated by CR LF.
QString AboutText();
// Shows the information box titled "Pelmora".
void ShowAbout(Prompter& prompter);
