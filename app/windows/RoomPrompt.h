#pragma once

#include "app/windows/AppWindow.h"

// The window that asks for a room number (skin/MainFrame.xml): the enter
// button, or Enter in the field, hands the number on; its close button
// dismisses it. The start window and the room switch are two uses of it.
class CRoomPrompt : public CAppWindow {
public:
    CRoomPrompt();

    DuiLib::CControlUI* m_editNum = nullptr;

    // Makes the window, as a dialog of owner if one is given.
    HWND CreateOver(HWND owner);
    void Notify(DuiLib::TNotifyUI& msg) override;

protected:
    void InitControls() override;
    void ClickNotify(DuiLib::TNotifyUI& msg) override;
    virtual void RoomEntered(int roomId) = 0;
    virtual void Dismissed() = 0;

private:
    void Enter();
};
