#pragma once

// Internal: mouse input that windows see as messages first.

#include <QEvent>
#include <QObject>

namespace DuiLib {

// Hands right-button releases, left double clicks and wheel turns over a
// window to that window as WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL;
// true if the window handled the message (Qt then drops the event).
bool SwallowedAsMessage(QObject* receiver, QEvent* e);

} // namespace DuiLib
