#pragma once

#include <string>
#include <vector>

#include "ui/UIlib.h"

// Points the library at the program's skin.zip in the build folder, on a
// desktop with a tray host (tests without one say so afterwards).
void UseProgramSkin();

// Message boxes shown since the last Reset, instead of real modal boxes.
struct MessageBoxLog {
    struct Box {
        HWND owner;
        std::u16string text;
        std::u16string caption;
        UINT type;
    };
    static std::vector<Box> boxes;
    static void Install();
};

// The newest window with that title, or null.
HWND FindWindowTitled(LPCTSTR title);
