// The end of the run: a worker that still posts after the loop has ended
// must find the door shut, not a dying application.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/ui/TestWindow.h"

using namespace DuiLib;

TEST(ShutdownTest, PostsAfterTermAreDroppedFromAnyThread)
{
    UseTestLayouts();
    TestWindow w;
    ASSERT_NE(w.Open(), nullptr);
    PostMessageW(w, WM_QUIT, 0, 0);
    CPaintManagerUI::MessageLoop();
    std::atomic<bool> stop{false};
    std::atomic<int> accepted{0};
    std::thread worker([&] {
        while (!stop)
            accepted += PostMessageW(w, WM_USER, 0, 0);
    });
    CPaintManagerUI::Term();
    int afterTerm = accepted;
    for (int i = 0; i < 1000; ++i)
        EXPECT_FALSE(PostMessageW(w, WM_USER, 0, 0));
    stop = true;
    worker.join();
    EXPECT_LE(accepted.load() - afterTerm, 1) << "at most the post already under way";
}
