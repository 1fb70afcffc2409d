#pragma once

#include "ui/UIlib.h"

// The base of the program's windows: builds the window's layout when it is
// created and hands messages and notifications to the handlers below. A
// handler gets handled == true; the base handlers clear it, so that the
// library's default processing runs.
class WindowImplBaseNew : public DuiLib::CWindowWnd, public DuiLib::INotifyUI, public DuiLib::IMessageFilterUI {
public:
    WindowImplBaseNew() = default;

    // The layout built when the window is created.
    void InitWinParam(LPCTSTR layout) { m_layout = layout; }
    DuiLib::CPaintManagerUI& GetPaintManager() { return m_pm; }

    // In slot order.
    void OnFinalMessage(HWND hWnd) override;
    ~WindowImplBaseNew() override = default;
    // Placement once the window and its layout exist.
    virtual void AdjustPostion() {}
    // Called once the layout is built, before Create returns.
    virtual void InitControls() {}
    virtual LRESULT OnTimer(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseWheel(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKillFocus(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnRButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonDBClick(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    // Messages the handlers above do not take; handled starts false.
    virtual LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual void ClickNotify(DuiLib::TNotifyUI&) {}
    virtual void SelectChangedNotify(DuiLib::TNotifyUI&) {}
    virtual void ItemSelectNotify(DuiLib::TNotifyUI&) {}
    virtual void ItemClickNotify(DuiLib::TNotifyUI&) {}
    virtual void ScrollNotify(DuiLib::TNotifyUI&) {}

    void Notify(DuiLib::TNotifyUI& msg) override;
    // Sees every message first; handled starts false.
    LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    DuiLib::CPaintManagerUI m_pm;

private:
    LRESULT OnCreate();
    LRESULT Route(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

    DuiLib::CDuiString m_layout;
};
