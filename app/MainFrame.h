#pragma once

#include "app/WindowImplBaseNew.h"

// The start window: asks for the room number and opens the danmaku window.
// The object lives for the whole run and carries the settings that the
// other windows share.
class CMainFrame : public WindowImplBaseNew {
public:
    CMainFrame();

    DuiLib::CControlUI* m_editNum = nullptr;
    int m_roomId;
    int m_opacity;
    bool m_transFlag;

protected:
    void InitControls() override;
    LRESULT OnTimer(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnRButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnLButtonDBClick(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void ClickNotify(DuiLib::TNotifyUI& msg) override;

private:
    void Enter();
};

// The one start window, set by its constructor.
extern CMainFrame* g_pMainFrame;

// The program's icon, resource 107.
constexpr UINT IDI_ORVEL = 107;
// Style of the program's own windows: frameless, dragged by the layout's title bar.
constexpr DWORD ORVEL_WNDSTYLE = 2059;
