// The entry point: skin beside the program, the start window, the loop.

#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "app/WinMain.h"
#include "tests/app/AppTestSupport.h"
#include "tests/common/Watchdog.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

TEST(WinMainTest, ShowsTheStartWindowFromTheSkinBesideTheProgramAndReturnsZero)
{
    HWND seen = nullptr;
    int controls = 0;
    CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    // Runs once the loop is up: look at the window, then end the run.
    PostMessageW(nullptr, WM_QUIT, 0, 0);
    Watchdog dog;
    EXPECT_EQ(wWinMain(GetModuleHandleW(nullptr)), 0);
    EXPECT_FALSE(dog.Fired());
    ASSERT_NE(g_pMainFrame, nullptr);
    seen = g_pMainFrame->GetHWND();
    ASSERT_NE(seen, nullptr);
    simulate::WindowState s = simulate::StateOf(seen);
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.title, u"OrvelHelper");
    EXPECT_EQ(s.width, 396);
    EXPECT_EQ(s.height, 389);
    for (LPCTSTR name : {u"edit_num", u"btn_enter", u"btn_close"})
        controls += g_pMainFrame->GetPaintManager().FindControl(name) != nullptr;
    EXPECT_EQ(controls, 3) << "the layouts come from skin.zip beside the program";
}
