#include "app/WndDanmu.h"

#include <memory>

#include "app/MainFrame.h"
#include "app/MenuWnd.h"
#include "app/WndSetting.h"
#include "feed/FeedPoller.h"

using namespace DuiLib;

constexpr UINT_PTR kTopmostTimer = 1;
constexpr UINT kTopmostPeriodMs = 6000;
constexpr int kRowHeight = 22;

CWndDanmu::CWndDanmu()
{
    InitWinParam(u"danmu.xml");
}

CWndDanmu::~CWndDanmu()
{
    m_worker.Stop(m_stop);
    if (m_nid.hWnd)
        Shell_NotifyIconW(NIM_DELETE, &m_nid);
}

void CWndDanmu::InitControls()
{
    SetIcon(IDI_ORVEL);
    m_list = dynamic_cast<CContainerUI*>(m_pm.FindControl(u"danmu"));
    m_room = m_pm.FindControl(u"room");
    m_members = m_pm.FindControl(u"members");
    m_pm.SetTransparent(g_pMainFrame->m_opacity, g_pMainFrame->m_transFlag);
    if (m_room) {
        CDuiString label;
        label.Format(u"Orvel直播-%d", g_pMainFrame->m_roomId);
        m_room->SetText(label);
    }
    m_pm.SetDefaultFont(ORVEL_FONT_FACE, g_pMainFrame->m_fontSize, false, false, false);
    PostMessageW(WM_DANMU_REFRESH, 0, 0);
    AddTrayIcon();
    if (!m_worker.Started()) {
        m_pollRoom = g_pMainFrame->m_roomId;
        m_pollFeed = g_pMainFrame->m_feed;
        m_worker.Start(this);
    }
    SetTimer(GetHWND(), kTopmostTimer, kTopmostPeriodMs, nullptr);
}

void CWndDanmu::AddTrayIcon()
{
    m_nid.cbSize = sizeof(m_nid);
    m_nid.hWnd = GetHWND();
    m_nid.uID = 1;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = LoadIconW(CPaintManagerUI::GetInstance(), MAKEINTRESOURCEW(IDI_ORVEL));
    wsprintfW(m_nid.szTip, u"Orvel直播-%d", g_pMainFrame->m_roomId);
    Shell_NotifyIconW(NIM_ADD, &m_nid);
}

int CWndDanmu::Run(CWorkerThread*, int)
{
    HWND self = GetHWND(); // set before the thread started; never changes while it runs
    CFeedPoller poller(m_pollFeed, m_items, [self] { ::PostMessageW(self, WM_DANMU_REFRESH, 0, 0); });
    poller.Run(m_pollRoom, m_stop);
    return 0;
}

// One row for the item, or null when the item layout cannot be built.
CListContainerElementUI* CWndDanmu::NewRow(const DanmuItem& item)
{
    CControlUI* content = CDialogBuilder().Create(u"danmu_item.xml");
    if (!content)
        return nullptr;
    auto row = std::make_unique<CListContainerElementUI>();
    row->Add(content);
    CDuiString level;
    level.Format(u"%d.png", item.level);
    row->SetSubControlBkImage(u"level", level);
    row->SetSubControlText(u"nick", item.nick.c_str());
    row->SetSubControlText(u"msg", item.msg.c_str());
    row->SetFixedHeight(kRowHeight);
    return row.release();
}

void CWndDanmu::RefreshList()
{
    std::vector<DanmuItem> items = m_items.Snapshot();
    if (m_list) {
        m_list->RemoveAll();
        for (const DanmuItem& item : items)
            m_list->Add(NewRow(item)); // no row for an item whose layout failed
        m_list->EndDown();
    }
    if (m_members) {
        CDuiString online;
        online.Format(u"%d", m_items.Online());
        m_members->SetText(online);
    }
}

LRESULT CWndDanmu::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    handled = true;
    if (wParam == kTopmostTimer)
        SetWindowPos(GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    else if (wParam != 2 && wParam != 3)
        handled = false;
    return 0;
}

LRESULT CWndDanmu::OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    handled = wParam == SC_CLOSE; // any other command: the base's default
    if (handled)
        PostMessageW(WM_QUIT, 0, 0);
    return 0;
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
        g_pMainFrame->m_transFlag = !g_pMainFrame->m_transFlag;
        m_pm.SetTransparent(g_pMainFrame->m_opacity, g_pMainFrame->m_transFlag);
        break;
    case TRAY_CMD_SETTINGS:
        OpenSettings();
        break;
    case TRAY_CMD_EXIT:
        PostMessageW(WM_QUIT, 0, 0);
        break;
    default:
        break;
    }
}

void CWndDanmu::OpenSettings()
{
    if (CWndSetting::BringOpenForward())
        return;
    CWndSetting setting(this);
    setting.Create(GetHWND(), u"设置", ORVEL_WNDSTYLE, 0, 0, 0, 200, 100, nullptr);
    setting.CenterWindow();
    setting.ShowModal();
}
