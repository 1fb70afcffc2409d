#include "app/MainFrame.h"

#include <new>

#include "app/MenuWnd.h"
#include "app/WindowPlacement.h"
#include "app/WndDanmu.h"

using namespace DuiLib;

CMainFrame* g_pMainFrame = nullptr;

CMainFrame::CMainFrame()
{
    g_pMainFrame = this;
    InitWinParam(u"MainFrame.xml");
    SetTrayMenuSource(TrayMenuItems); // for the tray icon the danmaku window adds
    m_roomId = 1000;
    m_opacity = 150;
    m_transFlag = false;
}

void CMainFrame::InitControls()
{
    SetIcon(IDI_ORVEL);
    m_editNum = m_pm.FindControl(u"edit_num");
}

void CMainFrame::ClickNotify(TNotifyUI& msg)
{
    CDuiString name = msg.pSender->GetName();
    if (name == u"btn_close")
        PostMessageW(WM_QUIT, 0, 0);
    else if (name == u"btn_enter")
        Enter();
}

// Enter in the room field does what the enter button does.
void CMainFrame::Notify(TNotifyUI& msg)
{
    WindowImplBaseNew::Notify(msg);
    if (msg.sType == u"return" && msg.pSender == m_editNum)
        Enter();
}

void CMainFrame::Enter()
{
    if (!m_editNum)
        return; // a layout without the field: nothing to read
    CDuiString text = m_editNum->GetText();
    if (text.IsEmpty()) {
        MessageBoxW(GetHWND(), u"请输入房间号", u"", MB_OK);
        return;
    }
    OpenRoom(_wtoi(text));
}

void CMainFrame::OpenRoom(int roomId)
{
    m_roomId = roomId;
    CWndDanmu* danmu = new (std::nothrow) CWndDanmu;
    if (!danmu)
        return;
    danmu->CreateFrame();
    danmu->CenterWindow();
    // Above other windows from its first appearance, not only from the first
    // re-assertion 6 s later.
    SetWindowPos(danmu->GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (m_danmuRect) {
        const WindowRect place = PlaceOnScreen(*m_danmuRect);
        SetWindowPos(danmu->GetHWND(), nullptr, place.x, place.y, place.width, place.height, 0);
    }
    m_danmu = danmu;
    danmu->ShowWindow(true, true);
    Close(1);
}
