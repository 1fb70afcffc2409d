#pragma once

#include "app/MainFrame.h"
#include "app/RunState.h"
#include "app/Settings.h"

// The remembered settings and the program's shared state.

// Before any window shows: the opacity, the font size, the danmaku window's
// place and the last room (into the start window's field). Bad values in
// the file are told in one message box; the run goes on with defaults.
void ApplyRemembered(CMainFrame& frame, RunState& state, const SettingsDocument& read);

// What this run leaves to remember; what it never touched stays as read.
RememberedSettings CurrentRemembered(
    const CMainFrame& frame, const RunState& state, const RememberedSettings& read);
