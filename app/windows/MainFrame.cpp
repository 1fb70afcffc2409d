#include "app/windows/MainFrame.h"

#include <new>

#include "app/windows/MenuWnd.h"
#include "app/windows/WindowPlacement.h"
#include "app/windows/WndDanmu.h"

using namespace DuiLib;

CMainFrame* g_pMainFrame = nullptr;

CMainFrame::CMainFrame(RunState& state) : m_state(state)
{
    g_pMainFrame = this;
    SetTrayMenuSource(TrayMenuItems); // for the tray icon the danmaku window adds
    m_roomId = 1000;
    m_opacity = 150;
    m_transFlag = false;
}

void CMainFrame::Dismissed()
{
    PostMessageW(WM_QUIT, 0, 0);
}

void CMainFrame::OpenRoom(int roomId)
{
    m_roomId = roomId;
    CWndDanmu* danmu = new (std::nothrow) CWndDanmu(m_state);
    if (!danmu)
        return;
    danmu->CreateFrame();
    danmu->CenterWindow();
    // Above other windows from its first appearance, not only from the first
    // re-assertion 6 s later.
    SetWindowPos(danmu->GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (m_state.danmuRect) {
        const WindowRect place = PlaceOnScreen(*m_state.danmuRect);
        SetWindowPos(danmu->GetHWND(), nullptr, place.x, place.y, place.width, place.height, 0);
    }
    m_state.danmu = danmu;
    danmu->ShowWindow(true, true);
    Close(1);
}
