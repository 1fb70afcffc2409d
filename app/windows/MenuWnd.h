#pragma once

#include <vector>

#include "app/windows/WindowImplBaseNew.h"
#include "ui/TrayMenu.h"

// The tray icon's pop-up menu. Its items post WM_TRAY_COMMAND to the owner;
// it closes when an item is chosen or it loses the focus, and deletes itself
// once its window is gone.
class CMenuWnd : public WindowImplBaseNew {
public:
    CMenuWnd() = default;

    HWND m_owner = nullptr;
    DuiLib::CControlUI* m_menuList = nullptr;
    int m_placement = 0; // where it opens relative to the cursor; 1 from the tray, kMenuAtCursor below it

protected:
    void OnFinalMessage(HWND hWnd) override;
    void AdjustPostion() override;
    void InitControls() override;
    LRESULT OnKillFocus(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void ItemSelectNotify(DuiLib::TNotifyUI& msg) override;
    void ItemClickNotify(DuiLib::TNotifyUI& msg) override;
};

// The menu's top left corner at the cursor, as a context menu opens.
constexpr int kMenuAtCursor = 3;

// Opens a new tray menu at the cursor for the owner window; false if it
// could not be made.
bool OpenTrayMenu(HWND owner, int placement = 1);

// The tray menu's five items as a host that draws the menu itself shows
// them: the layout's texts, the pass-through text following the flag, each
// sending the command its item in the window sends.
std::vector<DuiLib::TrayMenuItem> TrayMenuItems();
