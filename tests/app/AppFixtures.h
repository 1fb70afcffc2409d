#pragma once

// The app tests' windows, each made here and only here: the start window's
// object (alive to the end of a test, as to the end of the program), quiet
// danmaku windows and settings windows over them.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/windows/WndSetting.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QuietDanmu.h"
#include "tests/common/Watchdog.h"
#include "ui/testing/Simulate.h"

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        MessageBoxLog::Install();
        state = RunState{};
        frame = new CMainFrame(state);
    }
    void TearDown() override
    {
        m_settings.clear();
        m_danmus.clear();
        delete frame;
    }
    HWND OpenStart() // shown
    {
        HWND h = frame->CreateOver(nullptr);
        frame->ShowWindow(true, true);
        return h;
    }
    // Shown, its first refresh handled.
    QuietDanmu& OpenDanmu()
    {
        auto danmu = std::make_unique<QuietDanmu>(state);
        QuietDanmu& opened = *danmu;
        m_danmus.push_back(std::move(danmu));
        EXPECT_NE(opened.Open(), nullptr);
        DuiLib::simulate::ProcessPending();
        return opened;
    }
    // One that asks the feed, as the program's does.
    CWndDanmu& OpenPolling()
    {
        m_danmus.push_back(std::make_unique<CWndDanmu>(state));
        EXPECT_NE(m_danmus.back()->CreateFrame(), nullptr);
        return *m_danmus.back();
    }
    // As the tray makes it, but not shown, so not modal.
    CWndSetting& OpenSettings(QuietDanmu& owner)
    {
        m_settings.push_back(std::make_unique<CWndSetting>(owner, state));
        m_settings.back()->Create(owner, u"设置", ORVEL_WNDSTYLE, 0, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT, nullptr);
        return *m_settings.back();
    }
    DanmuOptions& Options() { return state.options; } // what the windows share
    // Runs the message loop; false if it did not end on its own.
    static bool LoopEnds()
    {
        Watchdog dog;
        DuiLib::CPaintManagerUI::MessageLoop();
        return !dog.Fired();
    }

    // What the windows share; static, as the danmaku windows that the start
    // window opens outlive a test, as they outlive the program's loop.
    inline static RunState state;
    CMainFrame* frame = nullptr;

private:
    std::vector<std::unique_ptr<CWndDanmu>> m_danmus;
    std::vector<std::unique_ptr<CWndSetting>> m_settings;
};

// With one danmaku window open.
class DanmuTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        danmu = &OpenDanmu();
        hwnd = danmu->GetHWND();
    }
    // Publishes the items as the feed would and handles the refresh.
    void Show(std::vector<DanmuItem> items, int online = 5)
    {
        danmu->Feed(std::move(items), online);
        DuiLib::simulate::ProcessPending();
    }
    DuiLib::CControlUI* Cell(int row, LPCTSTR name) const { return danmu->Cell(row, name); }
    DuiLib::CDuiString Text(int row, LPCTSTR name) const { return Cell(row, name)->GetText(); }

    QuietDanmu* danmu = nullptr;
    HWND hwnd = nullptr;
};
