#include "tests/app/AppTestSupport.h"

#include "ui/testing/Simulate.h"

using namespace DuiLib;

std::vector<MessageBoxLog::Box> MessageBoxLog::boxes;

void MessageBoxLog::Install()
{
    boxes.clear();
    SetMessageBoxHook([](HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
        boxes.push_back({owner, text, caption, type});
        return IDOK;
    });
}

HWND FindWindowTitled(LPCTSTR title)
{
    HWND found = nullptr;
    for (HWND h : simulate::Windows())
        if (simulate::StateOf(h).title == title)
            found = h;
    return found;
}
