#pragma once

#include "ui/Container.h"

class QScrollArea;

namespace DuiLib {

// A vertical list of rows that scrolls. A row that is clicked becomes the
// selected one: the list notifies "itemselect" (wParam: the new index) when
// the selection changes; the user's scrolling notifies "scroll".
class CListUI : public CContainerUI {
public:
    CListUI();
    void EndDown() override;
    bool SelectItem(int index);
    bool Remove(CControlUI* control) override;
    void RemoveAll() override;

private:
    explicit CListUI(QScrollArea* area);
    int m_curSel = -1;
    bool m_stickToEnd = false;
};

// A row: a container whose click notifies "itemclick" and selects it in
// its list. Owned by its list once appended.
class CListContainerElementUI : public CContainerUI {
public:
    CListContainerElementUI();
    void Activate() override;
    void SetSelected(bool selected);
};

} // namespace DuiLib
