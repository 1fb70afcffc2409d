// The settings window: opacity, font size, display and filter options of
// the danmaku window, at once.

#include <gtest/gtest.h>

#include "app/RememberedRun.h"
#include "app/SettingsStore.h"
#include "app/WndSetting.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/OpenDanmuTest.h"
#include "tests/common/TempFolder.h"
#include "tests/common/Watchdog.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

// A control's name for a failure message.
std::string Ascii(const char16_t* name)
{
    return std::string(name, name + std::char_traits<char16_t>::length(name));
}

CDuiString Num(int n)
{
    CDuiString s;
    s.Format(u"%d", n);
    return s;
}

// The danmaku window open with two rows.
class SettingTest : public OpenDanmuTest {
protected:
    void SetUp() override
    {
        OpenDanmuTest::SetUp();
        if (HasFatalFailure())
            return;
        danmu.Feed({Item(u"a:", u"b", 1), Item(u"c:", u"d", 2)}, 2);
        simulate::ProcessPending();
    }

    // A settings window as the tray opens it, but not modal.
    HWND OpenSettings(CWndSetting& setting)
    {
        return setting.Create(danmu, u"设置", ORVEL_WNDSTYLE, 0, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT, nullptr);
    }
    int RowFontSize() { return simulate::FontPixelSize(danmu.Cell(0, u"msg")); }
};

TEST_F(SettingTest, IsMadeHiddenTopmostAtItsLayoutsSizeBesideTheDanmakuWindowShowingTheOpacity)
{
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    simulate::WindowState s = simulate::StateOf(h);
    EXPECT_EQ(s.width, 300);
    EXPECT_EQ(s.height, 275);
    const simulate::WindowState d = simulate::StateOf(danmu);
    EXPECT_EQ(s.x, d.x + d.width) << "beside the danmaku window, which stays in view";
    EXPECT_EQ(s.y, d.y);
    EXPECT_TRUE(s.topmost);
    EXPECT_FALSE(s.visible) << "shown by ShowModal, modal from its first show";
    EXPECT_EQ(s.owner, danmu.GetHWND());
    auto* slider = dynamic_cast<CProgressUI*>(simulate::FindControl(h, u"pro_trans"));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetValue(), 150);
    EXPECT_EQ(setting.m_textTrans->GetText(), u"150");
}

TEST_F(SettingTest, EachSliderStepChangesLabelAndOpacityAtOnceKeepingTheFlag)
{
    g_pMainFrame->m_transFlag = true;
    danmu.GetPaintManager().SetTransparent(150, true);
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    CControlUI* slider = simulate::FindControl(h, u"pro_trans");
    for (int expected : {151, 152}) {
        simulate::StepUp(slider);
        EXPECT_EQ(g_pMainFrame->m_opacity, expected);
        EXPECT_EQ(setting.m_textTrans->GetText(), Num(expected));
        EXPECT_EQ(simulate::StateOf(danmu).backgroundAlpha, expected) << "the default fades the background";
        EXPECT_TRUE(simulate::StateOf(danmu).passThrough);
    }
    EXPECT_DOUBLE_EQ(simulate::StateOf(h).opacity, 1.0) << "the settings window itself stays opaque";

    CWndSetting again(danmu, state); // reopening shows the changed opacity
    HWND h2 = OpenSettings(again);
    EXPECT_EQ(again.m_textTrans->GetText(), u"152");
    EXPECT_EQ(static_cast<CProgressUI*>(simulate::FindControl(h2, u"pro_trans"))->GetValue(), 152);
}

TEST_F(SettingTest, FontOptionsApplyToTheRowsAtOnce)
{
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    EXPECT_EQ(RowFontSize(), 11);
    simulate::Click(simulate::FindControl(h, u"option_big"));
    EXPECT_EQ(danmu.GetPaintManager().GetDefaultFontSize(), 14);
    simulate::ProcessPending(); // the rebuild the window posted
    EXPECT_EQ(danmu.RowCount(), 2);
    EXPECT_EQ(RowFontSize(), 14);
    simulate::Click(simulate::FindControl(h, u"option_middle"));
    simulate::ProcessPending();
    EXPECT_EQ(RowFontSize(), 12);
    simulate::Click(simulate::FindControl(h, u"option_small"));
    simulate::ProcessPending();
    EXPECT_EQ(RowFontSize(), 11);
}

TEST_F(SettingTest, TheEnterButtonCloses)
{
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    simulate::Click(simulate::FindControl(h, u"btn_enter"));
    simulate::ProcessPending();
    EXPECT_EQ(setting.GetHWND(), nullptr);
    EXPECT_NE(danmu.GetHWND(), nullptr);
}

// The tray command runs it modal over the danmaku window; the test's steps
// run inside that modal loop.
TEST_F(SettingTest, IsModalWhenShownAndASecondOpeningBringsTheSameWindowForward)
{
    simulate::WindowState seen;
    int settingsWindows = 0, steps = 0;
    danmu.step = [&] {
        HWND h = FindWindowTitled(u"设置");
        if (++steps == 1) {
            seen = simulate::StateOf(h);
            danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SETTINGS, 0); // 设置… again
            danmu.PostMessageW(QuietDanmu::WM_TEST_STEP);
            return;
        }
        for (HWND w : simulate::Windows())
            settingsWindows += simulate::StateOf(w).title == u"设置";
        SendMessageW(danmu, WM_TIMER, 1, 0); // a topmost tick while it is open
        EXPECT_TRUE(simulate::StateOf(h).visible);
        simulate::StepUp(simulate::FindControl(h, u"pro_trans"));
        simulate::Click(simulate::FindControl(h, u"btn_enter"));
    };
    danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SETTINGS, 0);
    danmu.PostMessageW(QuietDanmu::WM_TEST_STEP);
    danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_EXIT, 0);
    Watchdog dog;
    CPaintManagerUI::MessageLoop();
    EXPECT_FALSE(dog.Fired());
    EXPECT_EQ(steps, 2);
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.owner, danmu.GetHWND());
    EXPECT_EQ(settingsWindows, 1);
    EXPECT_EQ(g_pMainFrame->m_opacity, 151);
    EXPECT_EQ(FindWindowTitled(u"设置"), nullptr);
}

// The opacity and font rows stay where they were; every row below lies in
// its band, inside the window.
TEST_F(SettingTest, TheWindowIsTallEnoughForEveryRow)
{
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    setting.ShowWindow(true, true); // laid out when shown
    simulate::ProcessPending();
    const simulate::WindowState s = simulate::StateOf(h);
    struct Row {
        const char16_t* name;
        int top, height;
    };
    for (const Row& row : {Row{u"pro_trans", 25, 23}, Row{u"option_big", 48, 23},
             Row{u"check_background_only", 71, 23}, Row{u"check_hide_gifts", 94, 23},
             Row{u"edit_blocked_nicks", 139, 84}, Row{u"edit_blocked_words", 139, 84},
             Row{u"shortcut_status", 223, 24}, Row{u"btn_enter", 247, 24}}) {
        const RECT r = simulate::ControlRect(simulate::FindControl(h, row.name));
        EXPECT_GE(r.top, row.top) << Ascii(row.name);
        EXPECT_LE(r.bottom, row.top + row.height) << Ascii(row.name);
        EXPECT_GE(r.bottom - r.top, row.height - 8) << Ascii(row.name);
        EXPECT_GT(r.right - r.left, 40) << Ascii(row.name);
        EXPECT_LE(r.right, s.width) << Ascii(row.name);
    }
    EXPECT_LE(247 + 24, s.height);
    // Offscreen there is no X server to grab the key from: the line says so.
    EXPECT_EQ(std::u16string(simulate::FindControl(h, u"shortcut_status")->GetText()),
        u"快捷键 Ctrl+Alt+P 不可用：此桌面不支持");
}

// Items as the feed gives them: chats, an enter notice and a gift.
std::vector<DanmuItem> MixedItems()
{
    DanmuItem gift = Item(u"g:", u"送出了[火箭]", 3);
    gift.gift = true;
    return {Item(u"Spam:", u"hi", 1), Item(u"n:", u"", 2), gift, Item(u"b:", u"快来加群 QQ", 4), Item(u"c:", u"🎉", 5)};
}

struct CheckBoxCase {
    const char16_t* name;
    bool DanmuOptions::*option;
    int rowsWhenOn; // of MixedItems' five
};

TEST_F(SettingTest, EachCheckBoxShowsItsOptionAndTurnsItOnAndOffAtOnce)
{
    danmu.Feed(MixedItems(), 5);
    simulate::ProcessPending();
    for (const CheckBoxCase& c : {CheckBoxCase{u"check_background_only", &DanmuOptions::backgroundOnly, 5},
             CheckBoxCase{u"check_wrap", &DanmuOptions::wrap, 5},
             CheckBoxCase{u"check_hide_notices", &DanmuOptions::hideNotices, 4},
             CheckBoxCase{u"check_hide_gifts", &DanmuOptions::hideGifts, 4}}) {
        SCOPED_TRACE(Ascii(c.name));
        for (bool start : {false, true}) {
            state.options = DanmuOptions{};
            state.options.*c.option = start;
            danmu.OptionsChanged();
            CWndSetting setting(danmu, state);
            auto* box = dynamic_cast<COptionUI*>(simulate::FindControl(OpenSettings(setting), c.name));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->IsSelected(), start);
            EXPECT_EQ(danmu.RowCount(), start ? c.rowsWhenOn : 5) << "showing the box changes nothing";
            for (bool on : {!start, start}) {
                simulate::Click(box);
                EXPECT_EQ(box->IsSelected(), on);
                EXPECT_EQ(state.options.*c.option, on);
                EXPECT_EQ(danmu.RowCount(), on ? c.rowsWhenOn : 5);
            }
        }
    }
}

TEST_F(SettingTest, BothHidingBoxesLeaveOnlyTheChats)
{
    danmu.Feed(MixedItems(), 5);
    simulate::ProcessPending();
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    simulate::Click(simulate::FindControl(h, u"check_hide_notices"));
    simulate::Click(simulate::FindControl(h, u"check_hide_gifts"));
    ASSERT_EQ(danmu.RowCount(), 3);
    EXPECT_EQ(danmu.Cell(0, u"nick")->GetText(), u"Spam:");
    EXPECT_EQ(danmu.Cell(1, u"nick")->GetText(), u"b:");
    EXPECT_EQ(danmu.Cell(2, u"nick")->GetText(), u"c:");
    danmu.Feed({Item(u"n2:", u"", 1), Item(u"d:", u"new", 1)}, 2); // later items are filtered too
    simulate::ProcessPending();
    ASSERT_EQ(danmu.RowCount(), 1);
    EXPECT_EQ(danmu.Cell(0, u"msg")->GetText(), u"new");
}

// Types each line of `lines` into the field, Enter between them.
void TypeLines(CControlUI* field, std::initializer_list<const char16_t*> lines)
{
    for (const char16_t* line : lines) {
        simulate::Type(field, line);
        simulate::PressEnter(field);
    }
}

TEST_F(SettingTest, BlockListsShowTheRememberedOnesAndApplyWhenTheWindowCloses)
{
    state.options.blockedWords = {"http", "弹幕"};
    danmu.Feed(MixedItems(), 5);
    simulate::ProcessPending();
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    CControlUI* nicks = simulate::FindControl(h, u"edit_blocked_nicks");
    CControlUI* words = simulate::FindControl(h, u"edit_blocked_words");
    EXPECT_EQ(nicks->GetText(), u"");
    EXPECT_EQ(words->GetText(), u"http\n弹幕\n");
    words->SetText(u"");
    TypeLines(nicks, {u"  sPAM ", u"", u"<b>x</b>"});
    TypeLines(words, {u"qq", u"🎉"});
    EXPECT_EQ(danmu.RowCount(), 5) << "not while typing";
    simulate::Click(simulate::FindControl(h, u"btn_enter"));
    simulate::ProcessPending();
    EXPECT_EQ(setting.GetHWND(), nullptr);
    EXPECT_EQ(state.options.blockedNicks, (std::vector<std::string>{"sPAM", "<b>x</b>"}));
    EXPECT_EQ(state.options.blockedWords, (std::vector<std::string>{"qq", "\xF0\x9F\x8E\x89"}));
    ASSERT_EQ(danmu.RowCount(), 2);
    EXPECT_EQ(danmu.Cell(0, u"nick")->GetText(), u"n:");
    EXPECT_EQ(danmu.Cell(1, u"nick")->GetText(), u"g:");

    CWndSetting again(danmu, state);
    HWND h2 = OpenSettings(again);
    EXPECT_EQ(simulate::FindControl(h2, u"edit_blocked_nicks")->GetText(), u"sPAM\n<b>x</b>\n");
}

TEST_F(SettingTest, ABlockListAppliesWhenItsFieldLosesTheFocus)
{
    danmu.Feed(MixedItems(), 5);
    simulate::ProcessPending();
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    setting.ShowWindow(true, true);
    simulate::ProcessPending();
    CControlUI* nicks = simulate::FindControl(h, u"edit_blocked_nicks");
    simulate::Focus(nicks);
    TypeLines(nicks, {u"spam", u" B "});
    simulate::Focus(simulate::FindControl(h, u"edit_blocked_words"));
    simulate::ProcessPending();
    EXPECT_EQ(state.options.blockedNicks, (std::vector<std::string>{"spam", "B"}));
    EXPECT_EQ(nicks->GetText(), u"spam\nB\n") << "the field shows the list kept";
    EXPECT_EQ(danmu.RowCount(), 3);
}

// What the settings window changed is what the next run reads.
TEST_F(SettingTest, EditedOptionsComeBackFromTheSettingsFile)
{
    CWndSetting setting(danmu, state);
    HWND h = OpenSettings(setting);
    for (const char16_t* box : {u"check_background_only", u"check_wrap", u"check_hide_notices", u"check_hide_gifts"})
        simulate::Click(simulate::FindControl(h, box));
    TypeLines(simulate::FindControl(h, u"edit_blocked_nicks"), {u"Zoë", u"弹幕姬", u"مرحبا", u"🐟\u200D鱼"});
    TypeLines(simulate::FindControl(h, u"edit_blocked_words"), {u"加群", u"HTTP", u"a\"b\\c"});
    simulate::Click(simulate::FindControl(h, u"btn_enter"));
    simulate::ProcessPending();
    const DanmuOptions edited = state.options;
    EXPECT_FALSE(edited.backgroundOnly);
    EXPECT_TRUE(edited.wrap && edited.hideNotices && edited.hideGifts);
    EXPECT_EQ(edited.blockedNicks.size(), 4u);
    EXPECT_EQ(edited.blockedWords.size(), 3u);

    TempFolder temp;
    const std::string path = temp.Path() + "/orvel-helper/settings.json";
    std::string log;
    const SettingsDocument first = LoadSettings(path, log);
    ASSERT_EQ(SaveSettings(path, first.values, CurrentRemembered(*frame, state, first.values)), "");
    const SettingsDocument second = LoadSettings(path, log);
    EXPECT_TRUE(second.problems.empty());
    EXPECT_EQ(second.values.options, edited);
}

} // namespace
