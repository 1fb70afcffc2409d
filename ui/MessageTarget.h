#pragma once

// What a window registers with the message pump's dispatcher. The pump, Qt's
// input and SendMessageW hand each message for a handle to the target
// registered for it, so the layers below never know a window class.

#include "ui/Win32.h"

class QWidget;

namespace DuiLib {

class IMessageTarget {
public:
    // Handles one message. passOn (if given) tells whether it reached the
    // default processing (for input: whether Qt's own handling goes on).
    // The target may be gone when this returns.
    virtual LRESULT Receive(HWND self, UINT msg, WPARAM wParam, LPARAM lParam, bool* passOn) = 0;
    // The host widget went away underneath the window.
    virtual void HostGone() = 0;
    // The widget the window lives in, null when it has none.
    virtual QWidget* HostWidget() const = 0;

protected:
    ~IMessageTarget() = default;
};

} // namespace DuiLib
