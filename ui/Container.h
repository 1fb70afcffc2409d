#pragma once

#include <vector>

#include "ui/Control.h"

class QBoxLayout;

namespace DuiLib {

class IContainerUI {
public:
    virtual ~IContainerUI() = default;
    virtual CControlUI* GetItemAt(int index) const = 0;
    virtual int GetCount() const = 0;
    // Takes ownership; false (and the control is deleted) for null.
    virtual bool Add(CControlUI* control) = 0;
    // The same, placed before the child at `index` (at the end past the last).
    virtual bool AddAt(CControlUI* control, int index) = 0;
    // Removes and frees the child.
    virtual bool Remove(CControlUI* control) = 0;
    // Removes and frees every child.
    virtual void RemoveAll() = 0;
};

// Children laid out in a row or a column; attributes "inset" (l,t,r,b) and
// "childpadding" (gap between children).
class CContainerUI : public CControlUI, public IContainerUI {
public:
    ~CContainerUI() override;

    CControlUI* GetItemAt(int index) const override;
    int GetCount() const override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    void RemoveAll() override;

    // Scrolls to the last child (containers that scroll; others ignore it).
    virtual void EndDown() {}
    // Set the text or background image of the descendant with the name.
    bool SetSubControlText(LPCTSTR name, LPCTSTR text);
    bool SetSubControlBkImage(LPCTSTR name, LPCTSTR image);

    void SetAttribute(LPCTSTR name, LPCTSTR value) override;
    CControlUI* FindControl(LPCTSTR name) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent) override;

protected:
    // The children are laid out by layout, which lives in widget (or below).
    CContainerUI(QWidget* widget, QBoxLayout* layout);
    // A box widget that carries its own layout.
    explicit CContainerUI(QWidget* box);
    QBoxLayout* Layout() const { return m_layout; }

private:
    QBoxLayout* m_layout;
    std::vector<CControlUI*> m_items;
};

class CVerticalLayoutUI : public CContainerUI {
public:
    CVerticalLayoutUI();
};

class CHorizontalLayoutUI : public CContainerUI {
public:
    CHorizontalLayoutUI();
};

} // namespace DuiLib
