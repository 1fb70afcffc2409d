// The tray menu: where it opens, the commands its items send, and closing.

#include <gtest/gtest.h>

#include <string>

#include "app/MenuWnd.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QuietDanmu.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        frame = new CMainFrame(state);
        owner.keepCommands = true;
        ASSERT_NE(owner.Open(), nullptr);
        simulate::ProcessPending();
    }
    void TearDown() override { delete frame; }

    // Opens the menu from the tray; its window handle.
    HWND Open()
    {
        EXPECT_TRUE(OpenTrayMenu(owner));
        return simulate::Windows().back();
    }
    bool Exists(HWND menu)
    {
        for (HWND h : simulate::Windows())
            if (h == menu)
                return true;
        return false;
    }
    RunState state;
    CMainFrame* frame = nullptr;
    QuietDanmu owner{state};
};

TEST_F(MenuTest, OpensByThePlacementTableAroundTheCursor)
{
    simulate::SetCursorPos(500, 400);
    struct Case {
        int placement;
        int x, y;
    } cases[] = {{0, 500 - 196, 400 - 134 - 20}, {1, 500, 400 - 134 - 20}, {2, 500 - 196, 400},
                 {kMenuAtCursor, 500, 400}};
    for (const Case& c : cases) {
        auto* menu = new CMenuWnd;
        menu->m_placement = c.placement;
        menu->m_owner = owner;
        menu->InitWinParam(u"TrayMenu.xml");
        HWND h = menu->Create(owner, u"", WS_POPUP, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT);
        simulate::WindowState s = simulate::StateOf(h);
        EXPECT_EQ(s.x, c.x) << c.placement;
        EXPECT_EQ(s.y, c.y) << c.placement;
        EXPECT_EQ(s.width, 196);
        EXPECT_TRUE(s.topmost);
        SendMessageW(h, WM_CLOSE, 0, 0); // deletes itself
    }
}

TEST_F(MenuTest, NearTheTopOfTheScreenItIsKeptOnTheScreen)
{
    // Trays are often at the top on Linux: above the cursor it would vanish.
    simulate::SetCursorPos(10, 30);
    HWND menu = Open();
    EXPECT_EQ(simulate::StateOf(menu).y, 0);
    EXPECT_EQ(simulate::StateOf(menu).x, 10);
    SendMessageW(menu, WM_CLOSE, 0, 0);
}

TEST_F(MenuTest, EachItemPostsItsCommandAndTheMenuCloses)
{
    const std::pair<const char16_t*, WPARAM> items[] = {
        {u"menu_tray_show", TRAY_CMD_SHOW}, {u"menu_tray_set", TRAY_CMD_SETTINGS}, {u"menu_tray_exit", TRAY_CMD_EXIT},
        {u"menu_tray_room", TRAY_CMD_ROOM}};
    for (const auto& item : items) {
        owner.commands.clear();
        HWND menu = Open();
        simulate::Click(simulate::FindControl(menu, item.first));
        simulate::ProcessPending();
        ASSERT_EQ(owner.commands.size(), 1u);
        EXPECT_EQ(owner.commands[0], item.second);
        EXPECT_FALSE(Exists(menu));
    }
}

TEST_F(MenuTest, LosingTheFocusClosesItWithoutACommand)
{
    HWND menu = Open();
    SendMessageW(menu, WM_KILLFOCUS, reinterpret_cast<WPARAM>(menu), 0);
    simulate::ProcessPending();
    EXPECT_TRUE(Exists(menu)) << "focus moving within the menu keeps it";
    SendMessageW(menu, WM_KILLFOCUS, reinterpret_cast<WPARAM>(static_cast<HWND>(owner)), 0);
    simulate::ProcessPending();
    EXPECT_FALSE(Exists(menu));
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(MenuTest, AClickOutsideClosesItAtOnceWithoutACommand)
{
    simulate::SetCursorPos(500, 400);
    HWND menu = Open();
    ASSERT_TRUE(simulate::StateOf(menu).visible);
    simulate::LeftClick(menu, -50, 150); // on the desktop beside it
    EXPECT_FALSE(simulate::StateOf(menu).visible) << "it stops taking clicks at once";
    simulate::ProcessPending();
    EXPECT_FALSE(Exists(menu));
    EXPECT_TRUE(owner.commands.empty());
    HWND again = Open(); // a new right click on the tray opens a new one
    EXPECT_TRUE(simulate::StateOf(again).visible);
    SendMessageW(again, WM_CLOSE, 0, 0);
}

TEST_F(MenuTest, ItemsForAHostThatDrawsTheMenuMirrorTheWindowsItems)
{
    for (bool on : {false, true}) {
        g_pMainFrame->m_transFlag = on;
        std::vector<TrayMenuItem> items = TrayMenuItems();
        HWND menu = Open();
        ASSERT_EQ(items.size(), 4u);
        EXPECT_EQ(items[0].text, simulate::FindControl(menu, u"text_tray_show")->GetText());
        EXPECT_EQ(items[1].text, u"设置…");
        EXPECT_EQ(items[2].text, u"切换房间…");
        EXPECT_EQ(items[3].text, u"退出");
        const WPARAM commands[] = {TRAY_CMD_SHOW, TRAY_CMD_SETTINGS, TRAY_CMD_ROOM, TRAY_CMD_EXIT};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(items[i].msg, WM_TRAY_COMMAND);
            EXPECT_EQ(items[i].wParam, commands[i]);
        }
        SendMessageW(menu, WM_CLOSE, 0, 0);
    }
}

TEST_F(MenuTest, TheFirstItemSaysWhetherPassThroughIsOn)
{
    HWND menu = Open();
    std::u16string off = simulate::FindControl(menu, u"text_tray_show")->GetText().Str();
    SendMessageW(menu, WM_CLOSE, 0, 0);
    g_pMainFrame->m_transFlag = true;
    menu = Open();
    std::u16string on = simulate::FindControl(menu, u"text_tray_show")->GetText().Str();
    SendMessageW(menu, WM_CLOSE, 0, 0);
    EXPECT_NE(off.find(u"已关闭"), std::u16string::npos);
    EXPECT_NE(on.find(u"已开启"), std::u16string::npos);
}

TEST_F(MenuTest, AnItemOfAnotherNameSendsNothing)
{
    UseSkin(ORVEL_TEST_SKIN_DIR, u"");
    HWND menu = Open();
    simulate::Click(simulate::FindControl(menu, u"menu_tray_other"));
    simulate::ProcessPending();
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_FALSE(Exists(menu)) << "choosing it still closes the menu";
}

} // namespace
