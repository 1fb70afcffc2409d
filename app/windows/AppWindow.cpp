#include "app/windows/AppWindow.h"

LRESULT CAppWindow::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    handled = wParam >= kFirstOwnTimer && wParam <= kLastOwnTimer;
    return 0;
}

LRESULT CAppWindow::OnSize(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}

LRESULT CAppWindow::OnRButtonUp(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = true;
    return 0;
}

LRESULT CAppWindow::OnLButtonDBClick(UINT, WPARAM, LPARAM, bool&)
{
    return 0;
}
