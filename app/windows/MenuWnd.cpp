#include "app/windows/MenuWnd.h"

#include <memory>
#include <new>

#include "app/windows/AppMessages.h"
#include "app/windows/MainFrame.h"

using namespace DuiLib;

bool OpenTrayMenu(HWND owner, int placement)
{
    CMenuWnd* menu = new (std::nothrow) CMenuWnd;
    if (!menu)
        return false;
    menu->m_placement = placement;
    menu->m_owner = owner;
    menu->InitWinParam(u"TrayMenu.xml");
    menu->Create(owner, u"", WS_POPUP, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                 CW_USEDEFAULT, nullptr);
    ShowWindow(*menu, SW_SHOW);
    // The owner keeps its active look while the menu has the focus.
    SendMessageW(owner, WM_NCACTIVATE, TRUE, 0);
    return true;
}

// The pass-through item says whether the flag is on now.
static LPCTSTR PassThroughText()
{
    return g_pMainFrame->m_transFlag ? u"鼠标穿透：已开启（点击关闭）" : u"鼠标穿透：已关闭（点击开启）";
}

std::vector<TrayMenuItem> TrayMenuItems()
{
    std::unique_ptr<CControlUI> layout(CDialogBuilder().Create(u"TrayMenu.xml"));
    auto textOf = [&layout](LPCTSTR name) {
        CControlUI* label = layout ? layout->FindControl(name) : nullptr;
        return label ? label->GetText() : CDuiString();
    };
    return {{PassThroughText(), WM_TRAY_COMMAND, TRAY_CMD_SHOW},
            {textOf(u"text_tray_set"), WM_TRAY_COMMAND, TRAY_CMD_SETTINGS},
            {textOf(u"text_tray_room"), WM_TRAY_COMMAND, TRAY_CMD_ROOM},
            {textOf(u"text_tray_chat_log"), WM_TRAY_COMMAND, TRAY_CMD_CHAT_LOG},
            {textOf(u"text_tray_exit"), WM_TRAY_COMMAND, TRAY_CMD_EXIT}};
}

void CMenuWnd::OnFinalMessage(HWND hWnd)
{
    WindowImplBaseNew::OnFinalMessage(hWnd);
    delete this;
}

void CMenuWnd::AdjustPostion()
{
    CPoint cursor;
    GetCursorPos(&cursor);
    RECT rc{};
    GetWindowRect(GetHWND(), &rc);
    long w = rc.right - rc.left, h = rc.bottom - rc.top;
    long x = cursor.x, y = cursor.y;
    switch (m_placement) {
    case 0: x -= w; y -= h + 20; break;
    case 1: y -= h + 20; break;
    case 2: x -= w; break;
    default: break;
    }
    SetWindowPos(GetHWND(), HWND_TOPMOST, x, y, w, h, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMenuWnd::InitControls()
{
    m_menuList = m_pm.FindControl(u"menulist");
    if (CControlUI* label = m_pm.FindControl(u"text_tray_show"))
        label->SetText(PassThroughText());
}

LRESULT CMenuWnd::OnKillFocus(UINT, WPARAM wParam, LPARAM, bool&)
{
    if (reinterpret_cast<HWND>(wParam) != GetHWND())
        PostMessageW(WM_CLOSE, 0, 0);
    return 0;
}

void CMenuWnd::ItemSelectNotify(TNotifyUI&)
{
    Close(1);
}

void CMenuWnd::ItemClickNotify(TNotifyUI& msg)
{
    CDuiString name = msg.pSender->GetName();
    WPARAM command = name == u"menu_tray_show"   ? TRAY_CMD_SHOW
                     : name == u"menu_tray_set"  ? TRAY_CMD_SETTINGS
                     : name == u"menu_tray_exit" ? TRAY_CMD_EXIT
                     : name == u"menu_tray_room" ? TRAY_CMD_ROOM
                     : name == u"menu_tray_chat_log" ? TRAY_CMD_CHAT_LOG
                                                 : 0;
    if (command)
        ::PostMessageW(m_owner, WM_TRAY_COMMAND, command, 0);
}
