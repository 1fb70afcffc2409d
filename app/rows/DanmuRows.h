#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "feed/DanmuItem.h"
#include "ui/UIlib.h"

// The rows of the danmaku list, kept in step with the newest snapshot: the
// rows of items still shown stay, only the difference is removed or added.
// In the usual cycle that is a few rows dropped at the top and as many new
// ones at the end; the list then shows what a rebuild would show.
class CDanmuRows {
public:
    // Brings `list` to one row per item of `items`, in their order (no row
    // for an item whose layout cannot be built). Returns the rows added.
    // Costs one comparison per kept row in the usual cycle, and at most one
    // per row and item in any other.
    int Sync(DuiLib::CContainerUI& list, const std::vector<DanmuItem>& items);
    // Removes every row, so that the next Sync builds them all again.
    void Clear(DuiLib::CContainerUI& list);
    // Whether rows built from now on wrap long messages.
    void SetWrap(bool wrap) { m_wrap = wrap; }
    // Which items rows built from now on draw highlighted; none when empty.
    void SetHighlight(std::function<bool(const DanmuItem&)> highlighted) { m_highlighted = std::move(highlighted); }

private:
    void RemoveRows(DuiLib::CContainerUI& list, std::size_t from, std::size_t to);
    bool InsertRow(DuiLib::CContainerUI& list, std::size_t at, const DanmuItem& item);

    std::vector<DanmuItem> m_shown; // the item of each row, in the list's order
    bool m_wrap = false;
    std::function<bool(const DanmuItem&)> m_highlighted;
};
