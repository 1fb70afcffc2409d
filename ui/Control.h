#pragma once

#include "ui/DuiString.h"

class QWidget;

namespace DuiLib {

class CPaintManagerUI;

// The base of every control. A control owns its widget; a container owns
// its child controls. Layout attributes are read by SetAttribute.
class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    CDuiString GetName() const { return m_name; }
    void SetName(LPCTSTR name) { m_name = name; }
    virtual CDuiString GetText() const;
    virtual void SetText(LPCTSTR text);
    CDuiString GetBkImage() const;
    void SetBkImage(LPCTSTR image);
    void SetFixedHeight(int height);
    void SetFixedWidth(int width);
    int GetFixedHeight() const;
    // The height grows from here to fit (a wrapping label's lines).
    void SetMinHeight(int height);
    void SetVisible(bool visible);
    // Shown on screen: itself and every container above it visible, in a
    // window that is shown.
    bool IsVisible() const;

    // Unknown attributes are ignored.
    virtual void SetAttribute(LPCTSTR name, LPCTSTR value);
    // What a click on the control does (a list row: "itemclick" and select);
    // a plain control does nothing.
    virtual void Activate() {}
    // This control or a descendant with the name, or null.
    virtual CControlUI* FindControl(LPCTSTR name);

    CPaintManagerUI* GetManager() const { return m_manager; }
    CControlUI* GetParent() const { return m_parent; }
    // Called when the control joins a window (or a parent not yet in one).
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent);

    QWidget* GetWidget() const { return m_widget; }

protected:
    explicit CControlUI(QWidget* widget);
    void FitWidthToText();
    void Notify(LPCTSTR type, WPARAM wParam = 0, LPARAM lParam = 0);

private:
    QWidget* m_widget;
    CDuiString m_name;
    CPaintManagerUI* m_manager = nullptr;
    CControlUI* m_parent = nullptr;
    bool m_ownFont = false;
};

} // namespace DuiLib
