#pragma once

// Internal: the tray icons that Shell_NotifyIconW shows.

#include <QSystemTrayIcon>
#include <optional>
#include <vector>

#include "ui/Win32.h"

namespace DuiLib {

QSystemTrayIcon* TrayIconOf(HWND hWnd, UINT id);
std::vector<QSystemTrayIcon*> AllTrayIcons();

// The X11 tray reports a right click when the button goes down; the window
// is told on the release (WM_RBUTTONUP), so that a menu it opens under the
// pointer does not take that release for a click of its own.
void OnRightButtonReleased();

// Publishes the tray menu source's items on the icon when a StatusNotifierItem
// host will show them (see TrayMenu.h); nothing otherwise.
void AttachTrayMenu(QSystemTrayIcon* tray, HWND hWnd);

// What IsTrayAvailable answers instead of asking the desktop; none: ask it.
std::optional<bool>& TrayAvailableOverride();

} // namespace DuiLib
