#pragma once

#include "ui/Control.h"

namespace DuiLib {

class CPaintManagerUI;

// Builds a control tree from a layout of the skin (format: ui/LAYOUT.md).
class CDialogBuilder {
public:
    // The root control, or null when the layout is missing, malformed or
    // has no known control at its root. Unknown elements are skipped with
    // everything inside them. With a manager, the Window element's settings
    // (size, caption, font) go to it; the tree is not attached.
    CControlUI* Create(LPCTSTR layout, CPaintManagerUI* manager = nullptr);
};

} // namespace DuiLib
