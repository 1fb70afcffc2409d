#pragma once

// The few Windows types, constants and calls that the program's windows use,
// provided over Qt for the program's own windows and tray icon.

#include <cstddef>
#include <cstdint>

struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
struct HICON__;
using HICON = HICON__*;
struct HMENU__;
using HMENU = HMENU__*;

using UINT = unsigned int;
using DWORD = std::uint32_t;
using BOOL = int;
using HRESULT = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WCHAR = char16_t;
using LPCWSTR = const char16_t*;
using LPCTSTR = const char16_t*;
using LPVOID = void*;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

struct POINT {
    long x;
    long y;
};

struct RECT {
    long left;
    long top;
    long right;
    long bottom;
};

// Window messages.
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_USER = 0x0400;
constexpr WPARAM SC_CLOSE = 0xF060;

// Window styles: WS_POPUP makes a pop-up tool window; any other style a
// frameless window whose layout draws (and drags by) its own title bar.
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080u;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;

constexpr UINT MB_OK = 0;
constexpr int IDOK = 1;

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 1;
constexpr UINT NIF_ICON = 2;
constexpr UINT NIF_TIP = 4;

struct NOTIFYICONDATAW {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    WCHAR szTip[128];
};

inline unsigned HIWORD(std::uintptr_t v) { return static_cast<unsigned>((v >> 16) & 0xFFFF); }
inline LPARAM MAKELPARAM(unsigned lo, unsigned hi)
{
    return static_cast<LPARAM>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
inline LPCWSTR MAKEINTRESOURCEW(unsigned id)
{
    return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(id));
}

// Messages. PostMessageW may be called from any thread; it queues the message
// for the user-interface thread and reports FALSE for an unknown window or
// once the program is shutting down. WM_QUIT, to any window, ends the loop.
BOOL PostMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// User-interface thread only: handles the message before returning.
LRESULT SendMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

BOOL ShowWindow(HWND hWnd, int cmdShow);
BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL GetWindowRect(HWND hWnd, RECT* rect);
BOOL GetCursorPos(POINT* point);
// The timer ticks arrive as WM_TIMER with the id in wParam; the same id
// again replaces the running timer. The timer function is not supported.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapseMs, void* timerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR id);

// A modal message box (plain text). Tests replace it with a hook.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
using MessageBoxHook = int (*)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
void SetMessageBoxHook(MessageBoxHook hook);

// Puts plain text on the desktop's clipboard (what Ctrl+V pastes elsewhere).
// On Windows: OpenClipboard, SetClipboardData(CF_UNICODETEXT), CloseClipboard.
BOOL SetClipboardTextW(LPCWSTR text);

// Program resources: LoadIconW(instance, MAKEINTRESOURCEW(107)) loads the
// program's icon ":/resources/107.png" linked into the program; null if absent.
HINSTANCE GetModuleHandleW(LPCWSTR name);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);

// The tray icon: NIM_ADD shows it; a click on it posts uCallbackMessage to
// hWnd with uID in wParam and the mouse message (WM_RBUTTONUP for a right
// click or a context-menu request) in lParam. NIM_MODIFY changes the icon
// and the tip that uFlags names. NIM_DELETE removes it.
BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data);
// Whether a tray host shows tray icons: a desktop without one shows none.
BOOL IsTrayAvailable();

// Nothing to start: kept so that the entry point reads as it does on Windows.
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();

// Text to number with the C library's rules: leading white space, an
// optional sign, then digits up to the first non-digit; 0 without digits.
// Out-of-range values saturate at INT_MIN / INT_MAX.
int _wtoi(LPCWSTR text);

// Formats into a fixed buffer, always terminated and never overrun; the
// directives are %d, %u, %s (wide text) and %%. Returns the length written.
int wsprintfBounded(WCHAR* buffer, std::size_t capacity, LPCWSTR format, ...);
template <std::size_t N, typename... Args>
int wsprintfW(WCHAR (&buffer)[N], LPCWSTR format, Args... args)
{
    return wsprintfBounded(buffer, N, format, args...);
}

// Screens. MonitorFromRect gives the screen that holds most of the
// rectangle; for one that touches no screen, null (MONITOR_DEFAULTTONULL) or
// the primary screen (MONITOR_DEFAULTTOPRIMARY). GetMonitorInfoW gives a
// screen's whole area and the part free of panels.
struct HMONITOR__;
using HMONITOR = HMONITOR__*;
constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITORINFOF_PRIMARY = 1;
struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info);
