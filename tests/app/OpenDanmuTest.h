#pragma once

#include <gtest/gtest.h>

#include "tests/app/QuietDanmu.h"

// A test with the start window's object and an open quiet danmaku window,
// its first refresh handled.
class OpenDanmuTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { delete frame; }

    RunState state; // before the windows that keep it
    CMainFrame* frame = nullptr;
    QuietDanmu danmu{state};
    HWND hwnd = nullptr;
};
