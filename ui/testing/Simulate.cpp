#include "ui/testing/Simulate.h"

#include <QApplication>
#include <QCursor>
#include <QFontInfo>
#include <QSystemTrayIcon>
#include <QTextDocumentFragment>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QWheelEvent>

#include "ui/qt/AppCore.h"
#include "ui/PaintManager.h"
#include "ui/qt/TrayIcons.h"
#include "ui/qt/QtText.h"
#include "ui/qt/WindowHost.h"

namespace DuiLib::simulate {

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button)
{
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The innermost widget under the point, as Qt would pick it.
QWidget* TargetAt(QWidget* top, QPoint& pos)
{
    QWidget* child = top->childAt(pos);
    if (!child)
        return top;
    pos = child->mapFrom(top, pos);
    return child;
}

// The same for a point of a window; null when the window does not exist.
QWidget* TargetIn(HWND hWnd, QPoint& pos)
{
    WindowHost* host = HostOf(hWnd);
    return host ? TargetAt(host, pos) : nullptr;
}

void PressAndRelease(QWidget* top, QPoint pos, Qt::MouseButton button)
{
    QWidget* target = TargetAt(top, pos);
    SendMouse(target, QEvent::MouseButtonPress, pos, button);
    SendMouse(target, QEvent::MouseButtonRelease, pos, button);
}

void SendKey(QWidget* w, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

} // namespace

RECT ControlRect(CControlUI* control)
{
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w)
        return RECT{0, 0, 0, 0};
    const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
    return RECT{at.x(), at.y(), at.x() + w->width(), at.y() + w->height()};
}

void Click(CControlUI* control)
{
    if (QWidget* w = control ? control->GetWidget() : nullptr)
        PressAndRelease(w, w->rect().center(), Qt::LeftButton);
}

void RightClick(HWND hWnd, int x, int y)
{
    if (WindowHost* host = HostOf(hWnd))
        PressAndRelease(host, QPoint(x, y), Qt::RightButton);
}

void LeftClick(HWND hWnd, int x, int y)
{
    if (WindowHost* host = HostOf(hWnd))
        PressAndRelease(host, QPoint(x, y), Qt::LeftButton);
}

// As Qt reports a double click: press, release, double click, release.
void DoubleClick(HWND hWnd, int x, int y)
{
    QPoint pos(x, y);
    QWidget* target = TargetIn(hWnd, pos);
    if (!target)
        return;
    QPointer<QWidget> guard(target);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        if (guard)
            SendMouse(target, type, pos, Qt::LeftButton);
    }
}

void Wheel(HWND hWnd, int delta)
{
    WindowHost* host = HostOf(hWnd);
    if (!host)
        return;
    QPoint pos = host->rect().center();
    QWidget* target = TargetAt(host, pos);
    QWheelEvent e(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

void Drag(HWND hWnd, int x, int y, int dx, int dy)
{
    QPoint pos(x, y);
    QWidget* target = TargetIn(hWnd, pos);
    if (!target)
        return;
    SendMouse(target, QEvent::MouseButtonPress, pos, Qt::LeftButton);
    // While the button is held, the window that took the press gets the moves.
    QPoint to = pos + QPoint(dx, dy);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(target->mapToGlobal(pos) + QPoint(dx, dy)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    SendMouse(target, QEvent::MouseButtonRelease, to, Qt::LeftButton);
}

void CloseRequest(HWND hWnd)
{
    if (WindowHost* host = HostOf(hWnd))
        host->close();
}

void Type(CControlUI* control, LPCTSTR text)
{
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w)
        return;
    // A character beyond the BMP comes as one key, as an input method gives it.
    const QString typed = ToQ(text);
    for (int i = 0; i < typed.size(); ++i) {
        const bool pair = typed.at(i).isHighSurrogate() && i + 1 < typed.size() && typed.at(i + 1).isLowSurrogate();
        SendKey(w, Qt::Key_unknown, typed.mid(i, pair ? 2 : 1));
        i += pair;
    }
}

void Focus(CControlUI* control)
{
    QWidget* w = control ? control->GetWidget() : nullptr;
    if (!w)
        return;
    w->activateWindow();
    QApplication::processEvents();
    w->setFocus(Qt::MouseFocusReason);
}

void PressEnter(CControlUI* control)
{
    if (QWidget* w = control ? control->GetWidget() : nullptr)
        SendKey(w, Qt::Key_Return, "\r");
}

void StepUp(CControlUI* control)
{
    if (QWidget* w = control ? control->GetWidget() : nullptr)
        SendKey(w, Qt::Key_Right, QString());
}

void SetCursorPos(int x, int y)
{
    QCursor::setPos(x, y);
}

bool ActivateTray(HWND hWnd, UINT id, TrayClick click)
{
    QSystemTrayIcon* tray = TrayIconOf(hWnd, id);
    if (!tray)
        return false;
    emit tray->activated(click == TrayClick::Context ? QSystemTrayIcon::Context : QSystemTrayIcon::Trigger);
    return true;
}

// A tip's text as Qt's tool tip shows it: markup is rendered, plain text not.
static CDuiString ShownTip(const QString& tip)
{
    return FromQ(Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip);
}

void SetTrayAvailable(std::optional<bool> available)
{
    TrayAvailableOverride() = available;
}

std::vector<CDuiString> TrayTips()
{
    std::vector<CDuiString> tips;
    for (QSystemTrayIcon* tray : AllTrayIcons())
        tips.push_back(ShownTip(tray->toolTip()));
    return tips;
}

LRESULT Dispatch(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool* passOn)
{
    return core::Dispatch(hWnd, msg, wParam, lParam, passOn);
}

void ProcessPending()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

WindowState StateOf(HWND hWnd)
{
    WindowState s;
    if (WindowHost* host = HostOf(hWnd)) {
        s.title = FromQ(host->windowTitle());
        s.visible = host->isVisible();
        s.topmost = host->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        s.passThrough = host->windowFlags().testFlag(Qt::WindowTransparentForInput);
        s.opacity = host->windowOpacity();
        s.backgroundAlpha = host->BackgroundAlpha();
        s.modal = host->windowHandle() && QGuiApplication::modalWindow() == host->windowHandle();
        s.nativeId = host->windowHandle() ? host->winId() : 0;
        auto* owner = dynamic_cast<WindowHost*>(host->parentWidget());
        s.owner = owner ? owner->Handle() : nullptr;
        QRect r = host->geometry();
        s.x = r.x(), s.y = r.y(), s.width = r.width(), s.height = r.height();
    }
    return s;
}

CControlUI* FindControl(HWND hWnd, LPCTSTR name)
{
    WindowHost* host = HostOf(hWnd);
    return host && host->manager ? host->manager->FindControl(name) : nullptr;
}

int FontPixelSize(CControlUI* control)
{
    QWidget* w = control ? control->GetWidget() : nullptr;
    return w ? QFontInfo(w->font()).pixelSize() : 0;
}

std::vector<HWND> Windows()
{
    return core::Handles();
}

bool SaveScreenshot(HWND hWnd, LPCTSTR path)
{
    WindowHost* host = HostOf(hWnd);
    return host && host->grab().save(ToQ(path), "PNG");
}

} // namespace DuiLib::simulate
