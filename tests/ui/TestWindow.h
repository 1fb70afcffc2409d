#pragma once

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/Watchdog.h"
#include "ui/UIlib.h"

// Points the library at the test layouts (layouts.zip beside "skin").
void UseTestLayouts();

// A window that builds a test layout and records what reaches it.
class TestWindow : public DuiLib::CWindowWnd, public DuiLib::INotifyUI {
public:
    explicit TestWindow(LPCTSTR layout = u"all.xml") : m_layout(layout) {}
    HWND Open(DWORD style = 2059, HWND parent = nullptr);

    struct Received {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Received> messages;
    std::vector<DuiLib::TNotifyUI> notes;
    std::function<bool(UINT, WPARAM)> handles; // true: handled, no default
    std::function<void(UINT, WPARAM)> onMessage;
    int finalMessages = 0;
    DuiLib::CPaintManagerUI pm;

    int Count(UINT msg) const;
    void Notify(DuiLib::TNotifyUI& msg) override { notes.push_back(msg); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND) override { ++finalMessages; }

private:
    DuiLib::CDuiString m_layout;
};

// An open test window, with no quit left over from an earlier test.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Runs the loop; false if only the watchdog could end it.
    static bool RunLoop();
    TestWindow w;
};
