// The way back from mouse pass-through: the global shortcut, the window's
// own menu when there is no tray, and the notice that names the way back.

#include <gtest/gtest.h>

#include <string>

#include "app/MenuWnd.h"
#include "app/PassThroughKey.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/OpenDanmuTest.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

constexpr unsigned kShift = 1, kControl = 4, kAlt = 8, kSuper = 64;

TEST(GlobalKeyTest, ReadsCombinationsWithCtrlAltOrMetaAndRefusesTheRest)
{
    struct Case {
        const char16_t* text;
        bool taken;
        unsigned modifiers, keysym;
    } cases[] = {
        {u"Ctrl+Alt+P", true, kControl | kAlt, 'p'},
        {u"ctrl+alt+p", true, kControl | kAlt, 'p'},
        {u"Ctrl+Shift+Z", true, kControl | kShift, 'z'},
        {u"Meta+F12", true, kSuper, 0xffc9},
        {u"Alt+1", true, kAlt, '1'},
        {u"Ctrl+Alt+Space", true, kControl | kAlt, ' '},
        {u"Ctrl+Pause", true, kControl, 0xff13},
        {u"P", false, 0, 0},             // would take the letter from everyone's typing
        {u"Shift+P", false, 0, 0},
        {u"F5", false, 0, 0},
        {u"", false, 0, 0},
        {u"Ctrl+Alt+P, Ctrl+Q", false, 0, 0}, // two presses in a row
        {u"Ctrl+Alt+", false, 0, 0},
        {u"Ctrl+Alt+Ä", false, 0, 0},     // not a key every keyboard has
        {u"快捷键", false, 0, 0},
        {u"Ctrl+Alt+P\n", false, 0, 0},
        {u"Hyper+P", false, 0, 0},
    };
    for (const Case& c : cases) {
        std::optional<GlobalKey> key = ParseGlobalKey(c.text);
        ASSERT_EQ(key.has_value(), c.taken) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
        if (key) {
            EXPECT_EQ(*key, (GlobalKey{c.modifiers, c.keysym}));
        }
    }
}

TEST(GlobalKeyTest, AnOffscreenDesktopCannotGrabKeysAndABadKeyIsToldFirst)
{
    EXPECT_EQ(RegisterGlobalShortcut(u"Ctrl+Alt+P", nullptr, WM_USER, 1), ShortcutResult::NotSupported);
    EXPECT_EQ(RegisterGlobalShortcut(u"P", nullptr, WM_USER, 1), ShortcutResult::Unrecognised);
}

class PassThroughKeyTest : public OpenDanmuTest {
protected:
    void SetUp() override
    {
        OpenDanmuTest::SetUp();
        MessageBoxLog::Install();
    }
    // Another danmaku window, opened with or without a tray host.
    HWND OpenWith(bool tray, QuietDanmu& window)
    {
        simulate::SetTrayAvailable(tray);
        HWND h = window.Open();
        simulate::ProcessPending();
        return h;
    }
    std::vector<HWND> Menus()
    {
        std::vector<HWND> menus;
        for (HWND h : simulate::Windows())
            if (simulate::FindControl(h, u"menulist"))
                menus.push_back(h);
        return menus;
    }
    void Toggle(QuietDanmu& window, int times)
    {
        for (int i = 0; i < times; ++i) {
            window.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SHOW, 0);
            simulate::ProcessPending();
        }
    }
};

TEST_F(PassThroughKeyTest, TheDanmakuWindowRegistersTheKeyAndTheSettingsSayWhatCameOfIt)
{
    EXPECT_EQ(state.passThroughKey, ShortcutResult::NotSupported) << "offscreen";
    struct Case {
        ShortcutResult result;
        const char16_t* status;
    } cases[] = {
        {ShortcutResult::Registered, u"快捷键 Ctrl+Alt+P 切换鼠标穿透"},
        {ShortcutResult::Taken, u"快捷键 Ctrl+Alt+P 不可用：已被其他程序占用"},
        {ShortcutResult::NotSupported, u"快捷键 Ctrl+Alt+P 不可用：此桌面不支持"},
        {ShortcutResult::Unrecognised, u"快捷键 Ctrl+Alt+P 不可用：无法识别此按键"},
    };
    for (const Case& c : cases) {
        state.passThroughKey = c.result;
        EXPECT_EQ(PassThroughKeyStatus(state), c.status);
    }
}

TEST_F(PassThroughKeyTest, AStrangeKeyTextIsShownPlainAndBounded)
{
    state.options.passThroughKey = std::string(5000, 'x') + "\xE2\x80\xAE<b>键</b>";
    state.passThroughKey = ShortcutResult::Unrecognised;
    const std::u16string status = PassThroughKeyStatus(state).Str();
    EXPECT_LT(status.size(), 100u);
    EXPECT_NE(status.find(u"不可用"), std::u16string::npos);
}

TEST_F(PassThroughKeyTest, ARightClickOpensTheMenuInTheWindowOnlyWithoutATray)
{
    for (bool tray : {true, false}) {
        QuietDanmu window(state);
        HWND h = OpenWith(tray, window);
        simulate::SetCursorPos(400, 300);
        simulate::RightClick(h, 150, 150);
        simulate::ProcessPending();
        std::vector<HWND> menus = Menus();
        ASSERT_EQ(menus.size(), tray ? 0u : 1u) << tray;
        if (tray)
            continue;
        EXPECT_EQ(simulate::StateOf(menus[0]).x, 400) << "at the cursor";
        EXPECT_EQ(simulate::StateOf(menus[0]).y, 300);
        simulate::Click(simulate::FindControl(menus[0], u"menu_tray_show"));
        simulate::ProcessPending();
        EXPECT_TRUE(simulate::StateOf(h).passThrough) << "its items act as the tray's";
        EXPECT_TRUE(Menus().empty());
    }
}

TEST_F(PassThroughKeyTest, TurningItOnWithoutATrayNamesAWorkingShortcutOnceEver)
{
    QuietDanmu window(state);
    HWND h = OpenWith(false, window);
    state.passThroughKey = ShortcutResult::Registered;
    Toggle(window, 4); // on, off, on, off
    ASSERT_EQ(MessageBoxLog::boxes.size(), 1u);
    EXPECT_EQ(MessageBoxLog::boxes[0].text, u"鼠标穿透已开启，窗口不再接收点击。\n按 Ctrl+Alt+P 可关闭。");
    EXPECT_EQ(MessageBoxLog::boxes[0].owner, h);
    EXPECT_TRUE(state.options.passThroughNoticeShown) << "remembered for the next runs";

    MessageBoxLog::boxes.clear();
    state.options.passThroughKey = "Meta+F9";
    state.passThroughKey = ShortcutResult::Taken;
    Toggle(window, 4);
    ASSERT_EQ(MessageBoxLog::boxes.size(), 2u) << "without a way back, told every time";
    EXPECT_EQ(MessageBoxLog::boxes[1].text, u"鼠标穿透已开启，窗口不再接收点击。\n快捷键 Meta+F9 不可用（已被其他程序占用），"
                                            u"重新启动本程序即可关闭鼠标穿透。");
}

TEST_F(PassThroughKeyTest, WithATrayNothingIsTold)
{
    state.passThroughKey = ShortcutResult::Taken;
    Toggle(danmu, 2);
    EXPECT_TRUE(MessageBoxLog::boxes.empty());
    EXPECT_FALSE(state.options.passThroughNoticeShown);
}

} // namespace
