#pragma once

#include <memory>
#include <vector>

#include "ui/Control.h"
#include "ui/DuiString.h"
#include "ui/Notify.h"

class QWidget;
class QAbstractButton;

namespace DuiLib {

// Process-wide: where skins are read from and the message loop. Per window:
// the control tree, its notifications, transparency and default font.
class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();
    // The program's directory, ending in a separator.
    static CDuiString GetInstancePath();
    // The skin folder.
    static void SetResourcePath(LPCTSTR path);
    // From now on layouts and images are read from this archive, found
    // beside the skin folder (an empty name: from the skin folder itself).
    static void SetResourceZip(LPCTSTR name, bool cached = false);
    // Whether the skin has an image of this name.
    static bool HasImage(LPCTSTR name);
    // Runs the user-interface thread until WM_QUIT is taken from the queue.
    static void MessageLoop();
    // The end of the run: messages posted from now on are dropped.
    static void Term();

    // Binds the manager to its window; the window reaches it by FindManager.
    void Init(HWND hWnd);
    // Takes ownership of the layout root and shows it in the window.
    bool AttachDialog(CControlUI* root);
    CControlUI* FindControl(LPCTSTR name) const;

    // What the opacity fades: the whole window, or only the background
    // colours of its controls (text and images stay opaque).
    enum class Fade { Window, Background };
    // opacity 0 (invisible) to 255; passThrough lets mouse input through
    // the window to whatever lies beneath. The first call before the window
    // is shown lets it fade either way from then on; a window already shown
    // without that fades as a whole.
    void SetTransparent(int opacity, bool passThrough, Fade fade = Fade::Window);
    // Size in pixels; applies to controls added afterwards.
    void SetDefaultFont(LPCTSTR face, int size, bool bold, bool underline, bool italic);
    int GetDefaultFontSize() const;

    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    void SendNotify(CControlUI* sender, LPCTSTR type, WPARAM wParam = 0, LPARAM lParam = 0);

    // Layout-level settings, from the layout's Window element.
    void SetInitSize(int width, int height);
    void SetCaptionHeight(int height) { m_captionHeight = height; }
    // Edges this thick resize the window, down to the minimum size; 0: fixed.
    void SetSizeBox(int thickness) { m_sizeBox = thickness; }
    void SetMinInfo(int width, int height) { m_minWidth = width; m_minHeight = height; }

    // For the controls.
    void ApplyDefaultFont(QWidget* widget) const;
    void AddOptionToGroup(const CDuiString& group, QAbstractButton* option);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    HWND m_hWnd = nullptr;
    CControlUI* m_root = nullptr;
    std::vector<INotifyUI*> m_notifiers;
    int m_captionHeight = 0;
    int m_sizeBox = 0;
    int m_minWidth = 0;
    int m_minHeight = 0;
};

} // namespace DuiLib
