// The start window: the room number, the message box, the danmaku window
// and the end of the program; and the entry point that shows it.

#include <gtest/gtest.h>

#include "app/WinMain.h"
#include "tests/app/AppFixtures.h"
#include "tests/common/Watchdog.h"

using namespace DuiLib;

namespace {

class MainFrameTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        hwnd = OpenStart();
    }
    HWND hwnd = nullptr;
};

// Room numbers are read as the C library reads them; the button and Enter
// in the field both enter, and an empty field asks again.
TEST_F(MainFrameTest, RoomNumbersFollowTheCLibraryRulesAndOpenTheDanmakuWindowOnTop)
{
    const struct {
        const char16_t* text;
        int room;
    } cases[] = {{u"", 1000}, {u"   ", 0}, {u"12ab", 12}, {u"abc", 0}, {u" -7", -7}, {u"99999999999", 2147483647}};
    for (bool button : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << CDuiString(c.text).GetLength() << (button ? " button" : " Enter"));
            TearDown();
            SetUp();
            const size_t windows = simulate::Windows().size();
            simulate::Type(frame->m_editNum, c.text);
            if (button)
                simulate::Click(frame->GetPaintManager().FindControl(u"btn_enter"));
            else
                simulate::PressEnter(frame->m_editNum);
            simulate::ProcessPending();
            EXPECT_EQ(frame->m_roomId, c.room);
            const HWND danmu = simulate::Windows().back(); // the newest
            if (!*c.text) {
                ASSERT_EQ(MessageBoxLog::boxes.size(), 1u);
                const MessageBoxLog::Box& box = MessageBoxLog::boxes[0];
                EXPECT_TRUE(box.owner == hwnd && box.text == u"请输入房间号" && box.caption.empty() && box.type == MB_OK);
                EXPECT_EQ(frame->GetHWND(), hwnd);
                EXPECT_EQ(simulate::Windows().size(), windows) << "no danmaku window";
                continue;
            }
            EXPECT_TRUE(MessageBoxLog::boxes.empty());
            const simulate::WindowState s = simulate::StateOf(danmu);
            EXPECT_EQ(s.title, u"Orvel直播弹幕助手");
            EXPECT_TRUE(s.visible && s.topmost);
            EXPECT_EQ(s.width * 1000 + s.height, 300 * 1000 + 250);
            EXPECT_EQ(frame->GetHWND(), nullptr) << "the start window closed, its object lives on";
        }
    }
}

TEST_F(MainFrameTest, TheFieldTakesItsOwnDoubleClickToSelectAWord)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {{u"3456", u"7"}, {u"房间", u"7"}, {u"12 34", u"12 7"}};
    for (const auto& c : cases) {
        frame->m_editNum->SetText(u"");
        simulate::Type(frame->m_editNum, c.first);
        simulate::DoubleClick(hwnd, 198 + 100, 233); // near the right end: the last word
        simulate::Type(frame->m_editNum, u"7");
        EXPECT_EQ(frame->m_editNum->GetText(), c.second);
        EXPECT_EQ(frame->GetHWND(), hwnd);
    }
}

TEST_F(MainFrameTest, TheCloseButtonEndsTheLoop)
{
    simulate::Click(frame->GetPaintManager().FindControl(u"btn_close"));
    EXPECT_TRUE(LoopEnds());
}

TEST(WinMainTest, ShowsTheStartWindowFromTheSkinBesideTheProgramAndReturnsZero)
{
    CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    PostMessageW(nullptr, WM_QUIT, 0, 0); // ends the loop once it is up
    Watchdog dog;
    EXPECT_EQ(wWinMain(GetModuleHandleW(nullptr)), 0);
    EXPECT_FALSE(dog.Fired());
    ASSERT_NE(g_pMainFrame, nullptr);
    const simulate::WindowState s = simulate::StateOf(g_pMainFrame->GetHWND());
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.title, u"OrvelHelper");
    EXPECT_EQ(s.width * 1000 + s.height, 396 * 1000 + 389);
    for (LPCTSTR name : {u"edit_num", u"btn_enter", u"btn_close"})
        EXPECT_NE(g_pMainFrame->GetPaintManager().FindControl(name), nullptr) << "the layouts come from skin.zip";
}

} // namespace
