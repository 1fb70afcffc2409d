// Window messages: posting across threads, the message loop and modal
// loops, timers, Qt input turned into messages, and the window calls.

#include <gtest/gtest.h>

#include <thread>

#include "tests/ui/TestWindow.h"
#include "ui/qt/AppCore.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

namespace {

constexpr UINT WM_PING = WM_USER + 1;

class MessageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A quit honoured by an earlier test (its last window closed) is over.
        simulate::ProcessPending();
        core::ResetQuit();
        UseTestLayouts();
        ASSERT_NE(w.Open(), nullptr);
    }
    // Runs the loop; false if only the watchdog could end it.
    bool RunLoop()
    {
        Watchdog dog;
        CPaintManagerUI::MessageLoop();
        return !dog.Fired();
    }
    TestWindow w;
};

TEST_F(MessageTest, APostFromAnotherThreadIsHandledOnTheUserInterfaceThread)
{
    w.onMessage = [this](UINT msg, WPARAM) {
        if (msg == WM_PING)
            w.PostMessageW(WM_QUIT);
    };
    BOOL posted = FALSE;
    std::thread worker([&] { posted = PostMessageW(w, WM_PING, 5, 6); });
    worker.join();
    ASSERT_TRUE(posted);
    ASSERT_TRUE(RunLoop());
    ASSERT_EQ(w.Count(WM_PING), 1);
    const auto& got = w.messages.back();
    EXPECT_EQ(got.wParam, 5u);
    EXPECT_EQ(got.lParam, 6);
    EXPECT_EQ(got.thread, std::this_thread::get_id());
}

TEST_F(MessageTest, QuitEndsTheLoopAndALaterLoopRunsAfresh)
{
    PostMessageW(w, WM_QUIT, 0, 0);
    ASSERT_TRUE(RunLoop());
    PostMessageW(w, WM_PING, 0, 0);
    PostMessageW(w, WM_QUIT, 0, 0);
    ASSERT_TRUE(RunLoop());
    EXPECT_EQ(w.Count(WM_PING), 1);
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
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(99999), 1, 10, nullptr), 0u);
}

TEST_F(MessageTest, PostsToWindowsThatDoNotExistFail)
{
    EXPECT_FALSE(PostMessageW(reinterpret_cast<HWND>(99999), WM_PING, 0, 0));
    HWND old = w;
    w.Close(3);
    simulate::ProcessPending();
    EXPECT_EQ(w.GetHWND(), nullptr);
    EXPECT_EQ(w.finalMessages, 1);
    EXPECT_FALSE(PostMessageW(old, WM_PING, 0, 0));
    EXPECT_EQ(SendMessageW(old, WM_PING, 0, 0), 0);
}

TEST_F(MessageTest, ShowModalReturnsTheCloseCodeOnceTheWindowIsGone)
{
    TestWindow dialog;
    ASSERT_NE(dialog.Open(2059, w), nullptr);
    dialog.Close(5);
    Watchdog dog;
    EXPECT_EQ(dialog.ShowModal(), 5u);
    EXPECT_FALSE(dog.Fired());
    EXPECT_EQ(dialog.finalMessages, 1);
    EXPECT_EQ(dialog.Count(WM_DESTROY), 1);
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

TEST_F(MessageTest, ClosingTheLastWindowEndsTheLoop)
{
    w.Close();
    ASSERT_TRUE(RunLoop());
    EXPECT_EQ(w.finalMessages, 1);
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

TEST_F(MessageTest, HandledMessagesSkipTheDefaultProcessing)
{
    bool passOn = false;
    simulate::Dispatch(w, WM_RBUTTONUP, 0, 0, &passOn);
    EXPECT_TRUE(passOn);
    w.handles = [](UINT msg, WPARAM) { return msg == WM_RBUTTONUP; };
    simulate::Dispatch(w, WM_RBUTTONUP, 0, 0, &passOn);
    EXPECT_FALSE(passOn);
}

// The alpha channel is chosen when the native window is made: a window shown
// before it asked for one can only fade as a whole.
TEST_F(MessageTest, AWindowShownBeforeItsTransparencyFadesAsAWhole)
{
    w.ShowWindow(true, true);
    w.pm.SetTransparent(100, false, CPaintManagerUI::Fade::Background);
    const simulate::WindowState s = simulate::StateOf(w);
    EXPECT_NEAR(s.opacity, 100 / 255.0, 0.01);
    EXPECT_EQ(s.backgroundAlpha, 255);
}

TEST_F(MessageTest, WindowCallsChangeTheWindow)
{
    w.ShowWindow(true, true);
    w.pm.SetTransparent(300, true);
    simulate::WindowState s = simulate::StateOf(w);
    EXPECT_TRUE(s.visible);
    EXPECT_TRUE(s.passThrough);
    EXPECT_DOUBLE_EQ(s.opacity, 1.0) << "opacity is clamped to 255";
    w.pm.SetTransparent(51, false);
    s = simulate::StateOf(w);
    EXPECT_FALSE(s.passThrough);
    EXPECT_NEAR(s.opacity, 0.2, 0.01);
    EXPECT_TRUE(s.visible) << "changing the flag keeps the window shown";

    EXPECT_TRUE(SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_TRUE(simulate::StateOf(w).topmost);
    EXPECT_TRUE(SetWindowPos(w, nullptr, 15, 25, 200, 100, SWP_NOACTIVATE));
    RECT r{};
    ASSERT_TRUE(GetWindowRect(w, &r));
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
    EXPECT_FALSE(GetWindowRect(reinterpret_cast<HWND>(99999), &r));
    ShowWindow(w, SW_HIDE);
    EXPECT_FALSE(simulate::StateOf(w).visible);
}

} // namespace
