#pragma once

#include "ui/DuiString.h"
#include "ui/MessageTarget.h"
#include "ui/Win32.h"

class QWidget;
class QEventLoop;

namespace DuiLib {

class WindowHost;

// A top-level window. Qt input and events reach HandleMessage as window
// messages (WM_SYSCOMMAND/SC_CLOSE for a close request, WM_RBUTTONUP,
// WM_KILLFOCUS, WM_SIZE, WM_MOUSEWHEEL, WM_LBUTTONDBLCLK, WM_TIMER).
class CWindowWnd : private IMessageTarget {
public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Makes the window and sends it WM_CREATE before returning. A width of
    // CW_USEDEFAULT takes the size its layout gives.
    HWND Create(HWND parent, LPCTSTR name, DWORD style, DWORD exStyle, int x, int y, int cx, int cy,
                HMENU menu = nullptr);
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Shows the window modal and returns its Close code once it is gone
    // (0 when WM_QUIT ended the wait).
    UINT ShowModal();
    // Asks the window to close: WM_CLOSE is posted.
    void Close(UINT ret = IDOK);
    // Over the parent window, or the screen.
    void CenterWindow();
    void SetIcon(UINT resourceId);
    LRESULT PostMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    // The default processing: WM_CLOSE destroys the window, SC_CLOSE closes
    // it, input goes on to Qt; everything else is ignored.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window is gone; the object may delete itself here.
    virtual void OnFinalMessage(HWND hWnd);

private:
    LRESULT Receive(HWND self, UINT msg, WPARAM wParam, LPARAM lParam, bool* passOn) override;
    void HostGone() override;
    QWidget* HostWidget() const override;
    void Destroy();

    HWND m_hWnd = nullptr;
    WindowHost* m_host = nullptr;
    QEventLoop* m_modal = nullptr;
    UINT m_closeCode = 0;
    bool m_destroyPending = false;
    bool* m_passOn = nullptr; // where the message being handled reports
};

} // namespace DuiLib
