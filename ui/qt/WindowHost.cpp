#include "ui/qt/WindowHost.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <QCloseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/qt/AppCore.h"

namespace DuiLib {

WindowHost::WindowHost(IMessageTarget* wnd, HWND hWnd, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_wnd(wnd), m_hWnd(hWnd)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint); // the window's size is the caller's
}

WindowHost::~WindowHost()
{
    if (m_wnd)
        m_wnd->HostGone();
}

void WindowHost::SetRoot(QWidget* root)
{
    layout()->addWidget(root);
}

bool WindowHost::StopTimer(UINT_PTR id)
{
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second == id) {
            killTimer(it->first);
            m_timers.erase(it);
            return true;
        }
    }
    return false;
}

void WindowHost::StartTimer(UINT_PTR id, UINT elapseMs)
{
    StopTimer(id);
    int qtId = startTimer(static_cast<int>(elapseMs));
    if (qtId)
        m_timers[qtId] = id;
}

// Before the native window exists the flag is simply part of how it is made.
// Afterwards the native window is told directly: QWidget::setWindowFlag would
// destroy and re-create it (a new X id, a flicker, an open pop-up gone).
void WindowHost::ApplyFlag(Qt::WindowType flag, bool on)
{
    if (windowFlags().testFlag(flag) == on)
        return;
    QWindow* native = windowHandle();
    if (!native) {
        setWindowFlag(flag, on);
        return;
    }
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(flag, on);
    overrideWindowFlags(flags);
    native->setFlags(flags);
}

void WindowHost::MoveTo(int x, int y)
{
    QPoint to(x, y);
    QScreen* screen = QGuiApplication::screenAt(to) ? QGuiApplication::screenAt(to) : QGuiApplication::primaryScreen();
    if (windowType() == Qt::Popup && screen) {
        QRect area = screen->geometry();
        to.setX(std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - width())));
        to.setY(std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - height())));
    }
    move(to);
}

// Raises the window, then the dialogs it owns: they lie inside it and must
// stay reachable (a window manager does the same for transient windows).
void WindowHost::SetTopmost()
{
    ApplyFlag(Qt::WindowStaysOnTopHint, true);
    if (!isVisible())
        return;
    raise();
    for (QObject* child : children()) {
        auto* owned = dynamic_cast<WindowHost*>(child);
        if (owned && owned->isVisible() && owned->windowType() == Qt::Dialog)
            owned->raise();
    }
}

void WindowHost::SetPassThrough(bool on)
{
    ApplyFlag(Qt::WindowTransparentForInput, on);
}

void WindowHost::AllowTranslucentBackground()
{
    if (!windowHandle())
        setAttribute(Qt::WA_TranslucentBackground);
}

void WindowHost::SetBackgroundAlpha(int alpha)
{
    alpha = std::clamp(alpha, 0, 255);
    if (alpha == m_backgroundAlpha)
        return;
    m_backgroundAlpha = alpha;
    update(); // the controls repaint with it
}

// A window with an alpha channel whose background is not faded looks as an
// ordinary one: an opaque base under the controls.
void WindowHost::paintEvent(QPaintEvent*)
{
    if (HasTranslucentBackground() && m_backgroundAlpha == 255)
        QPainter(this).fillRect(rect(), palette().color(QPalette::Window));
}

void WindowHost::closeEvent(QCloseEvent* e)
{
    // Closing is the window's decision: it gets the system close command.
    e->ignore();
    if (windowType() == Qt::Popup) {
        LoseFocusAsPopup();
        return;
    }
    core::Dispatch(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Qt closes a pop-up when the user leaves it: a click outside, Escape, or
// another window taking the input. The window hears that as focus loss; the
// pop-up is hidden at once so that it stops taking every click while the
// window decides.
void WindowHost::LoseFocusAsPopup()
{
    HWND self = Handle();
    core::Dispatch(self, WM_KILLFOCUS, 0, 0);
    if (HostOf(self) == this)
        hide();
}

void WindowHost::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    core::Dispatch(Handle(), WM_SIZE, 0, MAKELPARAM(width(), height()));
}

void WindowHost::timerEvent(QTimerEvent* e)
{
    auto it = m_timers.find(e->timerId());
    if (it != m_timers.end())
        core::Dispatch(Handle(), WM_TIMER, it->second, 0);
}

static HWND ActiveHandle()
{
    auto* active = dynamic_cast<WindowHost*>(QApplication::activeWindow());
    return active ? active->Handle() : nullptr;
}

bool WindowHost::event(QEvent* e)
{
    if (e->type() == QEvent::WindowDeactivate)
        core::Dispatch(Handle(), WM_KILLFOCUS, reinterpret_cast<WPARAM>(ActiveHandle()), 0);
    return QWidget::event(e);
}

// Presses that no control took land here: within the caption they drag.
void WindowHost::mousePressEvent(QMouseEvent* e)
{
    if (windowType() == Qt::Popup) {
        QWidget::mousePressEvent(e); // closes the pop-up on a press outside it
        return;
    }
    if (e->button() != Qt::LeftButton || e->position().y() >= captionHeight) {
        e->ignore();
        return;
    }
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true; // no window manager to ask: move it ourselves
    m_dragOffset = e->globalPosition().toPoint() - pos();
}

void WindowHost::mouseMoveEvent(QMouseEvent* e)
{
    if (m_dragging)
        move(e->globalPosition().toPoint() - m_dragOffset);
}

void WindowHost::mouseReleaseEvent(QMouseEvent* e)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(e);
}

WindowHost* HostOf(HWND hWnd)
{
    IMessageTarget* wnd = core::Lookup(hWnd);
    return wnd ? static_cast<WindowHost*>(wnd->HostWidget()) : nullptr;
}

int BackgroundAlpha(const QWidget* widget)
{
    auto* host = dynamic_cast<const WindowHost*>(widget->window());
    return host ? host->BackgroundAlpha() : 255;
}

} // namespace DuiLib
