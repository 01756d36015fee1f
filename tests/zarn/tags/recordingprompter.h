#pragma once
// The tag tests' name for the one scripted fake Prompter.
#include "tests/support/scriptedprompter.h"

using RecordingPrompter = ScriptedPrompter;
