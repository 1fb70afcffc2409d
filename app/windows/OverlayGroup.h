#pragma once

// The settings window's overlay group: the server on or off, its port, the
// page's address with 复制链接 and 重置链接, and the server's state. Each
// change takes effect at once.

#include "ui/PaintManager.h"

struct RunState;

// Every control of the group as the run now stands.
void ShowOverlayGroup(DuiLib::CPaintManagerUI& pm, const RunState& state);

// A click or a check box of the group; false for any other control.
bool OverlayGroupClicked(DuiLib::CPaintManagerUI& pm, RunState& state, const DuiLib::CDuiString& name);
bool OverlayGroupSelected(DuiLib::CPaintManagerUI& pm, RunState& state, DuiLib::CControlUI* sender);

// The port as its field reads it (on Enter, and when the window closes): a
// port from 1 to 65535 restarts the server there; anything else is put back.
void TakeOverlayPort(DuiLib::CPaintManagerUI& pm, RunState& state);
