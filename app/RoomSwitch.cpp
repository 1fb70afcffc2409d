#include "app/RoomSwitch.h"

#include "app/MainFrame.h"
#include "app/WndDanmu.h"

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
