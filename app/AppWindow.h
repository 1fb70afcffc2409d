#pragma once

#include "app/WindowImplBaseNew.h"

// What the start, danmaku and settings windows share: they keep right-button
// releases, double clicks and resizing to themselves, and take timer ticks
// 1 to 3 as their own.
class CAppWindow : public WindowImplBaseNew {
protected:
    LRESULT OnTimer(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnRButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnLButtonDBClick(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
};
