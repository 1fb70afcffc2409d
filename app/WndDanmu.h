#pragma once

#include <atomic>

#include "app/AppMessages.h"
#include "app/AppWindow.h"
#include "app/DanmuFilter.h"
#include "app/DanmuRows.h"
#include "app/FeedStatus.h"
#include "feed/DanmuList.h"
#include "feed/FeedPoller.h"
#include "support/Runnable.h"
#include "support/WorkerThread.h"

// The danmaku window: the room's latest messages as rows, the room label and
// the online count. Its worker thread runs the feed poller; it owns the tray
// icon (and, without a tray, offers its menu on a right click), takes the
// pass-through shortcut, and opens the settings window and the room switch.
class CWndDanmu : public CAppWindow, public Runnable {
public:
    CWndDanmu();
    // Stops and joins the worker and removes the tray icon, for a window
    // thrown away before the end of the run.
    ~CWndDanmu() override;

    // Creates the window with its own title and size, not yet shown: the
    // caller places it.
    HWND CreateFrame();
    // Brings the rows in step with the latest published list and shows the
    // online count, or the feed's failure in its place.
    void RefreshList();
    // Applies the opacity and pass-through as they now stand.
    void ApplyOpacity();
    // After a display or filter option changed: the opacity again, the
    // filter made anew, and every row built anew.
    void OptionsChanged();
    // Polls another room in this window: the worker stopped, the rows and
    // the feed's state dropped, the room shown, the worker started again.
    // The same room changes nothing.
    void SwitchRoom(int roomId);
    // The worker thread: the feed poller, every 3 seconds, until m_stop.
    int Run(CWorkerThread* thread, int param) override;

    DuiLib::CControlUI* m_room = nullptr;
    DuiLib::CControlUI* m_members = nullptr;
    DuiLib::CContainerUI* m_list = nullptr;
    DuiLib::CControlUI* m_membersLabel = nullptr; // "在线", hidden while the feed fails
    DuiLib::CControlUI* m_newer = nullptr;        // the "new messages below" hint
    CWorkerThread m_worker;
    std::atomic<bool> m_stop{false};
    CDanmuList m_items; // the shared list, its lock and the online count
    NOTIFYICONDATAW m_nid{};
    int m_pollRoom = 0; // the room number, copied for the worker before it starts
    FeedSettings m_pollFeed; // the services, likewise

protected:
    void InitControls() override;
    LRESULT OnTimer(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnRButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void ClickNotify(DuiLib::TNotifyUI& msg) override;
    void ScrollNotify(DuiLib::TNotifyUI& msg) override;

private:
    void AddTrayIcon();
    void ShowRoom();
    void StartWorker();
    void OnTrayCommand(WPARAM command);
    void TogglePassThrough();
    void TellPassThroughOn();
    void OpenSettings();
    void OpenRoomSwitch();
    void SyncRows(const std::vector<DanmuItem>& items);
    void ShowStatus();
    void ShowNewer(bool show);

    CDanmuFilter m_filter; // made from the options when they change
    CDanmuRows m_rows;
    int m_rowsFontSize = 0; // the font the rows were built with
    CFeedStatus m_status;
    // No tray host at the start: the window's own right-click menu offers
    // the tray menu's items.
    bool m_menuInWindow = false;
    bool m_switching = false; // the room switch is open
};
