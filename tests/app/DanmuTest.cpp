// The danmaku window: rebuilding its rows, tray commands, timers and the
// system close command.

#include <gtest/gtest.h>

#include "tests/app/AppTestSupport.h"
#include "tests/app/OpenDanmuTest.h"
#include "tests/common/Watchdog.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

class DanmuTest : public OpenDanmuTest {
protected:
    bool LoopEnds()
    {
        Watchdog dog;
        CPaintManagerUI::MessageLoop();
        return !dog.Fired();
    }
};

TEST_F(DanmuTest, SetsItselfUpWithTheSharedSettings)
{
    ASSERT_NE(danmu.m_room, nullptr);
    ASSERT_NE(danmu.m_members, nullptr);
    ASSERT_NE(danmu.m_list, nullptr);
    EXPECT_EQ(danmu.m_room->GetText(), u"Orvel直播-1000");
    EXPECT_EQ(danmu.GetPaintManager().GetDefaultFontSize(), 11);
    simulate::WindowState s = simulate::StateOf(hwnd);
    EXPECT_EQ(s.opacity, 1.0) << "the opacity fades only the background";
    EXPECT_EQ(s.backgroundAlpha, 150);
    EXPECT_FALSE(s.passThrough);
    EXPECT_TRUE(danmu.Polling());
    std::vector<CDuiString> tips = simulate::TrayTips();
    ASSERT_FALSE(tips.empty());
    EXPECT_EQ(tips.back(), u"Orvel直播-1000");
}

TEST_F(DanmuTest, TheFirstRefreshShowsNoRowsAndZero)
{
    EXPECT_EQ(danmu.RowCount(), 0);
    EXPECT_EQ(danmu.m_members->GetText(), u"0");
}

TEST_F(DanmuTest, RefreshesShowTheLatestSnapshotInOrderAndNeverDoubleRows)
{
    danmu.Feed({Item(u"小明:", u"你好", 5), Item(u"", u"送出了[火箭]", 12), Item(u"Bob:", u"hi", 0)}, 321);
    danmu.PostMessageW(WM_DANMU_REFRESH);
    danmu.PostMessageW(WM_DANMU_REFRESH);
    simulate::ProcessPending();
    ASSERT_EQ(danmu.RowCount(), 3);
    EXPECT_EQ(danmu.m_members->GetText(), u"321");
    EXPECT_EQ(danmu.Cell(0, u"nick")->GetText(), u"小明:");
    EXPECT_EQ(danmu.Cell(0, u"msg")->GetText(), u"你好");
    EXPECT_EQ(danmu.Cell(0, u"level")->GetBkImage(), u"5.png");
    EXPECT_EQ(danmu.Cell(1, u"nick")->GetText(), u"") << "no nickname, no colon";
    EXPECT_EQ(danmu.Cell(1, u"level")->GetBkImage(), u"12.png");
    EXPECT_EQ(danmu.Cell(2, u"level")->GetBkImage(), u"0.png") << "an image the skin lacks: no badge";
    EXPECT_EQ(danmu.m_list->GetItemAt(0)->GetFixedHeight(), 22);

    danmu.Feed({Item(u"甲:", u"新的", 1)}, 7);
    simulate::ProcessPending();
    ASSERT_EQ(danmu.RowCount(), 1);
    EXPECT_EQ(danmu.Cell(0, u"msg")->GetText(), u"新的");
}

TEST_F(DanmuTest, TextFromTheNetworkIsShownAsItCame)
{
    std::u16string longText(2000, u'长');
    danmu.Feed({Item(u"<b>&amp;:", u"&Quit <i>x</i>", 3), Item(u"a:", longText.c_str(), 3)}, 1);
    simulate::ProcessPending();
    ASSERT_EQ(danmu.RowCount(), 2);
    EXPECT_EQ(danmu.Cell(0, u"nick")->GetText(), u"<b>&amp;:");
    EXPECT_EQ(danmu.Cell(0, u"msg")->GetText(), u"&Quit <i>x</i>");
    EXPECT_EQ(danmu.m_list->GetItemAt(1)->GetFixedHeight(), 22) << "long text stays in its row";
}

TEST_F(DanmuTest, AnItemLayoutThatCannotBeBuiltLeavesItsItemsOut)
{
    CPaintManagerUI::SetResourceZip(u"no-such.zip", true);
    danmu.Feed({Item(u"a:", u"b", 1), Item(u"c:", u"d", 2)}, 9);
    simulate::ProcessPending();
    EXPECT_EQ(danmu.RowCount(), 0);
    EXPECT_EQ(danmu.m_members->GetText(), u"9");
}

TEST_F(DanmuTest, TrayCommandSevenOnlyRefreshes)
{
    danmu.Feed({Item(u"a:", u"b", 1)}, 4);
    danmu.PostMessageW(WM_TRAY_COMMAND, 7, 0);
    simulate::ProcessPending();
    EXPECT_EQ(danmu.RowCount(), 1);
    EXPECT_FALSE(g_pMainFrame->m_transFlag);
    EXPECT_FALSE(simulate::StateOf(hwnd).passThrough);
    EXPECT_NE(danmu.GetHWND(), nullptr);
}

TEST_F(DanmuTest, TrayCommandOneTogglesPassThroughAndAppliesIt)
{
    danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SHOW, 0);
    simulate::ProcessPending();
    EXPECT_TRUE(g_pMainFrame->m_transFlag);
    EXPECT_TRUE(simulate::StateOf(hwnd).passThrough);
    EXPECT_EQ(simulate::StateOf(hwnd).backgroundAlpha, 150);
    danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SHOW, 0);
    simulate::ProcessPending();
    EXPECT_FALSE(g_pMainFrame->m_transFlag);
    EXPECT_FALSE(simulate::StateOf(hwnd).passThrough);
}

TEST_F(DanmuTest, TrayCommandThreeEndsTheLoop)
{
    danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_EXIT, 0);
    EXPECT_TRUE(LoopEnds());
    EXPECT_NE(danmu.GetHWND(), nullptr) << "the window stays to the end of the process";
}

TEST_F(DanmuTest, TheSystemCloseCommandEndsTheProgram)
{
    simulate::CloseRequest(hwnd);
    EXPECT_TRUE(LoopEnds());
    EXPECT_NE(danmu.GetHWND(), nullptr);
}

TEST_F(DanmuTest, TimerOneKeepsTheWindowOnTopOthersAreNotHandled)
{
    bool passOn = true;
    simulate::Dispatch(hwnd, WM_TIMER, 1, 0, &passOn);
    EXPECT_FALSE(passOn);
    EXPECT_TRUE(simulate::StateOf(hwnd).topmost);
    simulate::Dispatch(hwnd, WM_TIMER, 3, 0, &passOn);
    EXPECT_FALSE(passOn);
    simulate::Dispatch(hwnd, WM_TIMER, 9, 0, &passOn);
    EXPECT_TRUE(passOn);
}

TEST_F(DanmuTest, ARightClickOnTheTrayIconOpensTheMenuALeftClickDoesNothing)
{
    size_t before = simulate::Windows().size();
    ASSERT_TRUE(simulate::ActivateTray(hwnd, 1, simulate::TrayClick::Left));
    simulate::ProcessPending();
    EXPECT_EQ(simulate::Windows().size(), before);
    // A right click on an XEmbed tray and a StatusNotifierItem host's menu
    // request both arrive as a context request.
    ASSERT_TRUE(simulate::ActivateTray(hwnd, 1, simulate::TrayClick::Context));
    simulate::ProcessPending();
    ASSERT_EQ(simulate::Windows().size(), before + 1);
    HWND menu = simulate::Windows().back();
    EXPECT_NE(simulate::FindControl(menu, u"menu_tray_exit"), nullptr);
    EXPECT_TRUE(simulate::StateOf(menu).visible);
    SendMessageW(menu, WM_CLOSE, 0, 0);
}

} // namespace
