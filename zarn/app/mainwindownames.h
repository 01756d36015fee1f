#pragma once
// Connects the name engine to the main window: the pattern boxes' behaviour and the options
// window behind "Options..." and Settings > Options.
class frmZarn;

void WireNameEngine(frmZarn& window);
