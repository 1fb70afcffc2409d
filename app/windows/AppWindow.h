#pragma once

#include "app/windows/AppLook.h"
#include "app/windows/WindowImplBaseNew.h"

// Timer ids the program's windows keep for themselves: a tick of one of them
// never reaches the default handling, whether the window uses it or not.
constexpr UINT_PTR kFirstOwnTimer = 1;
constexpr UINT_PTR kLastOwnTimer = 3;

// What the start, danmaku and settings windows share: they keep right-button
// releases, double clicks and resizing to themselves, and take the ticks of
// their own timers.
class CAppWindow : public WindowImplBaseNew {
protected:
    LRESULT OnTimer(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnRButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnLButtonDBClick(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
};
