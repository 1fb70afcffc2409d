#include "app/WindowPlacement.h"

#include <algorithm>

WindowRect CentredIn(const WindowRect& window, const RECT& area)
{
    const int areaWidth = static_cast<int>(area.right - area.left);
    const int areaHeight = static_cast<int>(area.bottom - area.top);
    const int width = std::max(1, std::min(window.width, areaWidth));
    const int height = std::max(1, std::min(window.height, areaHeight));
    return WindowRect{static_cast<int>(area.left) + (areaWidth - width) / 2,
        static_cast<int>(area.top) + (areaHeight - height) / 2, width, height};
}

WindowRect PlaceOnScreen(const WindowRect& saved)
{
    const RECT strip{saved.x, saved.y, saved.x + saved.width, saved.y + std::min(saved.height, kGrabStripHeight)};
    if (MonitorFromRect(&strip, MONITOR_DEFAULTTONULL))
        return saved;
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    if (!GetMonitorInfoW(MonitorFromRect(&strip, MONITOR_DEFAULTTOPRIMARY), &info))
        return saved; // no screen at all: nowhere better to put it
    return CentredIn(saved, info.rcWork);
}
