#pragma once

#include "ui/DuiString.h"
#include "ui/Win32.h"

namespace DuiLib {

class CControlUI;

// A notification from a control: "click", "selectchanged", "itemselect",
// "itemclick", "valuechanged", "scroll" or "killfocus".
struct TNotifyUI {
    CDuiString sType;
    CControlUI* pSender = nullptr;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
};

} // namespace DuiLib
