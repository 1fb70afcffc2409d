#pragma once

// Internal: the tray icons that Shell_NotifyIconW shows.

#include <QSystemTrayIcon>
#include <vector>

#include "ui/Win32.h"

namespace DuiLib {

QSystemTrayIcon* TrayIconOf(HWND hWnd, UINT id);
std::vector<QSystemTrayIcon*> AllTrayIcons();

} // namespace DuiLib
