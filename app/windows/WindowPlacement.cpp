#include "app/windows/WindowPlacement.h"

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

WindowRect BesideOwner(const WindowRect& window, const WindowRect& owner, const RECT& area)
{
    const int left = static_cast<int>(area.left), top = static_cast<int>(area.top);
    const int right = static_cast<int>(area.right), bottom = static_cast<int>(area.bottom);
    WindowRect placed = window;
    placed.y = owner.y;
    if (owner.x + owner.width + window.width <= right) {
        placed.x = owner.x + owner.width;
    } else if (owner.x - window.width >= left) {
        placed.x = owner.x - window.width;
    } else {
        placed.x = owner.x + (owner.width - window.width) / 2;
        placed.y = owner.y + (owner.height - window.height) / 2;
    }
    // Where it fits, the whole window on the screen; else its top left corner.
    placed.x = std::max(left, std::min(placed.x, right - window.width));
    placed.y = std::max(top, std::min(placed.y, bottom - window.height));
    return placed;
}

namespace {

// Whether the screen that holds most of the title strip holds a whole grip
// of it.
bool GripOnScreen(const WindowRect& window)
{
    const RECT strip{window.x, window.y, window.x + window.width, window.y + std::min(window.height, kGripHeight)};
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    if (!GetMonitorInfoW(MonitorFromRect(&strip, MONITOR_DEFAULTTONULL), &info))
        return false;
    const RECT& screen = info.rcMonitor;
    const long width = std::min(strip.right, screen.right) - std::max(strip.left, screen.left);
    const long height = std::min(strip.bottom, screen.bottom) - std::max(strip.top, screen.top);
    return width >= std::min(kGripWidth, window.width) && height >= strip.bottom - strip.top;
}

} // namespace

WindowRect PlaceOnScreen(const WindowRect& saved)
{
    if (GripOnScreen(saved))
        return saved;
    const RECT strip{saved.x, saved.y, saved.x + saved.width, saved.y + 1};
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    if (!GetMonitorInfoW(MonitorFromRect(&strip, MONITOR_DEFAULTTOPRIMARY), &info))
        return saved; // no screen at all: nowhere better to put it
    return CentredIn(saved, info.rcWork);
}
