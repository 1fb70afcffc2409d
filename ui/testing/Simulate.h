#pragma once

// Real Qt input for tests and tools, delivered through Qt as a user's
// would be (so that it passes the same translation into messages).

#include <optional>
#include <vector>

#include "ui/Control.h"
#include "ui/Win32.h"

namespace DuiLib::simulate {

// A left click in the middle of the control.
void Click(CControlUI* control);
// A right click (press and release) at x, y inside the window.
void RightClick(HWND hWnd, int x, int y);
void LeftClick(HWND hWnd, int x, int y); // outside the window too
void DoubleClick(HWND hWnd, int x, int y);
void Wheel(HWND hWnd, int delta);
// A left-button drag inside the window by (dx, dy), starting at x, y.
void Drag(HWND hWnd, int x, int y, int dx, int dy);
// The window manager's close request (Alt+F4, a close button).
void CloseRequest(HWND hWnd);
// Types text into the focused field of the window's control.
void Type(CControlUI* control, LPCTSTR text);
// Gives the control the keyboard focus, as a click on it does in a real
// window (its window is made the active one); the control that had the
// focus loses it.
void Focus(CControlUI* control);
// Presses Enter in the control.
void PressEnter(CControlUI* control);
// Moves the slider control one step up, as the arrow key does.
void StepUp(CControlUI* control);
// Moves the mouse pointer to screen coordinates.
void SetCursorPos(int x, int y);
// A click on the tray icon (hWnd, id) as its host reports it: a left click,
// or a context-menu request (a right click, or a StatusNotifierItem host's
// menu request). False if there is no such icon.
enum class TrayClick { Left, Context };
bool ActivateTray(HWND hWnd, UINT id, TrayClick click);
// What IsTrayAvailable answers from now on; none: the desktop's answer.
void SetTrayAvailable(std::optional<bool> available);
// The tips of the tray icons shown, oldest first.
std::vector<CDuiString> TrayTips();
// Hands a message straight to the window, as the dispatcher does; passOn (if
// given) tells whether it reached the default processing.
LRESULT Dispatch(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool* passOn = nullptr);
// Handles everything queued so far, without waiting for more.
void ProcessPending();

// What a window looks like on screen, for tests and screenshots.
struct WindowState {
    CDuiString title;
    bool visible = false;
    bool topmost = false;
    bool passThrough = false;
    double opacity = 1.0;
    int backgroundAlpha = 255; // what the controls' background colours are drawn with
    bool modal = false;     // Qt blocks the other windows for it
    std::uintptr_t nativeId = 0; // the window system's id, 0 before it has one
    HWND owner = nullptr;   // the window it was created for
    int x = 0, y = 0, width = 0, height = 0;
};
WindowState StateOf(HWND hWnd);
// The control with the name in the window's layout, or null.
CControlUI* FindControl(HWND hWnd, LPCTSTR name);
// The control's rectangle in its window's coordinates; empty when it has no
// widget.
RECT ControlRect(CControlUI* control);
// The pixel size of the font the control draws with.
int FontPixelSize(CControlUI* control);
// Every window that exists, oldest first.
std::vector<HWND> Windows();
// Renders the window to a PNG file; false if it cannot.
bool SaveScreenshot(HWND hWnd, LPCTSTR path);

} // namespace DuiLib::simulate
