// Message box, program icon, tray icon and COM start-up of Win32.h.

#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <functional>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <map>
#include <utility>

#include "ui/qt/AppCore.h"
#include "ui/qt/QtText.h"
#include "ui/qt/TrayIcons.h"
#include "ui/Win32.h"
#include "ui/qt/WindowHost.h"

using namespace DuiLib;

static MessageBoxHook g_messageBoxHook = nullptr;

void SetMessageBoxHook(MessageBoxHook hook)
{
    g_messageBoxHook = hook;
}

// Qt on X11 shows the program's name for an empty title; an empty caption
// becomes a title that shows nothing (a zero-width space).
static QString BoxTitle(LPCWSTR caption)
{
    QString title = ToQ(caption);
    return title.isEmpty() ? QString(QChar(0x200B)) : title;
}

BOOL SetClipboardTextW(LPCWSTR text)
{
    core::EnsureApplication();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return FALSE;
    clipboard->setText(ToQ(text));
    return TRUE;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    if (g_messageBoxHook)
        return g_messageBoxHook(owner, text, caption, type);
    core::EnsureApplication();
    QMessageBox box(HostOf(owner));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQ(text));
    box.setWindowTitle(BoxTitle(caption));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return IDOK;
}

HINSTANCE GetModuleHandleW(LPCWSTR)
{
    static char module;
    return reinterpret_cast<HINSTANCE>(&module);
}

HICON LoadIconW(HINSTANCE, LPCWSTR name)
{
    core::EnsureApplication();
    auto id = reinterpret_cast<std::uintptr_t>(name);
    if (id > 0xFFFF)
        return nullptr; // only numbered resources exist
    // Loaded once and kept for the run, past the end of main.
    static auto* icons = new std::map<std::uintptr_t, QIcon*>;
    auto it = icons->find(id);
    if (it == icons->end()) {
        QIcon icon(QString(":/resources/%1.png").arg(id));
        it = icons->emplace(id, icon.isNull() ? nullptr : new QIcon(icon)).first;
    }
    return reinterpret_cast<HICON>(it->second);
}

static std::map<std::pair<HWND, UINT>, QSystemTrayIcon*>& TrayIcons()
{
    static auto* icons = new std::map<std::pair<HWND, UINT>, QSystemTrayIcon*>; // kept past main
    return *icons;
}

QSystemTrayIcon* DuiLib::TrayIconOf(HWND hWnd, UINT id)
{
    auto it = TrayIcons().find(std::make_pair(hWnd, id));
    return it == TrayIcons().end() ? nullptr : it->second;
}

std::vector<QSystemTrayIcon*> DuiLib::AllTrayIcons()
{
    std::vector<QSystemTrayIcon*> all;
    for (const auto& entry : TrayIcons())
        all.push_back(entry.second);
    return all;
}

static LPARAM MouseMessageFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context: return WM_RBUTTONUP; // a right click, or a host's menu request
    case QSystemTrayIcon::DoubleClick: return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::MiddleClick: return WM_MBUTTONUP;
    default: return WM_LBUTTONUP;
    }
}

// The tip up to its terminator, or the whole field if it has none.
static QString TipText(const WCHAR (&tip)[128])
{
    qsizetype n = 0;
    while (n < 128 && tip[n])
        ++n;
    return QString::fromUtf16(tip, n);
}

// A context request that waits for the right button to come up.
static std::function<void()>& PendingContext()
{
    static auto* pending = new std::function<void()>; // kept past main
    return *pending;
}

void DuiLib::OnRightButtonReleased()
{
    std::function<void()> post;
    post.swap(PendingContext());
    if (post)
        post();
}

static void PostTrayActivation(HWND hWnd, UINT message, UINT id, QSystemTrayIcon::ActivationReason reason)
{
    auto post = [=] { PostMessageW(hWnd, message, id, MouseMessageFor(reason)); };
    if (reason == QSystemTrayIcon::Context && (QGuiApplication::mouseButtons() & Qt::RightButton))
        PendingContext() = post;
    else
        post(); // a left click, or a host's menu request without a button held
}

static void SetLook(QSystemTrayIcon* tray, const NOTIFYICONDATAW& data)
{
    if ((data.uFlags & NIF_ICON) && data.hIcon)
        tray->setIcon(*reinterpret_cast<QIcon*>(data.hIcon));
    if (data.uFlags & NIF_TIP)
        tray->setToolTip(PlainTip(TipText(data.szTip)));
}

static BOOL ShowTrayIcon(const NOTIFYICONDATAW& data)
{
    auto key = std::make_pair(data.hWnd, data.uID);
    if (!HostOf(data.hWnd) || TrayIcons().count(key))
        return FALSE;
    auto* tray = new QSystemTrayIcon;
    SetLook(tray, data);
    if (data.uFlags & NIF_MESSAGE) {
        HWND hWnd = data.hWnd;
        UINT id = data.uID, message = data.uCallbackMessage;
        QObject::connect(tray, &QSystemTrayIcon::activated,
                         [=](QSystemTrayIcon::ActivationReason r) { PostTrayActivation(hWnd, message, id, r); });
    }
    AttachTrayMenu(tray, data.hWnd);
    TrayIcons()[key] = tray;
    tray->show();
    return TRUE;
}

static BOOL ModifyTrayIcon(const NOTIFYICONDATAW& data)
{
    QSystemTrayIcon* tray = TrayIconOf(data.hWnd, data.uID);
    if (!tray)
        return FALSE;
    SetLook(tray, data);
    return TRUE;
}

static BOOL RemoveTrayIcon(const NOTIFYICONDATAW& data)
{
    auto it = TrayIcons().find(std::make_pair(data.hWnd, data.uID));
    if (it == TrayIcons().end())
        return FALSE;
    delete it->second;
    TrayIcons().erase(it);
    return TRUE;
}

BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data)
{
    if (!data)
        return FALSE;
    core::EnsureApplication();
    if (message == NIM_ADD)
        return ShowTrayIcon(*data);
    if (message == NIM_MODIFY)
        return ModifyTrayIcon(*data);
    if (message == NIM_DELETE)
        return RemoveTrayIcon(*data);
    return FALSE;
}

std::optional<bool>& DuiLib::TrayAvailableOverride()
{
    static auto* answer = new std::optional<bool>; // kept past main
    return *answer;
}

BOOL IsTrayAvailable()
{
    if (TrayAvailableOverride())
        return *TrayAvailableOverride();
    core::EnsureApplication();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

HRESULT CoInitialize(LPVOID)
{
    return 0;
}

void CoUninitialize() {}
