#pragma once

// Internal: the one QApplication, the dispatcher with its registry of
// windows, the posted-message queue and the stack of running message loops.

#include <QEventLoop>
#include <vector>

#include "ui/MessageTarget.h"
#include "ui/Win32.h"

namespace DuiLib {

namespace core {

// Whether the program should run through XWayland: on a Wayland session no
// client may keep itself on top or place itself, and Qt 6.4 has no window
// opacity there. True when both displays are set (non-empty) and the user has
// not chosen a platform (QT_QPA_PLATFORM, null when unset).
bool PreferXWayland(const char* chosen, const char* wayland, const char* display);
// Creates the application on first use (user-interface thread), on xcb when
// PreferXWayland says so.
void EnsureApplication();

// Any thread. Queues the message for the user-interface thread; false for a
// window that is not (or no longer) registered, or after Shutdown.
bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// From now on Post drops everything, so that a late post from a worker
// thread never reaches an application that is going away.
void Shutdown();

HWND Register(IMessageTarget* target);
void Unregister(HWND hWnd);
IMessageTarget* Lookup(HWND hWnd); // user-interface thread
// User-interface thread. Hands the message to the target registered for the
// handle; 0 (and passOn untouched) when there is none.
LRESULT Dispatch(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool* passOn = nullptr);
int WindowCount();
std::vector<HWND> Handles();

// Runs loop until it is exited or WM_QUIT arrives; returns at once while a
// WM_QUIT is being honoured.
void RunLoop(QEventLoop& loop);
// Starts a fresh top-level loop: forgets an earlier WM_QUIT.
void ResetQuit();

} // namespace core
} // namespace DuiLib
