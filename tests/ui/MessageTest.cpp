// Window messages: the message loop and modal loops, timers, Qt input turned into messages, and calls on windows gone.

#include "tests/ui/TestWindow.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

constexpr UINT WM_PING = WM_USER + 1;

using MessageTest = WindowTest;

// A quit or the last window's close ends the loop; a later loop runs afresh.
TEST_F(MessageTest, QuitOrTheLastCloseEndsTheLoopAndALaterLoopRunsAfresh)
{
    PostMessageW(w, WM_QUIT, 0, 0);
    ASSERT_TRUE(RunLoop());
    PostMessageW(w, WM_PING, 0, 0);
    w.Close();
    ASSERT_TRUE(RunLoop());
    EXPECT_EQ(w.Count(WM_PING), 1);
    EXPECT_EQ(w.finalMessages, 1);
}

TEST_F(MessageTest, TimerTicksCarryTheirIdAndTheSameIdReplacesTheTimer)
{
    EXPECT_EQ(SetTimer(w, 7, 100000, nullptr), 7u);
    EXPECT_EQ(SetTimer(w, 7, 1, nullptr), 7u); // replaces the slow one
    w.onMessage = [this](UINT msg, WPARAM) {
        if (msg == WM_TIMER && w.Count(WM_TIMER) == 2)
            w.PostMessageW(WM_QUIT);
    };
    ASSERT_TRUE(RunLoop());
    for (const auto& m : w.messages) {
        if (m.msg == WM_TIMER) {
            EXPECT_EQ(m.wParam, 7u);
        }
    }
}

// Calls on a window that never existed, or no longer does, fail.
TEST_F(MessageTest, CallsOnWindowsThatDoNotExistFail)
{
    const HWND old = w;
    w.Close(3);
    simulate::ProcessPending();
    EXPECT_EQ(w.GetHWND(), nullptr);
    EXPECT_EQ(w.finalMessages, 1);
    RECT r{};
    for (HWND gone : {reinterpret_cast<HWND>(99999), old}) {
        EXPECT_FALSE(PostMessageW(gone, WM_PING, 0, 0));
        EXPECT_EQ(SendMessageW(gone, WM_PING, 0, 0), 0);
        EXPECT_EQ(SetTimer(gone, 1, 10, nullptr), 0u);
        EXPECT_FALSE(GetWindowRect(gone, &r));
    }
}

TEST_F(MessageTest, QuitDuringAModalLoopEndsItAndTheOuterLoop)
{
    TestWindow dialog;
    ASSERT_NE(dialog.Open(2059, w), nullptr);
    UINT modalResult = 99;
    w.onMessage = [&](UINT msg, WPARAM) {
        if (msg != WM_PING)
            return;
        dialog.PostMessageW(WM_QUIT);
        modalResult = dialog.ShowModal();
    };
    w.PostMessageW(WM_PING);
    ASSERT_TRUE(RunLoop());
    EXPECT_EQ(modalResult, 0u);
    EXPECT_NE(dialog.GetHWND(), nullptr) << "the dialog was not closed, only the loops ended";
}

TEST_F(MessageTest, QtInputArrivesAsWindowMessages)
{
    simulate::RightClick(w, 30, 40);
    ASSERT_EQ(w.Count(WM_RBUTTONUP), 1);
    EXPECT_EQ(w.messages.back().lParam, MAKELPARAM(30, 40));
    simulate::DoubleClick(w, 10, 10);
    EXPECT_EQ(w.Count(WM_LBUTTONDBLCLK), 1);
    simulate::Wheel(w, -120);
    ASSERT_EQ(w.Count(WM_MOUSEWHEEL), 1);
    EXPECT_EQ(static_cast<short>(HIWORD(w.messages.back().wParam)), -120);
}

TEST_F(MessageTest, ACloseRequestIsTheSystemCloseCommand)
{
    w.handles = [](UINT msg, WPARAM wParam) { return msg == WM_SYSCOMMAND && wParam == SC_CLOSE; };
    simulate::CloseRequest(w);
    simulate::ProcessPending();
    ASSERT_EQ(w.Count(WM_SYSCOMMAND), 1);
    EXPECT_NE(w.GetHWND(), nullptr) << "handled: the window stays";

    w.handles = nullptr;
    simulate::CloseRequest(w);
    simulate::ProcessPending();
    EXPECT_EQ(w.GetHWND(), nullptr) << "default: the window closes";
}

} // namespace
