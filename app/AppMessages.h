#pragma once

#include "ui/Win32.h"

// The tray icon's callback message; lParam is the mouse message.
constexpr UINT WM_TRAY_NOTIFY = 11023;
// A tray menu command for the danmaku window, in wParam.
constexpr UINT WM_TRAY_COMMAND = 35769;

constexpr WPARAM TRAY_CMD_SHOW = 1;     // toggle mouse pass-through
constexpr WPARAM TRAY_CMD_SETTINGS = 2; // open the settings window
constexpr WPARAM TRAY_CMD_EXIT = 3;     // end the program
constexpr WPARAM TRAY_CMD_ROOM = 4;     // ask for another room

// The program's icon, resource 107.
constexpr UINT IDI_ORVEL = 107;
// Style of the program's own windows: frameless, dragged by the layout's title bar.
constexpr DWORD ORVEL_WNDSTYLE = 2059;
// The font face of the danmaku rows; fontconfig finds a Chinese face for it.
constexpr LPCTSTR ORVEL_FONT_FACE = u"宋体";
