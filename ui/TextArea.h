#pragma once

#include "ui/Control.h"

namespace DuiLib {

// A multi-line plain-text field (never rich text, pasted text included);
// attributes "text", "tipvalue", "bkcolor", "textcolor", "bordercolor".
// Lines are not wrapped; Tab moves to the next control. Notifies
// "killfocus" when it loses the keyboard focus.
class CTextAreaUI : public CControlUI {
public:
    CTextAreaUI();
    CDuiString GetText() const override;
    void SetText(LPCTSTR text) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;
};

} // namespace DuiLib
