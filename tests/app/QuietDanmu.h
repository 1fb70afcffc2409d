#pragma once

#include <functional>
#include <vector>

#include "app/windows/MainFrame.h"
#include "app/windows/WndDanmu.h"

// A danmaku window whose worker does not poll: tests publish to it directly.
// It records the tray commands it receives and can run a test step inside
// whatever loop is running (posted as WM_TEST_STEP).
class QuietDanmu : public CWndDanmu {
public:
    static constexpr UINT WM_TEST_STEP = WM_USER + 77;

    explicit QuietDanmu(RunState& state) : CWndDanmu(state) {}

    ~QuietDanmu() override { StopPolling(); } // before this object goes
    HWND Open();
    int Run(CWorkerThread*, int) override { return 0; }
    // Publishes items and a count as the feed would, and posts the refresh.
    void Feed(std::vector<DanmuItem> items, int online);
    int RowCount() const { return m_list ? m_list->GetCount() : -1; }
    DuiLib::CControlUI* Cell(int row, LPCTSTR name) const
    {
        DuiLib::CControlUI* r = m_list ? m_list->GetItemAt(row) : nullptr;
        return r ? r->FindControl(name) : nullptr;
    }

    std::vector<WPARAM> commands;
    bool keepCommands = false; // record tray commands instead of acting on them
    std::function<void()> step;

protected:
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
};

DanmuItem Item(const char16_t* nick, const char16_t* msg, int level);
