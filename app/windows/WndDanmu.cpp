#include "app/windows/WndDanmu.h"

#include <algorithm>
#include <memory>

#include "app/ChatLog.h"
#include "app/FeedLog.h"
#include "app/windows/MainFrame.h"
#include "app/windows/MenuWnd.h"
#include "app/windows/HotKeys.h"
#include "app/windows/RoomSwitch.h"
#include "app/windows/WndSetting.h"
#include "feed/FeedPoller.h"
#include "feed/NewItems.h"
#include "feed/ToWide.h"
#include "support/XdgPaths.h"
#include "ui/Desktop.h"

using namespace DuiLib;

constexpr UINT_PTR kTopmostTimer = kFirstOwnTimer;
constexpr UINT kTopmostPeriodMs = 6000;
constexpr UINT kFadePeriodMs = 1000;

CWndDanmu::CWndDanmu(RunState& state) : m_state(state)
{
    InitWinParam(u"danmu.xml");
    m_rows.SetHighlight([this](const DanmuItem& item) { return m_filter.IsHighlighted(item); });
}

CWndDanmu::~CWndDanmu()
{
    StopPolling();
    if (m_nid.hWnd)
        Shell_NotifyIconW(NIM_DELETE, &m_nid);
}

HWND CWndDanmu::CreateFrame()
{
    return Create(nullptr, u"Orvel直播弹幕助手", ORVEL_WNDSTYLE, 0, 0, 0, 300, 250, nullptr);
}

void CWndDanmu::InitControls()
{
    SetIcon(IDI_ORVEL);
    m_list = dynamic_cast<CContainerUI*>(m_pm.FindControl(u"danmu"));
    m_room = m_pm.FindControl(u"room");
    m_members = m_pm.FindControl(u"members");
    m_membersLabel = m_pm.FindControl(u"members_label");
    m_newer = m_pm.FindControl(u"btn_newer");
    ApplyOpacity();
    m_filter = CDanmuFilter(m_state.options);
    ShowRoom();
    m_pm.SetDefaultFont(ORVEL_FONT_FACE, m_state.fontSize, false, false, false);
    PostMessageW(WM_DANMU_REFRESH, 0, 0);
    m_menuInWindow = !IsTrayAvailable();
    AddTrayIcon();
    RegisterHotKeys(m_state, GetHWND());
    StartWorker();
    SetTimer(GetHWND(), kTopmostTimer, kTopmostPeriodMs, nullptr);
    ScheduleFading();
}

// The timer runs only while rows fade: a window without fading is not woken.
void CWndDanmu::ScheduleFading()
{
    if (m_state.options.fadeSeconds > 0)
        SetTimer(GetHWND(), kFadeTimer, kFadePeriodMs, nullptr);
    else
        KillTimer(GetHWND(), kFadeTimer);
}

void CWndDanmu::AddTrayIcon()
{
    m_nid.cbSize = sizeof(m_nid);
    m_nid.hWnd = GetHWND();
    m_nid.uID = 1;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = LoadIconW(CPaintManagerUI::GetInstance(), MAKEINTRESOURCEW(IDI_ORVEL));
    Shell_NotifyIconW(NIM_ADD, &m_nid);
}

// The room label and the tray icon's tip name the room.
void CWndDanmu::ShowRoom()
{
    wsprintfW(m_nid.szTip, u"Orvel直播-%d", g_pMainFrame->m_roomId);
    if (m_room)
        m_room->SetText(m_nid.szTip);
    if (m_nid.hWnd)
        Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

void CWndDanmu::StartWorker()
{
    if (m_session->Started())
        return;
    m_session->room = g_pMainFrame->m_roomId;
    m_session->feed = m_state.feed;
    m_session->Start(this);
}

void CWndDanmu::RetireSession()
{
    m_session->stop.store(true);
    m_ending.push_back(std::move(m_session));
    m_session = std::make_unique<CPollSession>();
}

void CWndDanmu::StopPolling()
{
    RetireSession();
    for (const std::unique_ptr<CPollSession>& session : m_ending)
        session->Stop(session->stop);
    m_ending.clear();
}

void CWndDanmu::JoinEnded()
{
    for (auto it = m_ending.begin(); it != m_ending.end();) {
        if ((*it)->ended.load()) {
            (*it)->Stop((*it)->stop); // its thread has returned: no wait
            it = m_ending.erase(it);
        } else {
            ++it;
        }
    }
}

void CWndDanmu::SwitchRoom(int roomId)
{
    if (roomId == g_pMainFrame->m_roomId)
        return;
    // The old worker may be inside a request of its budget: it is left to
    // end on its own, filling a list nothing reads any more.
    RetireSession();
    g_pMainFrame->m_roomId = roomId;
    m_status = CFeedStatus();
    m_seen.clear();
    m_fade.Clear();
    m_cleared.clear();
    m_backlog = true;
    for (RowSink* sink : m_state.rowSinks)
        sink->RoomChanged(roomId);
    if (m_list)
        m_rows.Clear(*m_list);
    ShowNewer(false);
    ShowRoom();
    StartWorker();
    RefreshList();
}

int CWndDanmu::Run(CWorkerThread* thread, int)
{
    // Every worker is started by StartWorker, on a session of its own.
    auto& session = static_cast<CPollSession&>(*thread);
    HWND self = GetHWND(); // set before the thread started; never changes while it runs
    CFeedPoller poller(session.feed, session.items, [self] { ::PostMessageW(self, WM_DANMU_REFRESH, 0, 0); });
    poller.Run(session.room, session.stop);
    session.ended.store(true);
    return 0;
}

void CWndDanmu::RefreshList()
{
    JoinEnded();
    // Taken first: a refresh the worker posts from now on reads a newer list.
    Items().RefreshTaken();
    std::vector<DanmuItem> all = Items().Snapshot();
    const std::size_t first = FirstNewItem(m_seen, all);
    const std::size_t faded = m_fade.Update(all.size(), first, m_state.rowClock(), m_state.options.fadeSeconds);
    // Hidden, faded and emptied-away items never get a row.
    const std::size_t gone = std::max(faded, FirstNewItem(m_cleared, all));
    const std::vector<DanmuItem> items = m_filter.Shown({all.begin() + static_cast<std::ptrdiff_t>(gone), all.end()});
    if (m_list)
        SyncRows(items);
    TellNewRows(first, std::move(all));
    ShowStatus();
}

void CWndDanmu::TellNewRows(std::size_t first, std::vector<DanmuItem> all)
{
    if (first < all.size()) {
        const std::vector<DanmuItem> rows = m_filter.Shown({all.begin() + static_cast<std::ptrdiff_t>(first), all.end()});
        for (RowSink* sink : m_state.rowSinks) {
            if (!rows.empty())
                sink->RowsArrived(g_pMainFrame->m_roomId, rows, m_backlog);
        }
        m_backlog = false;
    }
    m_seen = std::move(all);
}

void CWndDanmu::SyncRows(const std::vector<DanmuItem>& items)
{
    // Rows built with another font are built again.
    if (m_pm.GetDefaultFontSize() != m_rowsFontSize) {
        m_rows.Clear(*m_list);
        m_rowsFontSize = m_pm.GetDefaultFontSize();
    }
    m_rows.SetWrap(m_state.options.wrap);
    auto* list = dynamic_cast<CListUI*>(m_list);
    if (list)
        list->BeginUpdate();
    const int added = m_rows.Sync(*m_list, items);
    if (list)
        list->EndUpdate();
    if (!list || list->IsFollowingEnd())
        m_list->EndDown();
    else if (added > 0)
        ShowNewer(true); // the user reads older rows: say that new ones came
}

void CWndDanmu::ApplyOpacity()
{
    const auto fade = m_state.options.backgroundOnly ? CPaintManagerUI::Fade::Background
                                                             : CPaintManagerUI::Fade::Window;
    m_pm.SetTransparent(g_pMainFrame->m_opacity, g_pMainFrame->m_transFlag, fade);
}

void CWndDanmu::OpacityChanged(int opacity)
{
    g_pMainFrame->m_opacity = opacity;
    ApplyOpacity();
}

void CWndDanmu::FontSizeChanged(int size)
{
    m_pm.SetDefaultFont(ORVEL_FONT_FACE, size, false, false, false);
    PostMessageW(WM_DANMU_REFRESH, 0, 0);
}

void CWndDanmu::OptionsChanged()
{
    ApplyOpacity();
    m_filter = CDanmuFilter(m_state.options);
    if (m_list)
        m_rows.Clear(*m_list);
    ScheduleFading();
    RefreshList();
}

void CWndDanmu::ShowStatus()
{
    const bool changed = m_status.Update(Items().LastOutcome(), CFeedStatus::Clock::now());
    if (changed)
        WriteLogLine(m_status.LogLine());
    for (RowSink* sink : m_state.rowSinks)
        sink->StatusChanged(Items().Online(), Items().LastOutcome());
    const bool failed = m_status.Failed();
    if (m_membersLabel)
        m_membersLabel->SetVisible(!failed);
    if (!m_members)
        return;
    CDuiString text;
    if (failed)
        text = u"连接中断";
    else
        text.Format(u"%d", Items().Online());
    m_members->SetText(text);
    const std::string details = failed ? m_status.Details(CFeedStatus::Clock::now()) : std::string();
    m_members->SetAttribute(u"tooltip", ToWide(details).c_str());
}

void CWndDanmu::ShowNewer(bool show)
{
    if (m_newer)
        m_newer->SetVisible(show);
}

void CWndDanmu::ClickNotify(TNotifyUI& msg)
{
    if (!msg.pSender || msg.pSender->GetName() != u"btn_newer" || !m_list)
        return;
    m_list->EndDown();
    ShowNewer(false);
}

void CWndDanmu::ScrollNotify(TNotifyUI&)
{
    auto* list = dynamic_cast<CListUI*>(m_list);
    if (list && list->IsFollowingEnd())
        ShowNewer(false);
}

LRESULT CWndDanmu::OnTimer(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (wParam == kTopmostTimer)
        SetWindowPos(GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    else if (wParam == kFadeTimer)
        RefreshList();
    return CAppWindow::OnTimer(msg, wParam, lParam, handled);
}

LRESULT CWndDanmu::OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    handled = wParam == SC_CLOSE; // any other command: the base's default
    if (handled)
        PostMessageW(WM_QUIT, 0, 0);
    return 0;
}

LRESULT CWndDanmu::OnRButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (m_menuInWindow)
        OpenTrayMenu(GetHWND(), kMenuAtCursor);
    return CAppWindow::OnRButtonUp(msg, wParam, lParam, handled);
}

LRESULT CWndDanmu::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case WM_DANMU_REFRESH:
        RefreshList();
        break;
    case WM_TRAY_NOTIFY:
        if (lParam == WM_RBUTTONUP)
            OpenTrayMenu(GetHWND());
        break;
    case WM_TRAY_COMMAND:
        OnTrayCommand(wParam);
        RefreshList();
        break;
    default:
        handled = false;
        break;
    }
    return 0;
}

void CWndDanmu::OnTrayCommand(WPARAM command)
{
    switch (command) {
    case TRAY_CMD_SHOW:
        TogglePassThrough();
        break;
    case TRAY_CMD_SETTINGS:
        OpenSettings();
        break;
    case TRAY_CMD_ROOM:
        OpenRoomSwitch();
        break;
    case TRAY_CMD_EXIT:
        PostMessageW(WM_QUIT, 0, 0);
        break;
    case TRAY_CMD_CHAT_LOG:
        OpenChatLogFolder();
        break;
    case KEY_CMD_SHOW_HIDE:
        m_hidden = !m_hidden;
        ShowWindow(!m_hidden, false); // over a game: the focus stays where it is
        break;
    case KEY_CMD_CLEAR:
        ClearRows();
        break;
    default:
        break;
    }
}

void CWndDanmu::TogglePassThrough()
{
    g_pMainFrame->m_transFlag = !g_pMainFrame->m_transFlag;
    ApplyOpacity();
    if (g_pMainFrame->m_transFlag && m_menuInWindow)
        TellPassThroughOn();
}

// Without a tray the window's own menu, now out of reach, was the way back.
// A working shortcut is named once ever; without one the user is told each
// time that only a restart ends it (pass-through is not remembered).
void CWndDanmu::TellPassThroughOn()
{
    DanmuOptions& options = m_state.options;
    const bool keyWorks = m_state.passThroughKey == ShortcutResult::Registered;
    if (keyWorks && options.passThroughNoticeShown)
        return;
    MessageBoxW(GetHWND(), PassThroughNotice(m_state), u"OrvelHelper", MB_OK);
    options.passThroughNoticeShown = options.passThroughNoticeShown || keyWorks;
}

// Made first: a file manager shows an error for a missing folder.
void CWndDanmu::OpenChatLogFolder()
{
    const std::string folder = ChatLogFolder();
    if (MakeDirs(folder, 0700) != 0 || !OpenFolder(folder))
        WriteLogLine("chat log: cannot show the folder " + folder);
}

// The items of the list as it stands are never shown again, however often
// the history repeats them; the refresh that follows the command shows what
// comes after them.
void CWndDanmu::ClearRows()
{
    m_cleared = Items().Snapshot();
    if (m_list)
        m_rows.Clear(*m_list);
    ShowNewer(false);
}

void CWndDanmu::OpenRoomSwitch()
{
    if (m_switching)
        return; // it is open already, modal over this window
    m_switching = true;
    CRoomSwitch prompt(*this);
    if (prompt.CreateOver(GetHWND())) {
        prompt.CenterWindow();
        prompt.ShowModal();
    }
    m_switching = false;
}

void CWndDanmu::OpenSettings()
{
    if (CWndSetting::BringOpenForward())
        return;
    CWndSetting setting(*this, m_state);
    // As large as its layout says.
    setting.Create(GetHWND(), u"设置", ORVEL_WNDSTYLE, 0, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT, nullptr);
    setting.ShowModal();
}
