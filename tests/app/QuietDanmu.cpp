#include "tests/app/QuietDanmu.h"

using namespace DuiLib;

HWND QuietDanmu::Open()
{
    HWND h = CreateFrame();
    ShowWindow(true, true);
    return h;
}

void QuietDanmu::Feed(std::vector<DanmuItem> items, int online)
{
    Items().SetOnline(online);
    if (Items().Publish(std::move(items)))
        PostMessageW(WM_DANMU_REFRESH, 0, 0);
}

LRESULT QuietDanmu::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (msg == WM_TEST_STEP) {
        if (step)
            step();
        return 0;
    }
    if (msg == WM_TRAY_COMMAND)
        commands.push_back(wParam);
    if (msg == WM_TRAY_COMMAND && keepCommands)
        return 0;
    return CWndDanmu::HandleCustomMessage(msg, wParam, lParam, handled);
}

DanmuItem Item(const char16_t* nick, const char16_t* msg, int level)
{
    DanmuItem item;
    item.nick = nick;
    item.msg = msg;
    item.level = level;
    return item;
}
