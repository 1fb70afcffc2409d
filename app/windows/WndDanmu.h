#pragma once

#include <atomic>

#include "app/windows/AppMessages.h"
#include "app/windows/AppWindow.h"
#include "app/rows/DanmuFilter.h"
#include "app/rows/DanmuRows.h"
#include "app/rows/RowFade.h"
#include "app/windows/DanmuView.h"
#include "app/windows/FeedStatus.h"
#include "app/windows/PollSession.h"
#include "app/RunState.h"
#include "support/Runnable.h"

#include <memory>
#include <vector>

// While rows fade, this timer refreshes the rows each second, so that they
// go in time even when no new list comes.
constexpr UINT_PTR kFadeTimer = kFirstOwnTimer + 1;

// The danmaku window: the room's latest messages as rows, the room label and
// the online count. Its worker thread runs the feed poller; it owns the tray
// icon (and, without a tray, offers its menu on a right click), takes the
// global shortcuts (pass-through, show or hide, empty the rows), and opens
// the settings window and the room switch.
class CWndDanmu : public CAppWindow, public Runnable, public DanmuView {
public:
    explicit CWndDanmu(RunState& state);
    // Stops and joins the workers and removes the tray icon, for a window
    // thrown away before the end of the run.
    ~CWndDanmu() override;

    // Creates the window with its own title and size, not yet shown: the
    // caller places it.
    HWND CreateFrame();
    // Brings the rows in step with the latest published list and shows the
    // online count, or the feed's failure in its place.
    void RefreshList();
    HWND ViewWindow() const override { return GetHWND(); }
    void OpacityChanged(int opacity) override;
    void FontSizeChanged(int size) override;
    // The opacity again, the filter made anew, and every row built anew.
    void OptionsChanged() override;
    // Polls another room in this window: the old room's worker asked to
    // stop (not waited for), the rows and the feed's state dropped, the room
    // shown, a new worker started. The same room changes nothing.
    void SwitchRoom(int roomId);
    // A worker thread: the feed poller of its session, every 3 seconds,
    // until the session's stop flag.
    int Run(CWorkerThread* thread, int param) override;
    // Stops every worker and waits for them (a class that overrides Run
    // calls it in its own destructor).
    void StopPolling();

    // Whether an item shows highlighted under the options as they now stand.
    bool IsHighlighted(const DanmuItem& item) const { return m_filter.IsHighlighted(item); }
    // The current room's list, and whether its worker runs.
    CDanmuList& Items() { return m_session->items; }
    bool Polling() const { return m_session->Started(); }

    DuiLib::CControlUI* m_room = nullptr;
    DuiLib::CControlUI* m_members = nullptr;
    DuiLib::CContainerUI* m_list = nullptr;
    DuiLib::CControlUI* m_membersLabel = nullptr; // "在线", hidden while the feed fails
    DuiLib::CControlUI* m_newer = nullptr;        // the "new messages below" hint
    NOTIFYICONDATAW m_nid{};

protected:
    void InitControls() override;
    LRESULT OnTimer(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnRButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void ClickNotify(DuiLib::TNotifyUI& msg) override;
    void ScrollNotify(DuiLib::TNotifyUI& msg) override;

private:
    // Applies the opacity and pass-through as they now stand.
    void ApplyOpacity();
    void AddTrayIcon();
    void ShowRoom();
    void StartWorker();
    void RetireSession();
    void JoinEnded();
    void OnTrayCommand(WPARAM command);
    void TogglePassThrough();
    void ClearRows();
    void TellPassThroughOn();
    void OpenSettings();
    void OpenRoomSwitch();
    void SyncRows(const std::vector<DanmuItem>& items);
    void TellNewRows(std::size_t first, std::vector<DanmuItem> all);
    void ScheduleFading();
    void OpenChatLogFolder();
    void ShowStatus();
    void ShowNewer(bool show);

    RunState& m_state;
    std::unique_ptr<CPollSession> m_session = std::make_unique<CPollSession>(); // the current room's
    std::vector<std::unique_ptr<CPollSession>> m_ending; // earlier rooms' workers, asked to stop
    CDanmuFilter m_filter; // made from the options when they change
    CDanmuRows m_rows;
    std::vector<DanmuItem> m_seen; // the room's latest list, told to the row sinks
    CRowFade m_fade;               // when the items of m_seen arrived
    std::vector<DanmuItem> m_cleared; // the room's list when its rows were emptied
    bool m_backlog = true;         // nothing of the room told yet
    int m_rowsFontSize = 0; // the font the rows were built with
    CFeedStatus m_status;
    // No tray host at the start: the window's own right-click menu offers
    // the tray menu's items.
    bool m_menuInWindow = false;
    bool m_switching = false; // the room switch is open
    bool m_hidden = false;    // hidden by its shortcut
};
