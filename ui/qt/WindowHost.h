#pragma once

// Internal: the Qt widget behind a registered window.

#include <QPoint>
#include <QWidget>
#include <map>

#include "ui/MessageTarget.h"
#include "ui/Win32.h"

namespace DuiLib {

class CPaintManagerUI;

class WindowHost : public QWidget {
public:
    WindowHost(IMessageTarget* wnd, HWND hWnd, QWidget* parent, Qt::WindowFlags flags);
    ~WindowHost() override;

    // The window object no longer listens (it is being destroyed).
    void Detach() { m_wnd = nullptr; }
    HWND Handle() const { return m_wnd ? m_hWnd : nullptr; }
    void SetRoot(QWidget* root);
    void StartTimer(UINT_PTR id, UINT elapseMs);
    bool StopTimer(UINT_PTR id); // false when no such timer runs
    // Pop-up windows are kept on the screen: Linux panels (and so trays)
    // are often at the top, where a menu placed above the cursor would vanish.
    void MoveTo(int x, int y);
    void SetTopmost();
    void SetPassThrough(bool on);
    // Before the native window exists: it is made with an alpha channel, so
    // that its background can be translucent (on X11 the visual is chosen
    // once, when the window is made). Later calls change nothing.
    void AllowTranslucentBackground();
    bool HasTranslucentBackground() const { return testAttribute(Qt::WA_TranslucentBackground); }
    // The alpha that the controls' background colours are drawn with.
    void SetBackgroundAlpha(int alpha);
    int BackgroundAlpha() const { return m_backgroundAlpha; }

    CPaintManagerUI* manager = nullptr; // the layout's, once attached
    int captionHeight = 0;
    bool sizeFromLayout = false;

protected:
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void ApplyFlag(Qt::WindowType flag, bool on);
    void LoseFocusAsPopup();

    IMessageTarget* m_wnd;
    HWND m_hWnd;
    std::map<int, UINT_PTR> m_timers; // Qt timer id -> window timer id
    int m_backgroundAlpha = 255;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

// The host of a registered window, or null.
WindowHost* HostOf(HWND hWnd);
// The background alpha of the window the widget is in (255 outside one).
int BackgroundAlpha(const QWidget* widget);

} // namespace DuiLib
