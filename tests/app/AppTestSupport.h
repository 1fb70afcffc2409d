#pragma once

#include <string>
#include <vector>

#include "tests/common/TestSkin.h"
#include "ui/UIlib.h"

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
