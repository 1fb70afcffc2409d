#pragma once

// The global shortcut that toggles mouse pass-through, the way back when no
// tray icon can be clicked, and what the user is told about it.

#include "ui/DuiString.h"
#include "ui/GlobalShortcut.h"

struct RunState;

// Registers the run's shortcut for the danmaku window (a press sends the
// pass-through command) and keeps the outcome in the run's state; one log line
// tells a failure.
void RegisterPassThroughKey(RunState& state, HWND danmu);

// For the settings window: the key and what it does, or why it does not.
DuiLib::CDuiString PassThroughKeyStatus(const RunState& state);

// Told when pass-through has just been turned on: how to turn it off.
DuiLib::CDuiString PassThroughNotice(const RunState& state);
