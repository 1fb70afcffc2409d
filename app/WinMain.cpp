#include "app/WinMain.h"

#include <new>

#include "app/MainFrame.h"

using namespace DuiLib;

int wWinMain(HINSTANCE instance)
{
    CPaintManagerUI::SetInstance(instance);
    CDuiString skin = CPaintManagerUI::GetInstancePath();
    skin += u"skin"; // the path ends in a separator already
    CPaintManagerUI::SetResourcePath(skin);
    CPaintManagerUI::SetResourceZip(u"skin.zip", true);
    if (CoInitialize(nullptr) < 0)
        return 0;
    CMainFrame* frame = new (std::nothrow) CMainFrame;
    if (!frame)
        return 0;
    frame->Create(nullptr, u"OrvelHelper", ORVEL_WNDSTYLE, 0, 0, 0, 396, 389, nullptr);
    frame->CenterWindow();
    frame->ShowWindow(true, true);
    CPaintManagerUI::MessageLoop();
    CoUninitialize();
    return 0;
}
