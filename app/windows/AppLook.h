#pragma once

// What the program's windows look like: their icon, style and row font.

#include "ui/Win32.h"

// The program's icon, resource 107.
constexpr UINT IDI_ORVEL = 107;
// Style of the program's own windows: frameless, dragged by the layout's title bar.
constexpr DWORD ORVEL_WNDSTYLE = 2059;
// The font face of the danmaku rows; fontconfig finds a Chinese face for it.
constexpr LPCTSTR ORVEL_FONT_FACE = u"宋体";
