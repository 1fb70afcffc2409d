#pragma once

// A key combination that works while any program has the keyboard focus:
// a passive key grab on the X display's root window.

#include <optional>

#include "ui/Win32.h"

namespace DuiLib {

enum class ShortcutResult {
    Registered,
    NotSupported, // not an X11 desktop (Wayland, offscreen)
    Unrecognised, // not a key combination this can grab
    Taken,        // another program grabbed it first
    Duplicate,    // another of this program's shortcuts has the same key
};

// A key combination as the X server knows it.
struct GlobalKey {
    unsigned modifiers = 0; // X modifier mask: Shift, Control, Mod1 (Alt), Mod4 (Super)
    unsigned keysym = 0;
    bool operator==(const GlobalKey& o) const { return modifiers == o.modifiers && keysym == o.keysym; }
};

// Reads Qt's portable key-sequence text ("Ctrl+Alt+P"): one combination of
// Ctrl, Alt or Meta (Shift may be added) with a letter, digit, function key
// or one of a few named keys. A key without Ctrl, Alt or Meta is refused:
// grabbing it would take it from every program's typing.
std::optional<GlobalKey> ParseGlobalKey(LPCTSTR text);

// Grabs the key combination, with CapsLock and NumLock on or off; every
// press (not its auto-repeat) posts msg with wParam and lParam 0 to hWnd.
// Several shortcuts are held at once, one for each msg and wParam: this
// replaces the earlier registration of the same pair only. A key that
// another pair holds is refused as Duplicate (the X server would give it
// to this program twice). User-interface thread.
ShortcutResult RegisterGlobalShortcut(LPCTSTR keys, HWND hWnd, UINT msg, WPARAM wParam);

} // namespace DuiLib
