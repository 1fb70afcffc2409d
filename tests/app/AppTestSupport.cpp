#include "tests/app/AppTestSupport.h"

#include "ui/Simulate.h"

using namespace DuiLib;

void UseProgramSkin()
{
    CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    std::string dir = ORVEL_APP_DIR "/skin";
    CPaintManagerUI::SetResourcePath(CDuiString(std::u16string(dir.begin(), dir.end())));
    CPaintManagerUI::SetResourceZip(u"skin.zip", true);
    simulate::SetTrayAvailable(true);
}

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
