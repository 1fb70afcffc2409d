#pragma once

#include "ui/Win32.h"

// The program: the start window, then the message loop. Returns 0.
int wWinMain(HINSTANCE instance);
