#include "app/windows/WindowImplBaseNew.h"

using namespace DuiLib;

void WindowImplBaseNew::OnFinalMessage(HWND)
{
    m_pm.RemoveNotifier(this);
}

LRESULT WindowImplBaseNew::OnTimer(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBaseNew::OnMouseWheel(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBaseNew::OnSize(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBaseNew::OnSysCommand(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBaseNew::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBaseNew::OnRButtonUp(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBaseNew::OnLButtonDBClick(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBaseNew::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBaseNew::MessageHandler(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

void WindowImplBaseNew::Notify(TNotifyUI& msg)
{
    if (msg.sType == u"click")
        ClickNotify(msg);
    else if (msg.sType == u"selectchanged")
        SelectChangedNotify(msg);
    else if (msg.sType == u"itemselect")
        ItemSelectNotify(msg);
    else if (msg.sType == u"itemclick")
        ItemClickNotify(msg);
    else if (msg.sType == u"scroll")
        ScrollNotify(msg);
}

LRESULT WindowImplBaseNew::OnCreate()
{
    m_pm.Init(GetHWND());
    m_pm.AttachDialog(CDialogBuilder().Create(m_layout, &m_pm)); // a missing layout leaves the window empty
    m_pm.AddNotifier(this);
    InitControls();
    AdjustPostion();
    return 0;
}

// The handler for a message the base knows; handled false for the others.
LRESULT WindowImplBaseNew::Route(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_TIMER: return OnTimer(msg, wParam, lParam, handled);
    case WM_MOUSEWHEEL: return OnMouseWheel(msg, wParam, lParam, handled);
    case WM_SIZE: return OnSize(msg, wParam, lParam, handled);
    case WM_SYSCOMMAND: return OnSysCommand(msg, wParam, lParam, handled);
    case WM_KILLFOCUS: return OnKillFocus(msg, wParam, lParam, handled);
    case WM_RBUTTONUP: return OnRButtonUp(msg, wParam, lParam, handled);
    case WM_LBUTTONDBLCLK: return OnLButtonDBClick(msg, wParam, lParam, handled);
    default: handled = false; return 0;
    }
}

LRESULT WindowImplBaseNew::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    bool handled = false;
    LRESULT result = MessageHandler(msg, wParam, lParam, handled);
    if (handled)
        return result;
    handled = true;
    result = Route(msg, wParam, lParam, handled);
    if (handled)
        return result;
    result = HandleCustomMessage(msg, wParam, lParam, handled);
    if (handled)
        return result;
    return CWindowWnd::HandleMessage(msg, wParam, lParam);
}
