#pragma once

#include "ui/Win32.h"

// The danmaku window as the settings window sees it: where it stands, and
// what to tell it when a setting changed. The options themselves are in the
// run's shared state.
class DanmuView {
public:
    virtual HWND ViewWindow() const = 0;
    // The opacity set by the user: kept and applied.
    virtual void OpacityChanged(int opacity) = 0;
    // The rows' font size set by the user: the rows are built again.
    virtual void FontSizeChanged(int size) = 0;
    // A display or filter option changed.
    virtual void OptionsChanged() = 0;

protected:
    ~DanmuView() = default;
};
