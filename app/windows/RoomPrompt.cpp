#include "app/windows/RoomPrompt.h"

#include "app/windows/AppMessages.h"

using namespace DuiLib;

CRoomPrompt::CRoomPrompt()
{
    InitWinParam(u"MainFrame.xml");
}

HWND CRoomPrompt::CreateOver(HWND owner)
{
    return Create(owner, u"OrvelHelper", ORVEL_WNDSTYLE, 0, 0, 0, 396, 389, nullptr);
}

void CRoomPrompt::InitControls()
{
    SetIcon(IDI_ORVEL);
    m_editNum = m_pm.FindControl(u"edit_num");
}

void CRoomPrompt::ClickNotify(TNotifyUI& msg)
{
    CDuiString name = msg.pSender->GetName();
    if (name == u"btn_close")
        Dismissed();
    else if (name == u"btn_enter")
        Enter();
}

// Enter in the room field does what the enter button does.
void CRoomPrompt::Notify(TNotifyUI& msg)
{
    WindowImplBaseNew::Notify(msg);
    if (msg.sType == u"return" && msg.pSender == m_editNum)
        Enter();
}

void CRoomPrompt::Enter()
{
    if (!m_editNum)
        return; // a layout without the field: nothing to read
    CDuiString text = m_editNum->GetText();
    if (text.IsEmpty()) {
        MessageBoxW(GetHWND(), u"请输入房间号", u"", MB_OK);
        return;
    }
    RoomEntered(_wtoi(text));
}
