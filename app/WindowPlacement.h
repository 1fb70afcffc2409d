#pragma once

#include "app/Settings.h"
#include "ui/Win32.h"

// Height of the strip at a window's top (its title bar) that must lie on a
// screen for the user to be able to drag the window.
constexpr int kGrabStripHeight = 24;

// The window centred in `area`, shrunk to fit it where it is larger.
WindowRect CentredIn(const WindowRect& window, const RECT& area);

// A window of `owner` beside it, on the side with room in `area` (the right
// first), top edges level, so that the owner stays in view; centred over
// the owner when neither side has room. Kept inside `area` where it fits.
WindowRect BesideOwner(const WindowRect& window, const WindowRect& owner, const RECT& area);

// A remembered place as it is, or, when its title strip lies on no current
// screen, centred on the primary screen's free area.
WindowRect PlaceOnScreen(const WindowRect& saved);
