#include "ui/WindowWnd.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include "ui/qt/AppCore.h"
#include "ui/qt/WindowHost.h"

namespace DuiLib {

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd()
{
    if (!m_host)
        return;
    core::Unregister(m_hWnd);
    WindowHost* host = m_host;
    m_host = nullptr;
    host->Detach();
    delete host;
}

// A window with an owner is a dialog of it: the window manager keeps it
// above its owner (WM_TRANSIENT_FOR) and treats it as a dialog.
static Qt::WindowFlags FlagsFor(DWORD style, bool owned)
{
    if (style & WS_POPUP)
        return Qt::Popup | Qt::FramelessWindowHint;
    return (owned ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint;
}

HWND CWindowWnd::Create(HWND parent, LPCTSTR name, DWORD style, DWORD, int x, int y, int cx, int cy, HMENU)
{
    core::EnsureApplication();
    if (m_host)
        return m_hWnd;
    m_hWnd = core::Register(this);
    // A pop-up belongs to no window: a modal dialog of its owner must not
    // block it (the tray menu stays usable while the settings are open).
    WindowHost* owner = (style & WS_POPUP) ? nullptr : HostOf(parent);
    m_host = new WindowHost(this, m_hWnd, owner, FlagsFor(style, owner != nullptr));
    m_host->setWindowTitle(QString::fromUtf16(name ? name : u""));
    m_host->move(x == CW_USEDEFAULT ? 0 : x, y == CW_USEDEFAULT ? 0 : y);
    m_host->sizeFromLayout = cx == CW_USEDEFAULT;
    if (!m_host->sizeFromLayout)
        m_host->resize(cx, cy);
    HWND self = m_hWnd;
    core::Dispatch(self, WM_CREATE, 0, 0);
    return core::Lookup(self) == static_cast<IMessageTarget*>(this) ? self : nullptr;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus)
{
    if (!m_host)
        return;
    m_host->setVisible(show);
    if (show && takeFocus) {
        m_host->raise();
        m_host->activateWindow();
    }
}

UINT CWindowWnd::ShowModal()
{
    if (!m_host)
        return 0;
    // Qt only takes the modality of a window that is not shown yet.
    if (m_host->isVisible())
        m_host->hide();
    // Modal for its owner (which it blocks), as a disabled owner window is;
    // the tray icon and pop-ups stay usable.
    m_host->setWindowModality(Qt::WindowModal);
    ShowWindow(true, true);
    QEventLoop loop;
    m_modal = &loop;
    core::RunLoop(loop);
    m_modal = nullptr;
    return m_closeCode;
}

void CWindowWnd::Close(UINT ret)
{
    m_closeCode = ret;
    PostMessageW(WM_CLOSE);
}

void CWindowWnd::CenterWindow()
{
    if (!m_host)
        return;
    QWidget* over = m_host->parentWidget();
    QRect area = over ? over->frameGeometry() : QGuiApplication::primaryScreen()->availableGeometry();
    QRect r = m_host->frameGeometry();
    r.moveCenter(area.center());
    m_host->move(r.topLeft());
}

void CWindowWnd::SetIcon(UINT resourceId)
{
    HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(resourceId));
    if (m_host && icon)
        m_host->setWindowIcon(*reinterpret_cast<QIcon*>(icon));
}

LRESULT CWindowWnd::PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return core::Post(m_hWnd, msg, wParam, lParam);
}

QWidget* CWindowWnd::HostWidget() const
{
    return m_host;
}

LRESULT CWindowWnd::Receive(HWND self, UINT msg, WPARAM wParam, LPARAM lParam, bool* passOn)
{
    IMessageTarget* registered = this;
    // Messages sent while this one is handled report into their own slot.
    bool reached = false;
    bool* outer = m_passOn;
    m_passOn = &reached;
    LRESULT result = HandleMessage(msg, wParam, lParam);
    if (core::Lookup(self) != registered)
        return result; // gone while handling: this object may be too
    m_passOn = outer;
    if (passOn)
        *passOn = reached;
    if (m_destroyPending)
        Destroy();
    return result;
}

LRESULT CWindowWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM)
{
    if (m_passOn)
        *m_passOn = true; // the message reached the default processing
    switch (msg) {
    case WM_CLOSE:
        m_destroyPending = true;
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_CLOSE)
            Close(0);
        break;
    default:
        break;
    }
    return 0;
}

void CWindowWnd::OnFinalMessage(HWND) {}

// Tears the window down after the message that asked for it; the object
// itself stays (OnFinalMessage may delete it, as the last step).
void CWindowWnd::Destroy()
{
    HWND self = m_hWnd;
    m_destroyPending = false;
    HandleMessage(WM_DESTROY, 0, 0);
    core::Unregister(self);
    if (m_host) {
        m_host->Detach();
        m_host->hide();
        m_host->deleteLater();
        m_host = nullptr;
    }
    m_hWnd = nullptr;
    if (m_modal)
        m_modal->exit(0);
    if (core::WindowCount() == 0)
        core::Post(nullptr, WM_QUIT, 0, 0); // no window left to end the run from
    OnFinalMessage(self);
}

void CWindowWnd::HostGone()
{
    m_passOn = nullptr;
    core::Unregister(m_hWnd);
    m_host = nullptr;
    m_hWnd = nullptr;
    if (m_modal)
        m_modal->exit(0);
}

} // namespace DuiLib
