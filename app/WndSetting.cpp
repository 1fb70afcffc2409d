#include "app/WndSetting.h"

#include "app/MainFrame.h"
#include "app/PassThroughKey.h"
#include "app/WndDanmu.h"

using namespace DuiLib;

// The settings window that is open, if any: there is only ever one.
static CWndSetting* g_openSetting = nullptr;

CWndSetting::CWndSetting(CWndDanmu* danmu) : m_danmu(danmu)
{
    InitWinParam(u"setting.xml");
    if (!g_openSetting)
        g_openSetting = this;
}

CWndSetting::~CWndSetting()
{
    if (g_openSetting == this)
        g_openSetting = nullptr;
}

bool CWndSetting::BringOpenForward()
{
    if (!g_openSetting)
        return false;
    g_openSetting->ShowWindow(true, true);
    return true;
}

void CWndSetting::InitControls()
{
    SetIcon(IDI_ORVEL);
    m_textTrans = m_pm.FindControl(u"text_trans");
    if (auto* slider = dynamic_cast<CProgressUI*>(m_pm.FindControl(u"pro_trans")))
        slider->SetValue(g_pMainFrame->m_opacity);
    ShowOpacity();
    if (CControlUI* status = m_pm.FindControl(u"shortcut_status"))
        status->SetText(PassThroughKeyStatus(*g_pMainFrame));
    // Not shown yet: ShowModal shows it, modal from its first appearance.
    SetWindowPos(GetHWND(), HWND_TOPMOST, 0, 0, 300, 100, 0);
}

void CWndSetting::ShowOpacity()
{
    if (!m_textTrans)
        return;
    CDuiString text;
    text.Format(u"%d", g_pMainFrame->m_opacity);
    m_textTrans->SetText(text);
}

void CWndSetting::Notify(TNotifyUI& msg)
{
    WindowImplBaseNew::Notify(msg);
    auto* slider = dynamic_cast<CProgressUI*>(msg.pSender);
    if (msg.sType != u"valuechanged" || !slider || slider->GetName() != u"pro_trans")
        return;
    g_pMainFrame->m_opacity = slider->GetValue();
    ShowOpacity();
    m_danmu->ApplyOpacity();
}

void CWndSetting::ClickNotify(TNotifyUI& msg)
{
    if (msg.pSender->GetName() == u"btn_enter")
        Close(1);
}

void CWndSetting::SelectChangedNotify(TNotifyUI& msg)
{
    CDuiString name = msg.pSender->GetName();
    int size = name == u"option_small"    ? 11
               : name == u"option_middle" ? 12
               : name == u"option_big"    ? 14
                                          : 0;
    if (!size)
        return;
    m_danmu->GetPaintManager().SetDefaultFont(ORVEL_FONT_FACE, size, false, false, false);
    m_danmu->PostMessageW(WM_DANMU_REFRESH, 0, 0);
}
