// The start window: the room number, the message box, the danmaku window
// and the end of the program.

#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "tests/app/AppTestSupport.h"
#include "tests/common/Watchdog.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        MessageBoxLog::Install();
        state = RunState{};
        frame = new CMainFrame(state); // lives to the end of the run, as in the program
        hwnd = frame->CreateOver(nullptr);
        ASSERT_NE(hwnd, nullptr);
        frame->ShowWindow(true, true);
    }
    void TearDown() override { delete frame; }
    void Enter(LPCTSTR text)
    {
        frame->m_editNum->SetText(u"");
        simulate::Type(frame->m_editNum, text);
        simulate::Click(frame->GetPaintManager().FindControl(u"btn_enter"));
        simulate::ProcessPending();
    }
    // Read by the danmaku windows the tests open, kept to the end of the run.
    inline static RunState state;
    CMainFrame* frame = nullptr;
    HWND hwnd = nullptr;
};

TEST_F(MainFrameTest, StartsWithTheSharedSettingsAndItsControls)
{
    EXPECT_EQ(g_pMainFrame, frame);
    EXPECT_EQ(frame->m_roomId, 1000);
    EXPECT_EQ(frame->m_opacity, 150);
    EXPECT_FALSE(frame->m_transFlag);
    ASSERT_NE(frame->m_editNum, nullptr);
    EXPECT_NE(frame->GetPaintManager().FindControl(u"btn_close"), nullptr);
    simulate::WindowState s = simulate::StateOf(hwnd);
    EXPECT_EQ(s.width, 396);
    EXPECT_EQ(s.height, 389);
    EXPECT_EQ(s.title, u"OrvelHelper");
}

TEST_F(MainFrameTest, AnEmptyFieldShowsTheMessageBoxAndKeepsTheWindow)
{
    Enter(u"");
    ASSERT_EQ(MessageBoxLog::boxes.size(), 1u);
    EXPECT_EQ(MessageBoxLog::boxes[0].owner, hwnd);
    EXPECT_EQ(MessageBoxLog::boxes[0].text, u"请输入房间号");
    EXPECT_EQ(MessageBoxLog::boxes[0].caption, u"");
    EXPECT_EQ(MessageBoxLog::boxes[0].type, MB_OK);
    EXPECT_EQ(frame->GetHWND(), hwnd);
    EXPECT_EQ(FindWindowTitled(u"Orvel直播弹幕助手"), nullptr);
    EXPECT_EQ(frame->m_roomId, 1000);
}

TEST_F(MainFrameTest, RoomNumbersFollowTheCLibraryRulesAndAlwaysOpenTheDanmakuWindow)
{
    struct Case {
        const char16_t* text;
        int room;
    } cases[] = {{u"   ", 0}, {u"12ab", 12}, {u"abc", 0}, {u" -7", -7}, {u"99999999999", 2147483647}};
    for (const Case& c : cases) {
        SCOPED_TRACE(CDuiString(c.text).GetLength());
        TearDown();
        SetUp();
        Enter(c.text);
        EXPECT_TRUE(MessageBoxLog::boxes.empty());
        EXPECT_EQ(frame->m_roomId, c.room);
        HWND danmu = FindWindowTitled(u"Orvel直播弹幕助手");
        ASSERT_NE(danmu, nullptr);
        simulate::WindowState s = simulate::StateOf(danmu);
        EXPECT_TRUE(s.visible);
        EXPECT_EQ(s.width, 300);
        EXPECT_EQ(s.height, 250);
        EXPECT_EQ(frame->GetHWND(), nullptr) << "the start window closed";
        EXPECT_EQ(g_pMainFrame, frame) << "its object lives on";
    }
}

TEST_F(MainFrameTest, TheTitleBarDragsTheWindowTheFieldDoesNot)
{
    simulate::WindowState before = simulate::StateOf(hwnd);
    simulate::Drag(hwnd, 60, 20, 35, 25); // on the title text
    simulate::WindowState after = simulate::StateOf(hwnd);
    EXPECT_EQ(after.x - before.x, 35);
    EXPECT_EQ(after.y - before.y, 25);
    simulate::Drag(hwnd, 198, 233, 50, 50); // in the room field
    EXPECT_EQ(simulate::StateOf(hwnd).x, after.x);
    EXPECT_EQ(simulate::StateOf(hwnd).y, after.y);
}

TEST_F(MainFrameTest, TheFieldTakesItsOwnDoubleClickToSelectAWord)
{
    struct Case {
        const char16_t* typed;
        const char16_t* after;
    } cases[] = {{u"3456", u"7"}, {u"房间", u"7"}, {u"12 34", u"12 7"}};
    for (const Case& c : cases) {
        frame->m_editNum->SetText(u"");
        simulate::Type(frame->m_editNum, c.typed);
        // Near the right end of the field: the last word.
        simulate::DoubleClick(hwnd, 198 + 100, 233);
        simulate::Type(frame->m_editNum, u"7");
        EXPECT_EQ(frame->m_editNum->GetText(), c.after);
        EXPECT_EQ(frame->GetHWND(), hwnd);
    }
}

TEST_F(MainFrameTest, EnterInTheFieldActsAsTheEnterButton)
{
    simulate::PressEnter(frame->m_editNum); // empty: the message box
    simulate::ProcessPending();
    ASSERT_EQ(MessageBoxLog::boxes.size(), 1u);
    EXPECT_EQ(frame->GetHWND(), hwnd);
    simulate::Type(frame->m_editNum, u"1234");
    simulate::PressEnter(frame->m_editNum);
    simulate::ProcessPending();
    EXPECT_EQ(frame->m_roomId, 1234);
    EXPECT_NE(FindWindowTitled(u"Orvel直播弹幕助手"), nullptr);
    EXPECT_EQ(frame->GetHWND(), nullptr);
}

TEST_F(MainFrameTest, TheDanmakuWindowIsOnTopFromItsFirstShow)
{
    Enter(u"1000");
    HWND danmu = FindWindowTitled(u"Orvel直播弹幕助手");
    ASSERT_NE(danmu, nullptr);
    simulate::WindowState first = simulate::StateOf(danmu);
    EXPECT_TRUE(first.visible);
    EXPECT_TRUE(first.topmost);
    SendMessageW(danmu, WM_TIMER, 1, 0); // the 6 s re-assertion
    EXPECT_EQ(simulate::StateOf(danmu).nativeId, first.nativeId);
}

TEST_F(MainFrameTest, CloseButtonEndsTheLoop)
{
    simulate::Click(frame->GetPaintManager().FindControl(u"btn_close"));
    Watchdog dog;
    CPaintManagerUI::MessageLoop();
    EXPECT_FALSE(dog.Fired());
}

TEST_F(MainFrameTest, RightButtonReleaseAndTimersOneToThreeAreSwallowed)
{
    bool passOn = true;
    simulate::Dispatch(hwnd, WM_RBUTTONUP, 0, 0, &passOn);
    EXPECT_FALSE(passOn);
    for (WPARAM id : {1u, 2u, 3u}) {
        simulate::Dispatch(hwnd, WM_TIMER, id, 0, &passOn);
        EXPECT_FALSE(passOn) << id;
    }
    simulate::Dispatch(hwnd, WM_TIMER, 4, 0, &passOn);
    EXPECT_TRUE(passOn);
    simulate::Dispatch(hwnd, WM_LBUTTONDBLCLK, 0, 0, &passOn);
    EXPECT_FALSE(passOn);
    simulate::Dispatch(hwnd, WM_MOUSEWHEEL, 0, 0, &passOn);
    EXPECT_TRUE(passOn) << "the wheel goes on to the controls";
    simulate::RightClick(hwnd, 100, 100); // real input takes the same road
    EXPECT_EQ(frame->GetHWND(), hwnd);
}

} // namespace
