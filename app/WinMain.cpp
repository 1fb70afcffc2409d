#include "app/WinMain.h"

#include <new>

#include "app/MainFrame.h"

using namespace DuiLib;

int wWinMain(HINSTANCE instance, const ProgramStart& start)
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
    frame->m_feed = start.feed;
    frame->Create(nullptr, u"OrvelHelper", ORVEL_WNDSTYLE, 0, 0, 0, 396, 389, nullptr);
    if (start.room) {
        frame->OpenRoom(*start.room); // the start window is closed unseen
    } else {
        frame->CenterWindow();
        frame->ShowWindow(true, true);
    }
    CPaintManagerUI::MessageLoop();
    CoUninitialize();
    return 0;
}

int wWinMain(HINSTANCE instance)
{
    return wWinMain(instance, ProgramStart{});
}
