// The settings window: opacity and font size of the danmaku window, at once.

#include <gtest/gtest.h>

#include "app/WndSetting.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QuietDanmu.h"
#include "tests/ui/Watchdog.h"
#include "ui/Simulate.h"

using namespace DuiLib;

namespace {

CDuiString Num(int n)
{
    CDuiString s;
    s.Format(u"%d", n);
    return s;
}

class SettingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        frame = new CMainFrame;
        ASSERT_NE(danmu.Open(), nullptr);
        danmu.Feed({Item(u"a:", u"b", 1), Item(u"c:", u"d", 2)}, 2);
        simulate::ProcessPending();
    }
    void TearDown() override { delete frame; }

    // A settings window as the tray opens it, but not modal.
    HWND OpenSettings(CWndSetting& setting)
    {
        HWND h = setting.Create(danmu, u"设置", ORVEL_WNDSTYLE, 0, 0, 0, 200, 100, nullptr);
        setting.CenterWindow();
        return h;
    }
    int RowFontSize() { return simulate::FontPixelSize(danmu.Cell(0, u"msg")); }

    CMainFrame* frame = nullptr;
    QuietDanmu danmu;
};

TEST_F(SettingTest, IsMadeHiddenTopmostAt300By100ForTheDanmakuWindowShowingTheOpacity)
{
    CWndSetting setting(&danmu);
    HWND h = OpenSettings(setting);
    simulate::WindowState s = simulate::StateOf(h);
    EXPECT_EQ(s.width, 300);
    EXPECT_EQ(s.height, 100);
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
    CWndSetting setting(&danmu);
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

    CWndSetting again(&danmu); // reopening shows the changed opacity
    HWND h2 = OpenSettings(again);
    EXPECT_EQ(again.m_textTrans->GetText(), u"152");
    EXPECT_EQ(static_cast<CProgressUI*>(simulate::FindControl(h2, u"pro_trans"))->GetValue(), 152);
}

TEST_F(SettingTest, FontOptionsApplyToTheRowsAtOnce)
{
    CWndSetting setting(&danmu);
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
    CWndSetting setting(&danmu);
    HWND h = OpenSettings(setting);
    simulate::Click(simulate::FindControl(h, u"btn_enter"));
    simulate::ProcessPending();
    EXPECT_EQ(setting.GetHWND(), nullptr);
    EXPECT_NE(danmu.GetHWND(), nullptr);
}

TEST_F(SettingTest, TheTrayCommandRunsItModalOverTheDanmakuWindow)
{
    bool sawModal = false;
    danmu.step = [&] {
        HWND h = FindWindowTitled(u"设置");
        sawModal = h != nullptr;
        simulate::StepUp(simulate::FindControl(h, u"pro_trans"));
        simulate::Click(simulate::FindControl(h, u"btn_enter"));
    };
    danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_SETTINGS, 0);
    danmu.PostMessageW(QuietDanmu::WM_TEST_STEP); // runs inside the modal loop
    danmu.PostMessageW(WM_TRAY_COMMAND, TRAY_CMD_EXIT, 0);
    Watchdog dog;
    CPaintManagerUI::MessageLoop();
    EXPECT_FALSE(dog.Fired());
    EXPECT_TRUE(sawModal);
    EXPECT_EQ(g_pMainFrame->m_opacity, 151);
    EXPECT_EQ(FindWindowTitled(u"设置"), nullptr);
}

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
    EXPECT_EQ(FindWindowTitled(u"设置"), nullptr);
}

} // namespace
