// Renders the program's windows offscreen to PNG files:
//   orvel_snapshot <folder>
// (run with QT_QPA_PLATFORM=offscreen). For the README's pictures.

#include <cstdio>
#include <string>

#include "app/windows/MenuWnd.h"
#include "app/windows/WndSetting.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QuietDanmu.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

static bool Save(HWND hwnd, const std::string& folder, const char* name)
{
    std::string path = folder + "/" + name;
    bool ok = simulate::SaveScreenshot(hwnd, CDuiString(std::u16string(path.begin(), path.end())));
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

static std::vector<DanmuItem> SampleChat()
{
    return {Item(u"风吹麦浪:", u"主播晚上好！", 3),
            Item(u"Lucky_Cat:", u"这波操作太秀了 666", 8),
            Item(u"夜猫子:", u"送出了[小心心]", 12),
            Item(u"", u"（没有昵称的消息）", 1),
            Item(u"momo:", u"一条很长很长的弹幕，用来看看超出一行的文字会不会被省略而不是溢出这一行", 5),
            Item(u"星河:", u"送出了[火箭]", 18),
            Item(u"彩虹🌈:", u"来了来了 😀🎉👍", 21),
            Item(u"老粉:", u"打卡第 99 天 ❤️", 99),
            Item(u"榜一大哥:", u"送出了[跑车] 🚗", 1000)};
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    UseProgramSkin();
    RunState state;
    auto* frame = new CMainFrame(state);
    HWND start = frame->CreateOver(nullptr);
    frame->ShowWindow(true, true);
    simulate::ProcessPending();
    bool ok = Save(start, folder, "start-window.png");

    // Drawn opaque, as the window is before the window system fades it.
    state.options.backgroundOnly = false;
    auto* danmu = new QuietDanmu(state);
    HWND wnd = danmu->Open();
    danmu->Feed(SampleChat(), 2468);
    simulate::ProcessPending();
    ok &= Save(wnd, folder, "danmu-window.png");

    simulate::SetCursorPos(400, 400);
    OpenTrayMenu(wnd);
    ok &= Save(simulate::Windows().back(), folder, "tray-menu.png");

    CWndSetting setting(*danmu, state);
    HWND set = setting.Create(wnd, u"设置", ORVEL_WNDSTYLE, 0, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT, nullptr);
    simulate::ProcessPending();
    ok &= Save(set, folder, "settings-window.png");
    const std::pair<const char16_t*, const char*> otherPages[] = {
        {u"tab_alerts", "settings-alerts.png"}, {u"tab_live", "settings-live.png"}};
    for (const auto& [tab, file] : otherPages) {
        simulate::Click(simulate::FindControl(set, tab));
        simulate::ProcessPending();
        ok &= Save(set, folder, file);
    }
    return ok ? 0 : 1;
}
