#pragma once

#include "ui/Control.h"

namespace DuiLib {

// One line of plain text, elided when it does not fit.
class CLabelUI : public CControlUI {};

// Notifies "click" when pressed.
class CButtonUI : public CControlUI {
public:
    CButtonUI();

protected:
    explicit CButtonUI(bool option);
};

// A checkable button; options sharing a "group" attribute are exclusive
// (drawn as round marks), an option without a group is a check box (a
// square one). Notifies "selectchanged" when it becomes selected (and,
// outside a group, when it is cleared).
class COptionUI : public CButtonUI {
public:
    COptionUI();
    bool IsSelected() const;
    // With notify false, as the window sets it up: no "selectchanged".
    void Selected(bool selected, bool notify = true);
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent) override;

private:
    CDuiString m_group;
};

// A one-line text field; attributes "maxchar", "tipvalue". Notifies "return"
// when Enter is pressed in it.
class CEditUI : public CControlUI {
public:
    CEditUI();
    CDuiString GetText() const override;
    void SetText(LPCTSTR text) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;
};

// A horizontal slider; attributes "min", "max", "value". Notifies
// "valuechanged" at every step the user moves it, not on SetValue.
class CProgressUI : public CControlUI {
public:
    CProgressUI();
    int GetValue() const;
    void SetValue(int value);
    void SetMinValue(int value);
    void SetMaxValue(int value);
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;
};

} // namespace DuiLib
