// Screens under their Windows names, over QScreen.

#include <QGuiApplication>
#include <QScreen>

#include "ui/qt/AppCore.h"
#include "ui/Win32.h"

namespace {

QRect ToQRect(const RECT& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

RECT ToRect(const QRect& r)
{
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

qint64 Area(const QRect& r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

} // namespace

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags)
{
    if (!rect)
        return nullptr;
    DuiLib::core::EnsureApplication();
    const QRect wanted = ToQRect(*rect);
    QScreen* best = nullptr;
    qint64 bestArea = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const qint64 area = Area(screen->geometry().intersected(wanted));
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (!best && flags == MONITOR_DEFAULTTOPRIMARY)
        best = QGuiApplication::primaryScreen();
    return reinterpret_cast<HMONITOR>(best);
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info)
{
    auto* screen = reinterpret_cast<QScreen*>(monitor);
    if (!screen || !info || !QGuiApplication::screens().contains(screen))
        return FALSE;
    info->rcMonitor = ToRect(screen->geometry());
    info->rcWork = ToRect(screen->availableGeometry());
    info->dwFlags = screen == QGuiApplication::primaryScreen() ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}
