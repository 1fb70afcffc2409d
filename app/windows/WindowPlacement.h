#pragma once

#include "app/config/Settings.h"
#include "ui/Win32.h"

// The part of a window's title bar, from its top edge, that must lie on one
// screen for the user to be able to grab the window and drag it.
constexpr int kGripWidth = 50;
constexpr int kGripHeight = 20;

// The window centred in `area`, shrunk to fit it where it is larger.
WindowRect CentredIn(const WindowRect& window, const RECT& area);

// A window of `owner` beside it, on the side with room in `area` (the right
// first), top edges level, so that the owner stays in view; centred over
// the owner when neither side has room. Kept inside `area` where it fits.
WindowRect BesideOwner(const WindowRect& window, const WindowRect& owner, const RECT& area);

// A remembered place as it is, or, when no screen holds a grip of its title
// bar (kGripWidth by kGripHeight), centred on the primary screen's free area.
WindowRect PlaceOnScreen(const WindowRect& saved);
