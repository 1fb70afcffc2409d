// The tray menu: the commands its items send, and closing.

#include <algorithm>

#include <gtest/gtest.h>

#include "app/windows/MenuWnd.h"
#include "tests/app/AppFixtures.h"

using namespace DuiLib;

namespace {

class MenuTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        owner = &OpenDanmu();
        owner->keepCommands = true;
    }
    HWND Open(int placement = 1)
    {
        EXPECT_TRUE(OpenTrayMenu(*owner, placement));
        return simulate::Windows().back();
    }
    static bool Exists(HWND menu)
    {
        const std::vector<HWND> windows = simulate::Windows();
        return std::find(windows.begin(), windows.end(), menu) != windows.end();
    }
    QuietDanmu* owner = nullptr;
};

TEST_F(MenuTest, EachItemPostsItsCommandAndTheMenuCloses)
{
    const std::pair<const char16_t*, WPARAM> items[] = {{u"menu_tray_show", TRAY_CMD_SHOW},
        {u"menu_tray_set", TRAY_CMD_SETTINGS}, {u"menu_tray_exit", TRAY_CMD_EXIT}, {u"menu_tray_room", TRAY_CMD_ROOM},
        {u"menu_tray_chat_log", TRAY_CMD_CHAT_LOG}, {u"menu_tray_other", 0}}; // a name the program does not know: nothing
    int placement = 0; // each corner by the cursor, by the placement table
    for (const auto& item : items) {
        owner->commands.clear();
        if (!item.second)
            UseSkin(ORVEL_TEST_SKIN_DIR, u"");
        const HWND menu = Open(placement++ % 3);
        simulate::Click(simulate::FindControl(menu, item.first));
        simulate::ProcessPending();
        EXPECT_EQ(owner->commands, (item.second ? std::vector<WPARAM>{item.second} : std::vector<WPARAM>{}));
        EXPECT_FALSE(Exists(menu));
    }
}

TEST_F(MenuTest, LosingTheFocusOrAClickOutsideClosesItWithoutACommand)
{
    simulate::SetCursorPos(500, 400);
    HWND menu = Open();
    SendMessageW(menu, WM_KILLFOCUS, reinterpret_cast<WPARAM>(menu), 0);
    simulate::ProcessPending();
    EXPECT_TRUE(Exists(menu)) << "focus moving within the menu keeps it";
    SendMessageW(menu, WM_KILLFOCUS, reinterpret_cast<WPARAM>(owner->GetHWND()), 0);
    simulate::ProcessPending();
    EXPECT_FALSE(Exists(menu));
    menu = Open(); // a new right click on the tray opens a new one
    simulate::LeftClick(menu, -50, 150); // on the desktop beside it
    EXPECT_FALSE(simulate::StateOf(menu).visible) << "it stops taking clicks at once";
    simulate::ProcessPending();
    EXPECT_FALSE(Exists(menu));
    EXPECT_TRUE(owner->commands.empty());
}

// A host that draws the menu itself (StatusNotifierItem) gets the same items.
TEST_F(MenuTest, TheItemsForAHostMirrorTheWindowsAndTheFirstSaysWhetherPassThroughIsOn)
{
    for (bool on : {false, true}) {
        g_pMainFrame->m_transFlag = on;
        const std::vector<TrayMenuItem> items = TrayMenuItems();
        const HWND menu = Open();
        const std::u16string first = simulate::FindControl(menu, u"text_tray_show")->GetText().Str();
        EXPECT_NE(first.find(on ? u"已开启" : u"已关闭"), std::u16string::npos);
        const std::pair<std::u16string, WPARAM> expected[] = {{first, TRAY_CMD_SHOW}, {u"设置…", TRAY_CMD_SETTINGS},
            {u"切换房间…", TRAY_CMD_ROOM}, {u"打开聊天记录", TRAY_CMD_CHAT_LOG}, {u"退出", TRAY_CMD_EXIT}};
        ASSERT_EQ(items.size(), std::size(expected));
        for (size_t i = 0; i < std::size(expected); ++i) {
            EXPECT_EQ(items[i].text.Str(), expected[i].first);
            EXPECT_EQ(std::make_pair(items[i].msg, items[i].wParam), std::make_pair(WM_TRAY_COMMAND, expected[i].second));
        }
        SendMessageW(menu, WM_CLOSE, 0, 0);
    }
}

} // namespace
