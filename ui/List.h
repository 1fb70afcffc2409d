#pragma once

#include <vector>

#include "ui/Container.h"

class QScrollArea;

namespace DuiLib {

// A vertical list of rows that scrolls. A row that is clicked becomes the
// selected one: the list notifies "itemselect" (wParam: the new index) when
// the selection changes; the user's scrolling notifies "scroll".
class CListUI : public CContainerUI {
public:
    CListUI();
    // Scrolls to the last row and follows the end from then on.
    void EndDown() override;
    // True while the list follows its end: after EndDown, until the user
    // scrolls up, and again once they scroll back down to the end.
    bool IsFollowingEnd() const { return m_stickToEnd; }
    bool SelectItem(int index);
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    void RemoveAll() override;

    // Around a change of rows: unless the list follows its end, the rows on
    // screen that stay keep their place on screen.
    void BeginUpdate();
    void EndUpdate();

private:
    struct Anchor {
        CControlUI* row;
        int offset; // its top, from the top of the view
    };
    explicit CListUI(QScrollArea* area);
    void DropAnchor(const CControlUI* row);
    int m_curSel = -1;
    bool m_stickToEnd = true; // a new list follows its end
    std::vector<Anchor> m_anchors; // the rows on screen, top first
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
