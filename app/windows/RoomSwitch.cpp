#include "app/windows/RoomSwitch.h"

#include "app/windows/MainFrame.h"
#include "app/windows/WndDanmu.h"

using namespace DuiLib;

void CRoomSwitch::InitControls()
{
    CRoomPrompt::InitControls();
    if (!m_editNum)
        return;
    CDuiString room;
    room.Format(u"%d", g_pMainFrame->m_roomId);
    m_editNum->SetText(room);
}

void CRoomSwitch::RoomEntered(int roomId)
{
    m_danmu.SwitchRoom(roomId);
    Close(1);
}
