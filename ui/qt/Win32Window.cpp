// The window calls of Win32.h, for the program's own windows.

#include <QCursor>

#include "ui/qt/AppCore.h"
#include "ui/Win32.h"
#include "ui/qt/WindowHost.h"

using namespace DuiLib;

BOOL PostMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return core::Post(hWnd, msg, wParam, lParam) ? TRUE : FALSE;
}

LRESULT SendMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return core::Dispatch(hWnd, msg, wParam, lParam);
}

BOOL ShowWindow(HWND hWnd, int cmdShow)
{
    WindowHost* host = HostOf(hWnd);
    if (!host)
        return FALSE;
    BOOL wasVisible = host->isVisible();
    host->setVisible(cmdShow != SW_HIDE);
    return wasVisible;
}

BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    WindowHost* host = HostOf(hWnd);
    if (!host)
        return FALSE;
    if (!(flags & SWP_NOSIZE))
        host->resize(cx, cy);
    if (!(flags & SWP_NOMOVE))
        host->MoveTo(x, y);
    if (flags & SWP_SHOWWINDOW)
        host->show();
    if (insertAfter == HWND_TOPMOST)
        host->SetTopmost();
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, RECT* rect)
{
    WindowHost* host = HostOf(hWnd);
    if (!host || !rect)
        return FALSE;
    QRect r = host->frameGeometry();
    *rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return TRUE;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    core::EnsureApplication();
    QPoint p = QCursor::pos();
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapseMs, void*)
{
    WindowHost* host = HostOf(hWnd);
    if (!host)
        return 0;
    host->StartTimer(id, elapseMs);
    return id;
}

BOOL KillTimer(HWND hWnd, UINT_PTR id)
{
    WindowHost* host = HostOf(hWnd);
    return host && host->StopTimer(id);
}
