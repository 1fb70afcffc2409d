// The global shortcuts, and the way back from mouse pass-through: its
// shortcut, the window's own menu when there is no tray, and the notice
// that names the way back.

#include <gtest/gtest.h>

#include <string>

#include "app/windows/HotKeys.h"
#include "tests/app/AppFixtures.h"

using namespace DuiLib;

namespace {

constexpr unsigned kShift = 1, kControl = 4, kAlt = 8, kSuper = 64;

TEST(GlobalKeyTest, ReadsCombinationsWithCtrlAltOrMetaAndRefusesTheRest)
{
    const struct {
        const char16_t* text;
        unsigned modifiers, keysym; // 0: refused
    } cases[] = {
        {u"Ctrl+Alt+P", kControl | kAlt, 'p'}, {u"ctrl+alt+p", kControl | kAlt, 'p'},
        {u"Ctrl+Shift+Z", kControl | kShift, 'z'}, {u"Meta+F12", kSuper, 0xffc9}, {u"Alt+1", kAlt, '1'},
        {u"Ctrl+Alt+Space", kControl | kAlt, ' '}, {u"Ctrl+Pause", kControl, 0xff13},
        {u"P", 0, 0}, // would take the letter from everyone's typing
        {u"Shift+P", 0, 0}, {u"F5", 0, 0}, {u"", 0, 0}, {u"Ctrl+Alt+", 0, 0}, {u"Hyper+P", 0, 0},
        {u"Ctrl+Alt+P, Ctrl+Q", 0, 0}, // two presses in a row
        {u"Ctrl+Alt+Ä", 0, 0},          // not a key every keyboard has
        {u"快捷键", 0, 0}, {u"Ctrl+Alt+P\n", 0, 0},
    };
    for (const auto& c : cases) {
        const std::optional<GlobalKey> key = ParseGlobalKey(c.text);
        EXPECT_EQ(key, c.keysym ? std::optional<GlobalKey>(GlobalKey{c.modifiers, c.keysym}) : std::nullopt)
            << std::u16string(c.text).size() << " " << c.keysym;
    }
    // Offscreen there is no X server to grab keys from; a bad key is told first.
    EXPECT_EQ(RegisterGlobalShortcut(u"Ctrl+Alt+P", nullptr, WM_USER, 1), ShortcutResult::NotSupported);
    EXPECT_EQ(RegisterGlobalShortcut(u"P", nullptr, WM_USER, 1), ShortcutResult::Unrecognised);
}

class PassThroughKeyTest : public AppTest {
protected:
    QuietDanmu& OpenWith(bool tray)
    {
        simulate::SetTrayAvailable(tray);
        return OpenDanmu();
    }
    // Pass-through toggled from the tray `times` times; a command it does
    // not know in between changes nothing.
    static void Toggle(QuietDanmu& window, int times)
    {
        for (int i = 0; i < times; ++i) {
            const bool on = !g_pMainFrame->m_transFlag;
            window.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SHOW, 0);
            window.PostMessageW(WM_TRAY_COMMAND, 7, 0);
            simulate::ProcessPending();
            EXPECT_EQ(g_pMainFrame->m_transFlag, on);
            EXPECT_EQ(simulate::StateOf(window.GetHWND()).passThrough, on);
        }
    }
};

// Each shortcut is registered as the window opens (the log lines of a
// failure are checked on a real display); the settings window tells each
// outcome, and a key text from a hand-edited file plain and bounded.
TEST_F(PassThroughKeyTest, EachShortcutsOutcomeIsTold)
{
    Options().clearKey = "C"; // would take the letter from everyone's typing
    OpenWith(true);
    const struct {
        WPARAM command;
        ShortcutResult result;
        std::u16string told;
    } cases[] = {{TRAY_CMD_SHOW, ShortcutResult::Registered, u"快捷键 Ctrl+Alt+P 切换鼠标穿透"},
        {KEY_CMD_SHOW_HIDE, ShortcutResult::Taken, u"快捷键 Ctrl+Alt+H 不可用：已被其他程序占用"},
        {KEY_CMD_CLEAR, state.clearKey, u"快捷键 C 不可用：无法识别此按键"},
        {KEY_CMD_CLEAR, ShortcutResult::Duplicate, u"快捷键 C 不可用：与另一个快捷键相同"},
        {KEY_CMD_SHOW_HIDE, ShortcutResult::Registered, u"快捷键 Ctrl+Alt+H 显示/隐藏弹幕窗口"}};
    for (const auto& c : cases) {
        state.passThroughKey = state.showHideKey = state.clearKey = c.result;
        EXPECT_EQ(HotKeyStatus(state, c.command).Str(), c.told);
    }
    Options().passThroughKey = std::string(5000, 'x') + "\xE2\x80\xAE<b>键</b>";
    EXPECT_EQ(HotKeyStatus(state, TRAY_CMD_SHOW).Str(), u"快捷键 " + std::u16string(63, u'x') + u"… 切换鼠标穿透");
}

TEST_F(PassThroughKeyTest, ARightClickOpensTheMenuInTheWindowOnlyWithoutATray)
{
    auto menus = [] {
        std::vector<HWND> found;
        for (HWND h : simulate::Windows())
            if (simulate::FindControl(h, u"menulist"))
                found.push_back(h);
        return found;
    };
    HWND h = nullptr;
    for (bool tray : {true, false}) {
        h = OpenWith(tray).GetHWND();
        simulate::SetCursorPos(400, 300);
        simulate::RightClick(h, 150, 150);
        simulate::ProcessPending();
        ASSERT_EQ(menus().size(), tray ? 0u : 1u) << tray;
    }
    const simulate::WindowState s = simulate::StateOf(menus()[0]);
    EXPECT_EQ(s.x * 1000 + s.y, 400 * 1000 + 300) << "at the cursor";
    simulate::Click(simulate::FindControl(menus()[0], u"menu_tray_show"));
    simulate::ProcessPending();
    EXPECT_TRUE(simulate::StateOf(h).passThrough) << "its items act as the tray's";
    EXPECT_TRUE(menus().empty());
}

// With a tray nothing is told; without one, a working shortcut is named
// once ever, and a missing one every time.
TEST_F(PassThroughKeyTest, TurningItOnWithoutATrayNamesTheWayBack)
{
    Toggle(OpenWith(true), 2);
    EXPECT_TRUE(MessageBoxLog::boxes.empty());
    QuietDanmu& window = OpenWith(false);
    state.passThroughKey = ShortcutResult::Registered; // each window registers it as it opens
    Toggle(window, 4); // on, off, on, off
    ASSERT_EQ(MessageBoxLog::boxes.size(), 1u);
    EXPECT_EQ(MessageBoxLog::boxes[0].text, u"鼠标穿透已开启，窗口不再接收点击。\n按 Ctrl+Alt+P 可关闭。");
    EXPECT_EQ(MessageBoxLog::boxes[0].owner, window.GetHWND());
    EXPECT_TRUE(Options().passThroughNoticeShown) << "remembered for the next runs";

    Options().passThroughKey = "Meta+F9";
    state.passThroughKey = ShortcutResult::Taken;
    Toggle(window, 4);
    ASSERT_EQ(MessageBoxLog::boxes.size(), 3u);
    EXPECT_EQ(MessageBoxLog::boxes[2].text, u"鼠标穿透已开启，窗口不再接收点击。\n快捷键 Meta+F9 不可用（已被其他程序占用），"
                                            u"重新启动本程序即可关闭鼠标穿透。");
}

} // namespace
