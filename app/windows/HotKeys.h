#pragma once

// The global shortcuts: pass-through (the way back when no tray icon can be
// clicked), showing or hiding the danmaku window and emptying its rows; and
// what the user is told about them.

#include "ui/DuiString.h"
#include "ui/GlobalShortcut.h"

struct RunState;

// Registers the run's shortcuts for the danmaku window (a press sends the
// window its command: TRAY_CMD_SHOW, KEY_CMD_SHOW_HIDE or KEY_CMD_CLEAR) and
// keeps each outcome in the run's state; one log line tells each failure.
void RegisterHotKeys(RunState& state, HWND danmu);

// For the settings window: the key of the command and what it does, or why
// it does not.
DuiLib::CDuiString HotKeyStatus(const RunState& state, WPARAM command);

// Told when pass-through has just been turned on: how to turn it off.
DuiLib::CDuiString PassThroughNotice(const RunState& state);
